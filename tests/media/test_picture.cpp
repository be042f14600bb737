// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "media/picture.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <random>

namespace {

// Every pixel its own colour, so the encoder has plenty to write.
QImage detailed(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(3);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xff000000u | (random() & 0xffffffu));
    }
    return image;
}

// A 64 x 48 GIF, which Qt cannot write, of 128 colours: with eight-bit codes and a clear
// code every 100 pixels, each code is one byte and one pixel.
QByteArray gif() {
    QByteArray file("GIF89a@\0"
                    "0\0\xf6\0\0",
                    13);
    for (int i = 0; i < 128 * 3; ++i)
        file += char(i * 37);
    file += QByteArray(",\0\0\0\0@\0"
                       "0\0\0\7",
                       11);
    QByteArray codes;
    for (int i = 0; i < 64 * 48; ++i) {
        if (i % 100 == 0)
            codes += '\x80';
        codes += char(i * 7 % 128);
    }
    codes += '\x81';
    for (qsizetype at = 0; at < codes.size(); at += 255)
        file += char(codes.mid(at, 255).size()) + codes.mid(at, 255);
    return file + QByteArray("\0;", 2);
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT
  private slots:
    void stretchedOverWholeView() {
        GameFolder folder;
        QImage halves(2, 1, QImage::Format_RGB32);
        halves.setPixelColor(0, 0, Qt::red);
        halves.setPixelColor(1, 0, Qt::blue);
        QVERIFY(halves.save(folder.path() + "img/halves.dat", "BMP"));
        Game game(folder, false);
        PicSet(*game, "halves");
        const QImage &view = game->Pic->canvas();
        QCOMPARE(view.size(), game->Pic->size());
        QCOMPARE(game->E.size(), QSize(2, 1));
        QCOMPARE(view.pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(view.pixelColor(1, view.height() - 2), QColor(Qt::red));
        QCOMPARE(view.pixelColor(view.width() - 2, view.height() / 2), QColor(Qt::blue));
    }

    // Decoded at the view's size: a photo bigger than the view is never held whole.
    void formatByContentWhateverTheName() {
        GameFolder folder;
        Game game(folder, false);
        for (const char *format : {"PNG", "BMP", "JPEG"}) {
            folder.picture("p", QColor(10, 200, 10), game->Pic->size() + QSize(60, 1), format);
            PicSet(*game, "p");
            QCOMPARE(game->E.size(), game->Pic->size());
            QColor c = game.pictureAt(5, 5);
            QVERIFY2(qAbs(c.green() - 200) < 8 && c.red() < 20, format);
        }
    }

    void cutOffPictures_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<double>("kept"); // a share of the file, or minus the bytes dropped
        for (const char *format : {"BMP", "JPEG", "PNG", "GIF"}) {
            for (double kept : {0.05, 0.5, 0.95, 1.0})
                QTest::addRow("%s %g", format, kept) << QByteArray(format) << kept;
        }
        QTest::newRow("BMP but its last byte") << QByteArray("BMP") << -1.0;
        QTest::newRow("JPEG but its end marker") << QByteArray("JPEG") << -2.0;
        QTest::newRow("GIF but the frame's end") << QByteArray("GIF") << -2.0;
    }
    void cutOffPictures() {
        QFETCH(QByteArray, format);
        QFETCH(double, kept);
        QBuffer buffer;
        QVERIFY(format == "GIF" || detailed({64, 48}).save(&buffer, format.constData()));
        const QByteArray whole = format == "GIF" ? gif() : buffer.data();
        GameFolder folder;
        const QString path = folder.path() + "img/cut.dat";
        folder.bytes("img/cut.dat", kept < 0 ? whole.chopped(int(-kept))
                                             : whole.left(qRound(whole.size() * kept)));
        try {
            QCOMPARE(loadPicture(path).size(), QSize(64, 48));
            QVERIFY2(kept == 1, "a cut-off picture loaded");
        } catch (const rt::RuntimeError &e) {
            QVERIFY2(kept != 1, qPrintable(e.text()));
            QCOMPARE(e.message(), QStringLiteral("画像を読み込めません。"));
            QCOMPARE(e.file(), path);
        }
    }

    void failedLoadChangesNothing() {
        GameFolder folder;
        folder.bytes("img/broken.dat", "GIF89a not really");
        Game game(folder, false);
        PicSet(*game, "ttl");
        const QImage before = game->Pic->canvas();
        const QImage buffer = game->E;
        for (const char *name : {"broken", "missing", "..\\..\\ttl"}) {
            try {
                PicSet(*game, name);
                QFAIL(name);
            } catch (const rt::RuntimeError &e) {
                QVERIFY(e.file().endsWith(QString::fromLatin1(name) + ".dat"));
            }
            QCOMPARE(game->Pic->canvas(), before);
            QCOMPARE(game->E, buffer);
        }
    }

    // A resize scales what was painted: the canvas follows the view's size and still
    // shows the picture over the whole of it.
    void resizeFollowsWhatWasPainted() {
        QImage halves(2, 1, QImage::Format_RGB32);
        halves.setPixelColor(0, 0, Qt::red);
        halves.setPixelColor(1, 0, Qt::blue);
        PictureView view(nullptr);
        view.resize(40, 30);
        view.show();
        view.paintStretched(halves);
        view.resize(97, 41);
        QCOMPARE(view.canvas().size(), QSize(97, 41));
        QCOMPARE(view.canvas().pixelColor(2, 39), QColor(Qt::red));
        QCOMPARE(view.canvas().pixelColor(94, 1), QColor(Qt::blue));
    }
};

QTEST_MAIN(PictureTest)
#include "test_picture.moc"
