// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "media/picture.h"

#include <QBuffer>
#include <QTest>

class PictureTest : public QObject {
    Q_OBJECT
  private slots:
    // Stretched over the whole view, also after the view changes its size.
    void stretchedOverWholeView() {
        GameFolder folder;
        QImage halves(2, 1, QImage::Format_RGB32);
        halves.setPixelColor(0, 0, Qt::red);
        halves.setPixelColor(1, 0, Qt::blue);
        QVERIFY(halves.save(folder.path() + "img/halves.dat", "BMP"));
        Game game(folder);
        PicSet(*game, "halves");
        QCOMPARE(game->E.size(), QSize(2, 1));
        for (QSize size : {game->Pic->size(), QSize(97, 41)}) {
            game->Pic->resize(size);
            const QImage &view = game->Pic->canvas();
            QCOMPARE(view.size(), size);
            QCOMPARE(view.pixelColor(1, 1), QColor(Qt::red));
            QCOMPARE(view.pixelColor(1, view.height() - 2), QColor(Qt::red));
            QCOMPARE(view.pixelColor(view.width() - 2, view.height() / 2), QColor(Qt::blue));
        }
    }

    // Decoded at the view's size: a camera photo is never held whole.
    void decodedAtTheViewsSize() {
        GameFolder folder;
        Game game(folder, false);
        folder.picture("p", QColor(10, 200, 10), game->Pic->size() + QSize(60, 1), "JPEG");
        PicSet(*game, "p");
        QCOMPARE(game->E.size(), game->Pic->size());
        QVERIFY(qAbs(game.pictureAt(5, 5).green() - 200) < 8);
    }

    void cutOffPictures_data() {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("dropped"); // bytes cut off the end
        for (const char *format : {"BMP", "JPEG", "PNG"})
            QTest::addRow("%s whole", format) << QByteArray(format) << 0;
        QTest::newRow("BMP but its last byte") << QByteArray("BMP") << 1;
        QTest::newRow("JPEG but its end marker") << QByteArray("JPEG") << 2;
        QTest::newRow("PNG but its end") << QByteArray("PNG") << 12;
    }
    void cutOffPictures() {
        QFETCH(QByteArray, format);
        QFETCH(int, dropped);
        // Every pixel its own colour, so the encoder has plenty to write.
        QImage detailed(64, 48, QImage::Format_RGB32);
        for (int i = 0; i < 64 * 48; ++i)
            detailed.setPixel(i % 64, i / 64, 0xff000000u | (i * 2654435761u >> 8));
        QBuffer buffer;
        QVERIFY(detailed.save(&buffer, format.constData()));
        GameFolder folder;
        const QString path = folder.path() + "img/cut.dat";
        folder.bytes("img/cut.dat", buffer.data().chopped(dropped));
        try {
            QCOMPARE(loadPicture(path).size(), QSize(64, 48));
            QVERIFY2(dropped == 0, "a cut-off picture loaded");
        } catch (const rt::RuntimeError &e) {
            QVERIFY2(dropped != 0, qPrintable(e.text()));
            QCOMPARE(e.message(), QStringLiteral("画像を読み込めません。"));
            QCOMPARE(e.file(), path);
        }
    }
};

QTEST_MAIN(PictureTest)
#include "test_picture.moc"
