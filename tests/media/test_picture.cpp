#include "support/gamefolder.h"

#include "media/picture.h"

#include <QImage>
#include <QTest>

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

    void formatByContentWhateverTheName() {
        GameFolder folder;
        Game game(folder, false);
        for (const char *format : {"PNG", "BMP", "JPEG"}) {
            folder.picture("p", QColor(10, 200, 10), {16, 16}, format);
            PicSet(*game, "p");
            QColor c = game.pictureAt(5, 5);
            QVERIFY2(qAbs(c.green() - 200) < 8 && c.red() < 20, format);
        }
    }

    void failedLoadChangesNothing() {
        GameFolder folder;
        folder.bytes("img/broken.dat", "GIF89a not really");
        Game game(folder, false);
        PicSet(*game, "ttl");
        const QImage before = game->Pic->canvas();
        const QImage buffer = game->E;
        for (const char *name : {"broken", "missing", "TTL"}) {
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
};

QTEST_MAIN(PictureTest)
#include "test_picture.moc"
