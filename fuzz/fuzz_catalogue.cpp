// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue reader: any syasin.dat gives at most 31 entries, each headed by its number.
#include "fuzzsupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    folder.bytes(QStringLiteral("dat/syasin.dat"), bytesOf(data, size));
    Game game(folder, false);
    if (!game.loaded)
        std::abort(); // a catalogue's content never stops the game
    const auto &texts = game->st.photoTexts;
    if (!texts[0].startsWith(QStringLiteral("【0番】")))
        std::abort();
    for (std::size_t i = 31; i < texts.size(); ++i)
        if (!texts[i].isEmpty())
            std::abort();
    return 0;
}
