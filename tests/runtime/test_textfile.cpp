// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/cp932.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"

#include <QDir>
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
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QStringList readAll(const QString &path) {
        const int n = freeFile();
        openFile(n, path, FileMode::Input);
        QStringList lines;
        while (!eof(n))
            lines << lineInput(n);
        closeFile(n);
        return lines;
    }

  private slots:
    void lineEndings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("lone cr ends a line") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("lone lf stays") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        // The reader works in blocks; a CR at a block's end must still pair with its LF.
        QTest::newRow("cr lf across a block") << QByteArray(65535, 'x') + "\r\nnext\r\n"
                                              << QStringList{QString(65535, 'x'), "next"};
    }
    void lineEndings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        write(file("l.txt"), bytes);
        QCOMPARE(readAll(file("l.txt")), lines);
    }

    // The Windows code page, not JIS; bytes that are no character read as U+FFFD.
    void cp932_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("wave dash, dash, parallel, minus, yen as backslash")
            << QByteArray("\x81\x60\x81\x5c\x81\x61\x81\x7c\x5c\x7e\x1a\x7f")
            << QString::fromUtf16(u"\uFF5E\u2015\u2225\uFF0D\\~\x1A\x7F");
        // A lone lead, an unmapped pair, bytes never used, a lead at the end.
        QTest::newRow("invalid") << QByteArray("a\x80\x85\x40\x82\xa0\xfd\xff\x82")
                                 << QStringLiteral("a\uFFFD\uFFFDあ\uFFFD\uFFFD\uFFFD");
    }
    void cp932() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeCp932(bytes), text);
        if (!text.contains(QChar(0xFFFD)))
            QCOMPARE(encodeCp932(text), bytes);
        QCOMPARE(encodeCp932(u"é"), QByteArray("?"));
    }

    // Names as Windows finds them. Files are given by path, "%" for the CP932 bytes of
    // 写真 (a folder) and 波～. expected: the file found, "-" none, "outside" refused.
    void namesAreFoundAsOnWindows_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("exact");
        const QString red = "img/red.dat", none = "-", outside = "outside";
        QTest::newRow("exact") << QStringList{red} << red << red << true;
        QTest::newRow("other case") << QStringList{red} << "IMG/Red.DAT" << red << false;
        QTest::newRow("exact wins")
            << QStringList{"img/Red.dat", red, "img/RED.dat"} << red << red << true;
        QTest::newRow("backslash, other case")
            << QStringList{"img/sub/red.dat"} << "img/SUB\\red.dat" << QString("img/sub/red.dat")
            << false;
        QTest::newRow("CP932 bytes") << QStringList{"img/%/%.dat"} << "img/写真\\波～.dat"
                                     << QString("img/%/%.dat") << false;
        QTest::newRow("missing") << QStringList{red} << "img/blue.dat" << none << false;
        QTest::newRow("up within the game")
            << QStringList{"dat/x.dat"} << "img/..\\dat\\x.dat" << QString("dat/x.dat") << false;
        QTest::newRow("up out of the game")
            << QStringList{red} << "img/..\\..\\img\\red.dat" << outside << false;
    }
    void namesAreFoundAsOnWindows() {
        QFETCH(QStringList, files);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QFETCH(bool, exact);
        QTemporaryDir game;
        const QString root = game.path() + u'/';
        const auto native = [&](const QString &relative) {
            return QFile::encodeName(root + relative).replace("%/%", encodeCp932(u"写真/波～"));
        };
        for (const QString &f : std::as_const(files)) {
            const QByteArray path = native(f);
            QVERIFY(QDir().mkpath(QFileInfo(root + f).path()));
            ::mkdir(path.left(path.lastIndexOf('/')).constData(), 0700);
            QVERIFY(::close(::open(path.constData(), O_WRONLY | O_CREAT, 0600)) == 0);
        }
        const GameFile found = findGameFile(root, name);
        QCOMPARE(found.outside, expected == u"outside");
        QCOMPARE(found.found, expected != u"-" && !found.outside);
        QCOMPARE(found.exact, exact);
        if (found.found)
            QCOMPARE(found.native, native(expected));
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"
