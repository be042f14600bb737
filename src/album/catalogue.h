// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <functional>

// How a photo catalogue is split into records: lines, separated by lines of exactly ">".
namespace album {

struct CatalogueRecord {
    int opening = 0; // the read, counted from 0, of its first line or of the ">" ending it
    QStringList lines;
};

struct CatalogueSplit {
    QList<CatalogueRecord> records; // at most the capacity; none for an empty file
    bool full = false;              // more records follow: the last line read opens them
};

// Reads lines with next() while atEnd() is false, as the game does: the end of the file
// ends the last record, a ">" at the very end opens none, and once the capacity is full the
// line after the last ">" is still read, and nothing after it.
CatalogueSplit splitCatalogue(int capacity, const std::function<bool()> &atEnd,
                              const std::function<QString()> &next);

} // namespace album
