// SPDX-License-Identifier: GPL-3.0-or-later
// The album: read, written, read and written again gives the same bytes, and keeps
// every entry as it stood.
#include "fuzzsupport.h"

#include "album/datafiles.h"

#include <algorithm>
#include <cstdlib>

namespace {

QByteArray saveOnce(GameFolder &folder) {
    Game game(folder, false);
    if (!game.loaded)
        std::abort();
    writeAlbum(*game);
    return folder.read(QStringLiteral("dat/save.dat"));
}

QList<QByteArray> entries(const QByteArray &bytes) {
    QByteArray normal = bytes;
    normal.replace("\r\n", "\r");
    QList<QByteArray> lines = normal.split('\r');
    if (!lines.isEmpty() && lines.last().isEmpty() && !normal.isEmpty())
        lines.removeLast();
    if (normal.isEmpty())
        lines.clear();
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    const QByteArray input = bytesOf(data, size);
    folder.bytes(QStringLiteral("dat/save.dat"), input);
    const QByteArray first = saveOnce(folder);
    const QByteArray second = saveOnce(folder);
    if (first != second)
        std::abort();
    if (entries(first) != entries(input))
        std::abort();
    return 0;
}
