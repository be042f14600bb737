// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rt {

// A file written whole or not at all. The new contents go to an unnamed file in the target's
// folder, synced, then named ".NAME.new" beside the target and renamed over it. A process
// killed between those two steps leaves only that hidden name, which the next save of the
// same file takes over; the old contents stay whole throughout. (QSaveFile names its file
// at random there, so its leftovers could not be told from a player's own files.)
// Where the folder cannot hold unnamed files, ".NAME.new" is written directly.
// A symbolic link is followed: its target is replaced, the link stays.
class SaveFile {
  public:
    explicit SaveFile(const QString &path);
    ~SaveFile(); // without a commit, the new contents are thrown away
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    bool open();
    // Two pieces written as one, so a line and its end cost one call.
    bool write(QByteArrayView first, QByteArrayView second = {});
    bool commit();
    // Why the last call failed, from the system.
    QString errorString() const;

    // The hidden name a save of `path` goes through.
    static QString stagingPath(const QString &path);

  private:
    void fail();
    void drop();

    QString target_;
    QByteArray staging_;
    int fd_ = -1;
    bool named_ = false;
    int error_ = 0;
};

} // namespace rt
