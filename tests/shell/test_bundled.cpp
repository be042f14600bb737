#include "support/gamefolder.h"

#include "runtime/cp932.h"
#include "script/lines.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

// The sample game that ships: its files as the writers must make them, and a play-through.
class BundledGameTest : public QObject {
    Q_OBJECT
    const QString source = QStringLiteral(MIRUTENA_SOURCE_DIR "/game/");

    QByteArray read(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList lines(const QString &name) {
        QByteArray bytes = read(source + "dat/" + name + ".dat");
        QStringList out = rt::decodeCp932(bytes).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }

    // Copies the game, then plays from wherever it stands until the base screen, taking
    // option `choice` at every question.
    void copyGame(GameFolder &folder) {
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QString path = it.next();
            folder.bytes(QDir(source).relativeFilePath(path), read(path));
        }
    }
    void playToBase(Game &game, int choice, QStringList *seen) {
        for (int i = 0; i < 5000 && game.errors.isEmpty(); ++i) {
            if (!seen->contains(game->st.eventName))
                *seen << game->st.eventName;
            if (game->Qstlbl[0]->isVisible())
                QTest::mouseClick(game->Qstlbl[choice], Qt::LeftButton);
            else if (game->st.eventActive)
                game.click();
            else
                return;
        }
        QVERIFY2(game.errors.isEmpty(), qPrintable(game.errors.join("\n")));
        QFAIL("the event never returned to the base screen");
    }

  private slots:
    void textFilesAreCp932WithCrLf() {
        QDir dat(source + "dat");
        QVERIFY(dat.exists());
        for (const QString &name : dat.entryList({"*.dat"}, QDir::Files)) {
            QByteArray bytes = read(dat.filePath(name));
            if (bytes.isEmpty())
                continue;
            QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
            QVERIFY2(!bytes.contains("\r\r") && bytes.count('\r') == bytes.count('\n'),
                     qPrintable(name));
            QVERIFY2(!rt::decodeCp932(bytes).contains(QChar::ReplacementCharacter),
                     qPrintable(name));
        }
        QCOMPARE(read(source + "dat/save.dat"), QByteArray());
    }

    void everyScriptAndPictureItNeedsExists() {
        QStringList todo{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9_1", "9_2", "gameover"};
        QSet<QString> done;
        int questions = 0;
        for (const char *pic : {"ttl", "girl", "dmy"})
            QVERIFY2(QFile::exists(source + "img/" + pic + ".dat"), pic);
        while (!todo.isEmpty()) {
            const QString name = todo.takeFirst();
            if (done.contains(name))
                continue;
            done.insert(name);
            QStringList script = lines(name);
            QVERIFY2(!script.isEmpty(), qPrintable(name));
            for (int i = 0; i < script.size(); ++i) {
                const QString &line = script[i];
                bool ok = false;
                switch (script::kindOf(line)) {
                case script::LineKind::Picture: {
                    QString pic = script::operandOf(line, &ok);
                    QVERIFY2(QFile::exists(source + "img/" + pic + ".dat"),
                             qPrintable(name + ": " + pic));
                    break;
                }
                case script::LineKind::Chain:
                    todo << script::operandOf(line, &ok);
                    break;
                case script::LineKind::Question:
                    QCOMPARE(i + 3, script.size());
                    todo << name + "_1" << name + "_2";
                    if (name != "0")
                        ++questions;
                    break;
                default:
                    break;
                }
            }
        }
        QVERIFY(questions >= 8);
        for (int i = 0; i <= 30; ++i)
            QVERIFY(QFile::exists(source +
                                  QStringLiteral("img/%1.dat").arg(i, 2, 10, QLatin1Char('0'))));
        for (int i = 0; i <= 15; ++i)
            QVERIFY(QFile::exists(source +
                                  QStringLiteral("img/t%1.dat").arg(i, 2, 10, QLatin1Char('0'))));
    }

    void cataloguesAreFull() {
        GameFolder folder;
        copyGame(folder);
        Game game(folder, false);
        QVERIFY(game.loaded);
        for (int i = 0; i <= 30; ++i)
            QVERIFY2(game->st.photoTexts[i].contains("\r\n"), qPrintable(QString::number(i)));
        for (int i = 0; i <= 15; ++i)
            QVERIFY2(game->st.specialPhotoTexts[i].contains("\r\n"),
                     qPrintable(QString::number(i)));
        QVERIFY(game->st.photoTexts[31].isEmpty());
    }

    void playsThroughToEitherEndingAndGameOver_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("ending");
        QTest::newRow("first options") << 0 << "9_1";
        QTest::newRow("second options") << 1 << "9_2";
    }
    void playsThroughToEitherEndingAndGameOver() {
        QFETCH(int, choice);
        QFETCH(QString, ending);
        GameFolder folder;
        copyGame(folder);
        FixedRandom random; // every draw 0: the first option stands on top
        Game game(folder);
        QStringList seen;
        playToBase(game, choice, &seen);
        QCOMPARE(game->windowTitle(), QStringLiteral("ミルテナ　　50:100"));
        for (int n = 1; n <= 9; ++n) {
            game->st.photoProgress = std::uint8_t(5 * n);
            QTest::mouseClick(game->com[3], Qt::LeftButton);
            QCOMPARE(game->st.eventName.left(1), QString::number(n));
            playToBase(game, choice, &seen);
        }
        QVERIFY2(seen.contains(ending), qPrintable(seen.join(' ')));
        QCOMPARE(game->st.photoProgress, 0); // the ending started a new game
        game->st.statValue[0] = 255;
        QTest::mouseClick(game->com[0], Qt::LeftButton);
        QCOMPARE(game->st.eventName, QStringLiteral("gameover"));
        playToBase(game, choice, &seen);
        QVERIFY(game.errors.isEmpty());
    }
};

QTEST_MAIN(BundledGameTest)
#include "test_bundled.moc"
