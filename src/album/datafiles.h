// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <span>

class Fom;

// Where the album is kept: the game folder's own dat/save.dat wherever that folder can be
// written, as the game always did; otherwise (an installation the player cannot write) the
// player's data folder, so that nothing is ever written under the installation and each
// player keeps an album of their own.
struct AlbumPlace {
    QString file; // read at start-up, written at shutdown
    QString seed; // read instead while file does not exist yet; empty: none
};
AlbumPlace albumPlace(const QString &datDir, bool gameWritable, const QString &dataHome);
// The same for this player: the folder's write access, and $XDG_DATA_HOME (by default
// ~/.local/share). A system installation never keeps the album in its own folder, even for
// root, who could write there.
AlbumPlace albumPlace(const QString &datDir);

// The album file (st.albumFile), one entry per line, read into LST at start-up and written
// back from it at shutdown.
void readAlbum(Fom &fom);
void writeAlbum(Fom &fom);

// A photo catalogue: records of lines separated by lines of exactly ">". Entry n is
// prefix & n & "番】" followed by CR LF and each line of record n; at most capacity
// records are read, and the remaining entries stay empty.
void readCatalogue(Fom &fom, const QString &stem, const QString &prefix, std::span<QString> table,
                   int capacity);
