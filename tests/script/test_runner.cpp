// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "runtime/textfile.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryFile>
#include <QTest>
#include <QWheelEvent>
#include <unistd.h>

class RunnerTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QCOMPARE(rt::openFileCount(), 0); }

    // How the runner paces a script: the page shown after the steps (t a tick of the pacing
    // timer, c a click; "|" between lines), and whether it then waits for a click.
    void pacing_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("waits");
        const QString mixed = "一|二|>p|三||>p|四", empties = "|a||b|>p";
        const QString ten = numbered(1, 10);
        const auto row = [](const char *name, const QString &script, const char *steps,
                            const QString &page, bool waits) {
            QTest::newRow(name) << script << QString(steps) << page << waits;
        };
        row("first line at once", mixed, "", "一", false);
        row("the timer shows the next", mixed, "t", "一|二", false);
        row("waits before a command", mixed, "tt", "一|二", true);
        row("a click runs the page break", mixed, "ttc", "三", false);
        row("no wait before an empty line", mixed, "ttct", "四", false);
        row("the last line waits", mixed, "ttctt", "四", true);
        row("a click shows the next at once", "a|b|c", "c", "a|b", false);
        row("nine lines go on", numbered(1, 12), "ttttttttt", ten, false);
        row("the tenth line waits", numbered(1, 12), "tttttttttt", ten, true);
        row("the eleventh starts a page", numbered(1, 12), "ttttttttttc", "11", false);
        row("an empty first place adds nothing", empties, "", "a", false);
        row("later empty lines add a row", empties, "t", "a||b", false);
        row("an empty place 11 keeps the page", ten + "||x", "ttttttttttc", ten + "|x", false);
        row("a picture passes at once", "a|>img red|b", "t", "a|b", false);
        row(">hit makes the line before wait", "a|>hit|b", "t", "a", true);
        row(">hit itself is text", "a|>hit|b", "tc", "a|>hit", false);
        row("an empty picture name shows dmy", ">img |a", "", "a", false);
        row("the click after the last line ends the event", "a", "tc", "", false);
        row("long runs of commands pass in one step", QString(">p|>img |").repeated(20000) + "end",
            "", "end", false);
        row("markup is text", "<b>x</b>", "", "<b>x</b>", false);
        row("a chain back to itself after a line", "a|>ive 0", "c", "a", false);
    }
    void pacing() {
        QFETCH(QString, script);
        QFETCH(QString, steps);
        QFETCH(QString, page);
        QFETCH(bool, waits);
        GameFolder folder;
        folder.picture("red", Qt::red, {5, 5}, "JPEG");
        folder.script("0", script.split(u'|'));
        Game game(folder);
        for (QChar step : steps)
            step == u't' ? game.tick() : game.click();
        QVERIFY2(game.errors.isEmpty(), qPrintable(game.errors.value(0)));
        QCOMPARE(game.caption(), page.replace(u'|', QStringLiteral("\r\n")));
        QCOMPARE(game->lbl->textFormat(), Qt::PlainText);
        QCOMPARE(game->ClickME->isVisible(), waits);
        if (page.isEmpty()) { // back on the base screen, and on "ttl"
            QVERIFY(game->com[0]->isVisible() && !game->TimLBl.isActive());
            QCOMPARE(game.pictureAt(1, 1), QColor(0, 0, 255));
        }
        if (script.startsWith(QStringLiteral(">img |")))
            QCOMPARE(game.pictureAt(3, 3), QColor(128, 128, 128));
        if (script.contains(QStringLiteral(">img red"))) {
            const QColor c = game.pictureAt(2, 2);
            QVERIFY2(c.red() > 240 && c.green() < 20 && c.blue() < 20, qPrintable(c.name()));
        }
    }

    void chainStartsAfresh() {
        GameFolder folder;
        folder.picture("red", Qt::red);
        folder.script("0", {">img red", "a", ">ive next "});
        folder.script("next ", {"b"});
        Game game(folder);
        game.click();
        QCOMPARE(game->st.eventName, QStringLiteral("next "));
        QCOMPARE(game.caption(), QStringLiteral("b"));
        QCOMPARE(game.pictureAt(1, 1), QColor(0, 255, 0));
        QCOMPARE(game->st.pageLines, 1);
    }

    void endStartsNewGameKeepingAlbum() {
        GameFolder folder;
        folder.text("dat/save.dat", {"04"});
        folder.script("0", {"open", ">qst", "yes", "no"});
        folder.script("0_1", {"bye", ">end"});
        Game game(folder);
        game.random.reset({0.0});
        game.click();
        game->st.firstChoiceCount = 255;
        QTest::mouseClick(game->Qstlbl[0], Qt::LeftButton);
        QCOMPARE(game->st.firstChoiceCount, 255); // stops at the top, never wraps to none
        game->st.statValue = {7, 7, 7};
        game->st.photoProgress = 12;
        game->st.eventSeen[3] = True;
        game.click();
        QCOMPARE(game->st.statValue, (std::array<std::int32_t, 3>{100, 50, 10}));
        QCOMPARE(game->st.photoProgress, 0);
        QCOMPARE(game->st.firstChoiceCount, 0);
        QCOMPARE(game->st.eventSeen[3], False);
        QCOMPARE(game->st.eventName, QStringLiteral("0"));
        QCOMPARE(game.caption(), QStringLiteral("open"));
        QCOMPARE(game->LST->count(), 1);
    }

    // The draw puts either choice on top. Space and Return read on, once however long held;
    // the choice starts on the upper button, the arrows move between the two and Return
    // picks; a held key picks nothing.
    void choicesFollowTheDrawAndTheKeys() {
        GameFolder folder;
        folder.script("0", {"a", "b", "c", ">qst", "A&B", "二"});
        folder.script("0_1", {"one"});
        folder.script("0_2", {"two"});
        for (double r : {0.2, 0.7}) {
            Game game(folder, false);
            FixedRandom &random = game.random.reset({r});
            game->show();
            game->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&*game));
            game->startFirstGame();
            auto key = [&](Qt::Key k, bool repeat = false) {
                QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : &*game;
                QKeyEvent press(QEvent::KeyPress, k, {}, QString(), repeat);
                QApplication::sendEvent(to, &press);
            };
            // Held, as X repeats a key: release and press pairs of one timestamp, unmarked.
            auto held = [&](QEvent::Type type, ulong time) {
                QKeyEvent event(type, Qt::Key_Space, {}, QStringLiteral(" "));
                event.setTimestamp(time);
                QCoreApplication::sendEvent(game->windowHandle(), &event);
            };
            held(QEvent::KeyPress, 1000);
            for (ulong time = 1660; time < 2500; time += 40) {
                held(QEvent::KeyRelease, time);
                held(QEvent::KeyPress, time);
            }
            held(QEvent::KeyRelease, 2600);
            QCOMPARE(game.caption(), QStringLiteral("a\r\nb"));
            key(Qt::Key_Return);
            QCOMPARE(game.caption(), QStringLiteral("a\r\nb\r\nc"));
            key(Qt::Key_Return);
            const int upper = r < 0.5 ? 0 : 1;
            QVERIFY(!game->st.eventActive && !game->TimLBl.isActive());
            QCOMPARE(game->Qstlbl[0]->text().replace("&&", "&"), QStringLiteral("A&B"));
            QCOMPARE(game->Qstlbl[1]->text(), QStringLiteral("二"));
            QCOMPARE(game->choiceRow(upper), 8);
            QCOMPARE(game->choiceRow(1 - upper), 9);
            QVERIFY(game->Qstlbl[upper]->y() < game->Qstlbl[1 - upper]->y());
            game.click(); // no effect while the choice is open
            QCOMPARE(game.caption(), QStringLiteral("a\r\nb\r\nc"));
            QCOMPARE(QApplication::focusWidget(), game->Qstlbl[upper]);
            key(Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), game->Qstlbl[1 - upper]);
            key(Qt::Key_Up);
            QCOMPARE(QApplication::focusWidget(), game->Qstlbl[upper]);
            key(Qt::Key_Return, true);
            QVERIFY(game->Qstlbl[upper]->isVisible());
            key(Qt::Key_Return);
            QCOMPARE(game.caption(), upper == 0 ? QStringLiteral("one") : QStringLiteral("two"));
            QCOMPARE(game->st.firstChoiceCount, upper == 0 ? 1 : 0);
            QCOMPARE(random.draws(), 1);
            key(Qt::Key_Return); // reads on: the hidden choices take no keys
            QVERIFY(game->com[0]->isVisible());
            QCOMPARE(QApplication::focusWidget(), game->com[0]);
            QVERIFY(game.errors.isEmpty());
        }
    }

    // Pages read before come back newest first, by the wheel or the keys. While they show,
    // nothing of the game moves; closed, the game is as it was. The wheel down reads on, and
    // Ctrl held reads on by itself up to a choice, which it leaves to the player.
    void backlogWheelAndSkip() {
        GameFolder folder;
        folder.script("0", {"一", ">p", "二", "三", ">p", "四", "五", ">qst", "A", "B"});
        folder.script("0_1", {"六", "七", ">p", "八", ">qst", "C", "D"});
        Game game(folder);
        Backlog &log = *game->backlog;
        auto wheel = [&](int notches) {
            QWheelEvent turn({5, 5}, {5, 5}, {}, {0, 120 * notches}, Qt::NoButton, {},
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(&*game, &turn); // as the message area passes it on
        };
        auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            QTest::keyPress(QApplication::focusWidget(), k, m);
        };
        auto shown = [&] { // the page and its mark
            return log.isOpen() ? QString(log.caption()).replace("\r\n", "|") + u' ' + log.mark()
                                : QStringLiteral("closed");
        };
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*game));
        wheel(1);
        QVERIFY(!log.isOpen()); // nothing read yet
        game.click();
        QVERIFY(game->TimLBl.isActive());
        wheel(1);
        QCOMPARE(shown(), QStringLiteral("一 ログ 1/1"));
        QVERIFY(!game->TimLBl.isActive());
        QTest::mouseClick(&log, Qt::LeftButton);
        QVERIFY(!log.isOpen() && game->TimLBl.isActive());
        QCOMPARE(game.caption(), QStringLiteral("二")); // the closing click read nothing
        wheel(-1);
        QCOMPARE(game.caption(), QStringLiteral("二\r\n三"));
        game.click();
        game.tick();
        game.click();
        QVERIFY(game->Qstlbl[0]->isVisible());
        QWidget *choice = QApplication::focusWidget();
        key(Qt::Key_PageUp);
        QCOMPARE(shown(), QStringLiteral("二|三 ログ 2/2"));
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        QCOMPARE(shown(), QStringLiteral("一 ログ 1/2"));
        wheel(-1);
        QCOMPARE(shown(), QStringLiteral("二|三 ログ 2/2"));
        key(Qt::Key_Return);
        QVERIFY(!log.isOpen() && game->Qstlbl[0]->isVisible() && !game->TimLBl.isActive());
        QCOMPARE(QApplication::focusWidget(), choice);
        QTest::mouseClick(game->Qstlbl[0], Qt::LeftButton);
        key(Qt::Key_Control, Qt::ControlModifier);
        QTRY_VERIFY(game->Qstlbl[0]->isVisible());
        QTest::qWait(100);
        QCOMPARE(game->st.eventName, QStringLiteral("0_1"));
        QCOMPARE(game.caption(), QStringLiteral("八"));
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
        key(Qt::Key_PageUp);
        QCOMPARE(shown(), QStringLiteral("六|七 ログ 4/4"));
    }

    // A caption too long for its button is wrapped, and made smaller only when two
    // lines do not hold it: no part of it is cut off at the button's edges.
    void longChoiceCaptionsShownWhole_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("smaller");
        for (int screen : {800, 1024, 3840}) {
            const QByteArray w = QByteArray::number(screen);
            QTest::newRow(w + " short") << screen << 4 << false;
            QTest::newRow(w + " two lines") << screen << 16 << false;
            QTest::newRow(w + " long") << screen << 60 << true;
        }
    }
    void longChoiceCaptionsShownWhole() {
        QFETCH(int, screen);
        QFETCH(int, length);
        QFETCH(bool, smaller);
        GameFolder folder;
        Game game(folder, false, nullptr, screen);
        Fom &fom = *game;
        ChoiceButton *b = fom.Qstlbl[0];
        b->setText(QString(length, QChar(0x5BFA))); // 寺: ink across its whole width
        QCOMPARE(b->captionFont().pointSizeF() < b->font().pointSizeF(), smaller);
        const QImage shot = b->grab().toImage();
        int ink = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 1; x < shot.width() - 1; ++x) {
                if (qGray(shot.pixel(x, y)) > 128)
                    continue;
                ++ink;
                QVERIFY2(x > 2 && x < shot.width() - 3, qPrintable(QString::number(x)));
            }
        }
        QVERIFY(ink > length);
        // The focus mark grows with the button, so that it shows on a large screen too.
        game->show();
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*game));
        b->show();
        b->setFocus();
        const QImage focused = b->grab().toImage();
        const QRgb mark = b->palette().color(QPalette::Highlight).rgb();
        int line = 0;
        for (int x = 0; x < focused.width() / 4; ++x)
            line += focused.pixel(x, focused.height() / 2) == mark;
        QVERIFY2(line >= b->height() / 20, qPrintable(QString::number(line)));
    }

    // A failing line is retried once on the closed script. Run at once from the step before
    // it, that step meets the failure with its own recovery: the event ends, and standard
    // error says why. Otherwise the game stops with a report of the first failure's cause
    // and the file at fault.
    void failureEndsTheEventOrTheGame_data() {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<bool>("endsEvent");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("cause");
        auto row = [](const char *opening, bool ends, const char *file, const char *cause) {
            QTest::newRow(opening) << opening << ends << file << QString::fromUtf8(cause);
        };
        row("a|>p|>ive nope", true, "dat/nope.dat", "見つかりません");
        row("a|>img red|>ive e", true, "dat/e.dat", "空です");
        row("a|>img red|>img broken|>img broken|b", true, "img/broken.dat", "");
        row("a||>img", true, "dat/0.dat", "名前がありません");
        row("a|>img red|>qst", true, "dat/0.dat", "選択肢が二行ありません");
        row(">ive gone", false, "dat/gone.dat", "ファイルが見つかりません。");
        row(">ive e", false, "dat/e.dat", "ファイルが空です。");
        row("", false, "dat/0.dat", "ファイルが空です。");
        row("a|>qst|only one", false, "dat/0.dat", "選択肢が二行ありません");
        row("a|>img", false, "dat/0.dat", "命令の後に名前がありません");
    }
    void failureEndsTheEventOrTheGame() {
        QFETCH(QString, opening);
        QFETCH(bool, endsEvent);
        QFETCH(QString, file);
        QFETCH(QString, cause);
        GameFolder folder;
        folder.picture("red", Qt::red);
        folder.bytes("img/broken.dat", "not a picture");
        folder.bytes("dat/e.dat", {});
        if (opening.isEmpty())
            folder.bytes("dat/0.dat", {});
        else
            folder.script("0", opening.split(u'|'));
        QTemporaryFile err;
        QVERIFY(err.open());
        const int saved = dup(2);
        dup2(err.handle(), 2);
        Game game(folder);
        if (game.errors.isEmpty())
            game.click();
        dup2(saved, 2);
        ::close(saved);
        err.seek(0);
        const QString said =
            endsEvent ? QString::fromLocal8Bit(err.readAll()) : game.errors.value(0);
        QCOMPARE(game.errors.size(), endsEvent ? 0 : 1);
        QVERIFY2(said.contains(cause) && said.contains(folder.path() + file), qPrintable(said));
        if (endsEvent) {
            QCOMPARE(said.count(u'\n'), 1);
            QVERIFY(game->com[0]->isVisible());
        } else {
            QCOMPARE(game.exitStatus, 1);
        }
    }
};

QTEST_MAIN(RunnerTest)
#include "test_runner.moc"
