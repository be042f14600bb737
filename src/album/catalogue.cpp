// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

namespace album {

CatalogueSplit splitCatalogue(int capacity, const std::function<bool()> &atEnd,
                              const std::function<QString()> &next) {
    CatalogueSplit split;
    if (atEnd())
        return split;
    int reads = 0;
    auto read = [&] {
        ++reads;
        return next();
    };
    QString line = read();
    split.records.append(CatalogueRecord{0, {}});
    for (;;) {
        while (line != u">") {
            split.records.last().lines.append(line);
            if (atEnd())
                return split;
            line = read();
        }
        if (atEnd())
            return split;
        line = read();
        if (split.records.size() >= capacity) {
            split.full = true;
            return split;
        }
        split.records.append(CatalogueRecord{reads - 1, {}});
    }
}

} // namespace album
