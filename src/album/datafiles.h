#pragma once

#include <QString>
#include <span>

class Fom;

// The album file save.dat, one entry per line, read into LST at start-up and written
// back from it at shutdown.
void readAlbum(Fom &fom);
void writeAlbum(Fom &fom);

// A photo catalogue: records of lines separated by lines of exactly ">". Entry n is
// prefix & n & "番】" followed by CR LF and each line of record n; at most capacity
// records are read, and the remaining entries stay empty.
void readCatalogue(Fom &fom, const QString &stem, const QString &prefix, std::span<QString> table,
                   int capacity);
