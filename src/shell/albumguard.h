// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>

// One game per album. Two games on one album would each write it when they close, and the
// photos of the one closed first would be lost. The first game on an album listens on a
// local socket named after it; a later start connects, which asks that game to come to
// the front, and ends. The socket is in the abstract namespace, so it dies with its
// process: a game that was killed never keeps the next one out. (Plain sockets rather
// than Qt's network module, whose libraries would cost every start-up their loading.)
class AlbumGuard : public QObject {
  public:
    explicit AlbumGuard(std::function<void()> comeForward, QObject *parent = nullptr);
    ~AlbumGuard() override;
    // True when this game may play on the album; false when another game has it, which
    // has been asked to come to the front.
    bool claim(const QString &albumPath);
    void release();

  private:
    std::function<void()> comeForward_;
    int listening_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
