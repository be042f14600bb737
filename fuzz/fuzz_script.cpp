// SPDX-License-Identifier: GPL-3.0-or-later
// The event runner, through the real window: the input is a script for the opening;
// its last bytes are the player's moves (a click, a tick, or an option to take).
#include "fuzzsupport.h"

#include "runtime/textfile.h"
#include "script/runner.h"

#include <QTest>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    static const bool prepared = [&] {
        folder.picture(QStringLiteral("a"), Qt::red);
        folder.script(QStringLiteral("0_1"), {QStringLiteral("一"), QStringLiteral(">ive 0_2")});
        folder.script(QStringLiteral("0_2"), {QStringLiteral("二"), QStringLiteral(">p")});
        return true;
    }();
    (void)prepared;
    const QByteArray input = bytesOf(data, size);
    const qsizetype moves = std::min<qsizetype>(input.size() / 4, 64);
    folder.bytes(QStringLiteral("dat/0.dat"), input.left(input.size() - moves));
    Game game(folder, false);
    for (int i = 0; i < 256; ++i)
        game.random.push({(i * 37 % 100) / 100.0});
    game->show();
    game->startFirstGame();
    for (qsizetype i = input.size() - moves; i < input.size(); ++i) {
        if (!game.errors.isEmpty() || game->finished())
            break;
        const int move = quint8(input[i]) % 4;
        if (move < 2 && game->Qstlbl[move]->isVisible())
            QTest::mouseClick(game->Qstlbl[move], Qt::LeftButton);
        else if (move == 2)
            game.tick();
        else
            game.click();
    }
    // An error ends the game having closed every file; otherwise only the script is open.
    if (!game.errors.isEmpty() && rt::openFileCount() != 0)
        std::abort();
    if (rt::openFileCount() > 1)
        std::abort();
    return 0;
}
