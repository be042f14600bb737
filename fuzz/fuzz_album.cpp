// SPDX-License-Identifier: GPL-3.0-or-later
// The album: read, written, read and written again gives the same bytes, and keeps
// every entry as it stood.
#include "fuzzsupport.h"

namespace {

QByteArray saveOnce() {
    Game game(fuzzFolder(), false);
    expect(game.loaded);
    writeAlbum(*game);
    return fuzzFolder().read(QStringLiteral("dat/save.dat"));
}

// The lines, sorted: each ends at a CR LF or a lone CR, the last one maybe at the end.
QList<QByteArray> entries(QByteArray bytes) {
    QList<QByteArray> lines = bytes.replace("\r\n", "\r").split('\r');
    if (lines.last().isEmpty())
        lines.removeLast();
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzzFolder().bytes(QStringLiteral("dat/save.dat"), bytesOf(data, size));
    const QByteArray first = saveOnce();
    expect(saveOnce() == first && entries(first) == entries(bytesOf(data, size)));
    return 0;
}
