// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/cp932.h"
#include "runtime/error.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rt;

class TextFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file(const char *name) { return dir.path() + u'/' + QLatin1String(name); }
    void write(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList readAll(const QString &path) {
        int n = freeFile();
        openFile(n, path, FileMode::Input);
        QStringList lines;
        while (!eof(n))
            lines << lineInput(n);
        closeFile(n);
        return lines;
    }

  private slots:
    void cleanup() { closeAllFiles(); }

    void lineEndings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("no final terminator") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("lone cr ends a line") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("lone lf stays") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("empty lines")
            << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("only crlf") << QByteArray("\r\n") << QStringList{""};
    }
    void lineEndings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        write(file("l.txt"), bytes);
        QCOMPARE(readAll(file("l.txt")), lines);
    }

    void crlfAcrossChunkBoundary() {
        // The reader works in blocks; a CR at a block's end must still pair with its LF.
        QByteArray big(64 * 1024 - 1, 'x');
        write(file("big.txt"), big + "\r\nnext\r\n");
        QStringList lines = readAll(file("big.txt"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].size(), big.size());
        QCOMPARE(lines[1], QStringLiteral("next"));
    }

    void windowsMappings() {
        // The Windows code page, not JIS: wave dash, dash, parallel, minus, yen sign as "\".
        QString s = decodeCp932(QByteArray("\x81\x60\x81\x5c\x81\x61\x81\x7c\x5c\x7e\x1a\x7f"));
        QCOMPARE(s, QString::fromUtf16(u"\uFF5E\u2015\u2225\uFF0D\\~\x1A\x7F"));
        QCOMPARE(encodeCp932(s), QByteArray("\x81\x60\x81\x5c\x81\x61\x81\x7c\x5c\x7e\x1a\x7f"));
        QCOMPARE(decodeCp932("\xb1\xdf"), QString::fromUtf16(u"\uFF71\uFF9F"));
        QCOMPARE(encodeCp932(u"ミルテナ　ｱ"),
                 QByteArray("\x83\x7e\x83\x8b\x83\x65\x83\x69\x81\x40\xb1"));
    }

    void invalidBytesBecomeReplacement() {
        QCOMPARE(decodeCp932("a\x80"
                             "b"),
                 QStringLiteral("a\uFFFDb"));
        QCOMPARE(decodeCp932("\x82"), QStringLiteral("\uFFFD"));               // lead at the end
        QCOMPARE(decodeCp932("\x85\x40\x82\xa0"), QStringLiteral("\uFFFDあ")); // unmapped pair
        QCOMPARE(decodeCp932("\xfd\xff"), QStringLiteral("\uFFFD\uFFFD"));
        QCOMPARE(encodeCp932(u"é"), QByteArray("?"));
    }

    void writtenLinesEndInCrlfAndReplaceOnlyOnClose() {
        const QString path = file("out.txt");
        write(path, "old\r\n");
        int n = freeFile();
        openFile(n, path, FileMode::Output);
        writeLine(n, u"一");
        writeLine(n, u"");
        QFile probe(path);
        QVERIFY(probe.open(QIODevice::ReadOnly));
        QCOMPARE(probe.readAll(), QByteArray("old\r\n")); // untouched until committed
        probe.close();
        closeFile(n);
        QVERIFY(probe.open(QIODevice::ReadOnly));
        QCOMPARE(probe.readAll(), QByteArray("\x88\xea\r\n\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter("out").size(), 1);
    }

    void discardedOutputLeavesOldFile() {
        const QString path = file("keep.txt");
        write(path, "old\r\n");
        int n = freeFile();
        openFile(n, path, FileMode::Output);
        writeLine(n, u"new");
        discardFile(n);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old\r\n"));
    }

    // What a killed save left is taken over; a link's target is replaced, its mode kept.
    void saveTakesOverLeftoversAndFollowsLinks() {
        const QString real = file("real.txt"), link = file("link.txt");
        write(real, "old\r\n");
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(real, link));
        write(file(".real.txt.new"), "half an alb");
        for (const QString &path : {real, link}) {
            int n = freeFile();
            openFile(n, path, FileMode::Output);
            writeLine(n, path);
            closeFile(n);
            QCOMPARE(readAll(real), QStringList{path});
        }
        QVERIFY(QFileInfo(link).isSymLink());
        const auto others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(real) & (others | QFile::ReadOwner | QFile::WriteOwner),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("real").size(), 1);
    }

    // Names as Windows finds them. Files are given by path, "%" for the CP932 bytes of
    // 写真 (a folder) and 波～; each holds its own path. expected: the file read, "-" none,
    // "outside" refused.
    void namesAreFoundAsOnWindows_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("exact");
        const QStringList red{"img/red.dat"}, sub{"img/sub/red.dat"};
        QTest::newRow("exact") << red << "img/red.dat"
                               << "img/red.dat" << true;
        QTest::newRow("other case") << red << "IMG/Red.DAT"
                                    << "img/red.dat" << false;
        QTest::newRow("exact wins")
            << QStringList{"img/Red.dat", "img/red.dat", "img/RED.dat"} << "img/red.dat"
            << "img/red.dat" << true;
        QTest::newRow("backslash") << sub << "img/sub\\red.dat"
                                   << "img/sub/red.dat" << false;
        QTest::newRow("backslash, other case") << sub << "img/SUB\\red.dat"
                                               << "img/sub/red.dat" << false;
        QTest::newRow("CP932 bytes") << QStringList{"img/%/%.dat"} << "img/写真\\波～.dat"
                                     << "img/%/%.dat" << false;
        QTest::newRow("missing") << red << "img/blue.dat"
                                 << "-" << false;
        QTest::newRow("up within the game") << QStringList{"dat/x.dat"} << "img/..\\dat\\x.dat"
                                            << "dat/x.dat" << false;
        QTest::newRow("up out of the game") << red << "img/..\\..\\img\\red.dat"
                                            << "outside" << false;
        QTest::newRow("up out, slashes") << red << "img/../../x/../img/red.dat"
                                         << "outside" << false;
    }
    void namesAreFoundAsOnWindows() {
        QFETCH(QStringList, files);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QFETCH(bool, exact);
        QTemporaryDir game;
        const QString root = game.path() + u'/';
        const auto native = [&](QString relative) {
            QByteArray bytes = QFile::encodeName(root + relative);
            bytes.replace("%/%", encodeCp932(u"写真/波～"));
            return bytes;
        };
        for (const QString &f : std::as_const(files)) {
            QVERIFY(QDir().mkpath(QFileInfo(root + f).path()));
            const QByteArray path = native(f);
            QByteArray folder = path.left(path.lastIndexOf('/'));
            ::mkdir(folder.constData(), 0700);
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
            QVERIFY(fd >= 0 && ::write(fd, f.toUtf8().constData(), size_t(f.toUtf8().size())) > 0);
            ::close(fd);
        }
        const GameFile found = findGameFile(root, name);
        QCOMPARE(found.outside, expected == u"outside");
        QCOMPARE(found.found, expected != u"-" && !found.outside);
        QCOMPARE(found.exact, exact);
        int n = freeFile();
        try {
            openFile(n, found, FileMode::Input);
            QCOMPARE(lineInput(n), expected);
            QCOMPARE(found.native, native(expected));
            closeFile(n);
        } catch (const RuntimeError &e) {
            QVERIFY2(!found.found, qPrintable(e.text()));
            QVERIFY(e.file().endsWith(found.outside ? name : QString(name).replace(u'\\', u'/')));
        }
    }

    void fileNumbersAndErrors() {
        write(file("a.txt"), "x");
        int a = freeFile();
        QCOMPARE(a, 1);
        openFile(a, file("a.txt"), FileMode::Input);
        QCOMPARE(freeFile(), 2);
        QCOMPARE(lineInput(a), QStringLiteral("x"));
        QVERIFY(eof(a));
        try {
            lineInput(a);
            QFAIL("read past the end");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.file(), file("a.txt"));
        }
        closeFile(a);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, eof(a)); // closed
        // A device would be read for ever: only plain files are read.
        QVERIFY_THROWS_EXCEPTION(
            RuntimeError, openFile(freeFile(), QStringLiteral("/dev/zero"), FileMode::Input));
        QCOMPARE(openFileCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"
