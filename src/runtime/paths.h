// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QFile;

namespace rt {

// The folder of the program, always ending in the separator.
QString programDir();
// Appends the separator unless the folder already ends in one (a root does).
QString withTrailingSeparator(const QString &dir);

// A file of the game, found as Windows finds it, since the games were made there: "\" and
// "/" both separate folders, letters match in any case (the exact name wins), and a name
// still stored in CP932 bytes (a Windows archive unpacked on Linux) is found by what it
// reads as. Such a name cannot be held in a QString path, hence the bytes beside it.
struct GameFile {
    QString path;      // as found, or as named when missing: for messages, and for Qt
                       // wherever the name is plain (the game's fixed names all are)
    QByteArray native; // what the system opens
    bool found = false;
    bool plain = false;     // a plain file, not a folder, device or pipe
    bool exact = false;     // found under the very name given, "/" between its folders
    bool cp932Name = false; // part of its name on disk is CP932 bytes
    bool outside = false;   // the name leads out of the game's folder: never opened
};
// name is below root (which ends in the separator), which it may not leave. The exact name
// costs one stat; only a miss reads the folders on the way.
GameFile findGameFile(const QString &root, QStringView name);
// A path taken as it is: for files the game does not name by the game's names.
GameFile plainPath(const QString &path);

// Opens a found plain file for reading, throwing RuntimeError naming it otherwise. Never
// a device or a pipe, which could be read for ever.
void openForReading(QFile &file, const GameFile &found);

struct FolderEntry {
    QString name; // UTF-8, or CP932 where the bytes are not UTF-8
    QByteArray native;
};
// Every entry of a folder but "." and "..", in no particular order; none if unreadable.
QList<FolderEntry> listFolder(const QByteArray &nativeDir);

} // namespace rt
