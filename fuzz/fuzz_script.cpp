// SPDX-License-Identifier: GPL-3.0-or-later
// The event runner, through the real window: the input is a script for the opening;
// its last bytes are the player's moves (a click, a tick, or an option to take).
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    const size_t moves = std::min<size_t>(size / 4, 64);
    folder.bytes(QStringLiteral("dat/0.dat"), bytesOf(data, size - moves));
    folder.picture(QStringLiteral("a"), Qt::red);
    folder.script(QStringLiteral("0_1"), {QStringLiteral("一"), QStringLiteral(">ive 0_2")});
    folder.script(QStringLiteral("0_2"), {QStringLiteral("二"), QStringLiteral(">p")});
    Game game(folder, false);
    for (int i = 0; i < 256; ++i)
        game.random.push({(i * 37 % 100) / 100.0});
    game->show();
    game->startFirstGame();
    for (size_t i = size - moves; i < size && game.errors.isEmpty() && !game->finished(); ++i) {
        if (data[i] % 4 < 2 && game->Qstlbl[data[i] % 4]->isVisible())
            QTest::mouseClick(game->Qstlbl[data[i] % 4], Qt::LeftButton);
        else if (data[i] % 4 == 2)
            game.tick();
        else
            game.click();
    }
    // An error ends the game having closed every file; otherwise only the script is open.
    expect(rt::openFileCount() <= (game.errors.isEmpty() ? 1 : 0));
    return 0;
}
