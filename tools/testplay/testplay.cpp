// SPDX-License-Identifier: GPL-3.0-or-later
#include "testplay.h"

#include "runtime/paths.h"
#include "script/runner.h"
#include "sim/stats.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace testplay {
namespace {

// The story counters as the game holds them: photos count up to 53 at most.
constexpr int mostPhotos = 53;
constexpr int mostChoices = 255;

const QString usage = QStringLiteral(
    "使い方: mirutena-testplay [--fatigue N] [--skill N] [--money N] [--photos N]\n"
    "                          [--first-choices N] [ゲームのフォルダー] イベント\n"
    "ゲームのウィンドウを開き、オープニングの代わりにイベントをすぐに流します。終わるとふだんの"
    "画面になり、そのまま遊べます。アルバムは読みますが、書き換えません。\n"
    "  --fatigue N        疲労（0〜255）\n"
    "  --skill N          カメラの腕（0〜100）\n"
    "  --money N          所持金（0〜300000）\n"
    "  --photos N         撮った写真の数（物語の進み、0〜53）。それより前の節目のイベントは見た"
    "ことになります\n"
    "  --first-choices N  最初の選択肢を選んだ回数（0〜255）\n"
    "フォルダーを省くと、このプログラムのあるフォルダーのゲームを使います。\n");

} // namespace

std::optional<Plan> parse(const QStringList &arguments, const QString &programDir, QString &out,
                          QString &err, int &status) {
    const QString me = QStringLiteral("mirutena-testplay: ");
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption fatigue(QStringLiteral("fatigue"), QString(), QStringLiteral("N"));
    const QCommandLineOption skill(QStringLiteral("skill"), QString(), QStringLiteral("N"));
    const QCommandLineOption money(QStringLiteral("money"), QString(), QStringLiteral("N"));
    const QCommandLineOption photos(QStringLiteral("photos"), QString(), QStringLiteral("N"));
    const QCommandLineOption choices(QStringLiteral("first-choices"), QString(),
                                     QStringLiteral("N"));
    parser.addOptions({help, fatigue, skill, money, photos, choices});
    status = 2;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        err += me +
               (unknown.isEmpty() ? QStringLiteral("オプションの後に数がありません。")
                                  : QStringLiteral("知らないオプションです: ") +
                                        (unknown.first().size() > 1 ? QStringLiteral("--")
                                                                    : QStringLiteral("-")) +
                                        unknown.first()) +
               u'\n' + usage;
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        out += usage;
        status = 0;
        return std::nullopt;
    }
    Plan plan;
    // Stats take any number, held within their limits as the game holds them; the counters
    // are the game's small unsigned ones.
    const struct {
        const QCommandLineOption &option;
        std::optional<int> *stat;
        int *counter;
        int most;
    } numbers[] = {{fatigue, &plan.fatigue, nullptr, 0},
                   {skill, &plan.skill, nullptr, 0},
                   {money, &plan.money, nullptr, 0},
                   {photos, nullptr, &plan.photos, mostPhotos},
                   {choices, nullptr, &plan.firstChoices, mostChoices}};
    for (const auto &n : numbers) {
        if (!parser.isSet(n.option))
            continue;
        const QString name = QStringLiteral("--") + n.option.names().first();
        const QString text = parser.value(n.option);
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok) {
            err += me + QStringLiteral("%1 の値「%2」は整数ではありません。\n").arg(name, text);
            return std::nullopt;
        }
        if (n.stat) {
            *n.stat = value;
        } else if (value < 0 || value > n.most) {
            err += me + QStringLiteral("%1 は 0 から %2 までです（「%3」）。\n")
                            .arg(name)
                            .arg(n.most)
                            .arg(text);
            return std::nullopt;
        } else {
            *n.counter = value;
        }
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty() || rest.size() > 2) {
        err += me +
               (rest.isEmpty() ? QStringLiteral("流すイベントの名前がありません。\n")
                               : QStringLiteral("引数が多すぎます。\n")) +
               usage;
        return std::nullopt;
    }
    plan.folder = rt::withTrailingSeparator(
        QFileInfo(rest.size() == 2 ? rest.first() : programDir).absoluteFilePath());
    plan.event = rest.last();
    if (!QFileInfo(plan.folder).isDir()) {
        err += me + QStringLiteral("ゲームのフォルダーがありません: ") + plan.folder + u'\n';
        return std::nullopt;
    }
    // The game finds the script as Windows would, and stops when it is not there.
    const rt::GameFile found =
        rt::findGameFile(plan.folder, QStringLiteral("dat/") + plan.event + QStringLiteral(".dat"));
    const QString &script = found.path;
    if (!found.plain) {
        err +=
            me +
            QStringLiteral("イベント「%1」のスクリプトがありません: %2\n").arg(plan.event, script);
        if (plan.event.endsWith(QStringLiteral(".dat")))
            err += QStringLiteral("イベントの名前は「.dat」を付けずに書きます。\n");
        return std::nullopt;
    }
    status = 0;
    return plan;
}

void configure(Fom::Options &options, const Plan &plan) {
    options.appDir = plan.folder;
    options.saveAlbum = false;
    options.firstGame = [plan](Fom &fom) { startTestPlay(fom, plan); };
}

void startTestPlay(Fom &fom, const Plan &plan) {
    GameState &s = fom.st;
    s.statValue = {plan.fatigue.value_or(100), plan.skill.value_or(50), plan.money.value_or(10)};
    for (std::int16_t i = 0; i <= 2; ++i)
        StatChg(fom, i, 0);
    s.photoProgress = std::uint8_t(plan.photos);
    s.firstChoiceCount = std::uint8_t(plan.firstChoices);
    // The milestones the photos have passed were seen on the way, and so is the opening.
    for (int n = 0; n <= 9; ++n)
        s.eventSeen.at(n) = n == 0 || n * 5 < plan.photos ? True : False;
    // A milestone played here is marked as the daily action marks it before playing it.
    const QString &e = plan.event;
    if (e.size() == 1 && e[0] >= u'1' && e[0] <= u'8')
        s.eventSeen.at(e[0].unicode() - u'0') = True;
    else if (e == u"9_1" || e == u"9_2")
        s.eventSeen.at(9) = True;
    IveStt(fom, plan.event);
}

} // namespace testplay
