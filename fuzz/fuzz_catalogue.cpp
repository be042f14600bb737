// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue reader: any syasin.dat gives at most 31 entries, each headed by its number,
// and never stops the game.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzzFolder().bytes(QStringLiteral("dat/syasin.dat"), bytesOf(data, size));
    Game game(fuzzFolder(), false);
    expect(game.loaded && game->st.photoTexts[0].startsWith(QStringLiteral("【0番】")) &&
           game->st.photoTexts[31].isEmpty());
    return 0;
}
