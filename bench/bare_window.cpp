// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the whole-process figures: the least a Qt program does to put a window of
// the game's size on the screen and paint it, and, given a soundfont, the least memory a
// program holding the game's music needs.
//   bench_bare_window WIDTH HEIGHT [SOUNDFONT]
// BENCH_BARE_TEXT=1 and BENCH_BARE_PICTURE=FILE make its first frame the kind the game's
// first frame is: the opening's picture and a line of Japanese text.

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QWidget>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

class BareWindow : public QWidget {
  public:
    bool withText = false;
    QImage picture; // BENCH_BARE_PICTURE: a picture file drawn over the middle, as a first frame

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        // A window with any text pays for the font system once: fontconfig's set-up and
        // the first Japanese face. BENCH_BARE_TEXT=1 asks for one line of it.
        if (!picture.isNull())
            p.drawImage(QRect(width() / 5, 0, width() * 3 / 5, height() * 3 / 5), picture);
        if (withText) {
            QFont font;
            font.setFamilies({QStringLiteral("IPAGothic")});
            font.setPointSize(9);
            p.setFont(font);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("公園　学校　会社　家"));
        }
    }
};

// FluidSynth is opened only when asked for, so that the bare window pays nothing for it at
// start-up. Kept for the whole run: its memory is what is being measured.
bool loadSoundfont(const char *soundfont) {
    void *library = dlopen("libfluidsynth.so.3", RTLD_NOW);
    if (!library)
        return false;
    auto settings = reinterpret_cast<void *(*)()>(dlsym(library, "new_fluid_settings"));
    auto synth = reinterpret_cast<void *(*)(void *)>(dlsym(library, "new_fluid_synth"));
    auto load =
        reinterpret_cast<int (*)(void *, const char *, int)>(dlsym(library, "fluid_synth_sfload"));
    if (!settings || !synth || !load)
        return false;
    void *synthesiser = synth(settings());
    return synthesiser && load(synthesiser, soundfont, 1) >= 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT [SOUNDFONT]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);

    if (argc > 3 && !loadSoundfont(argv[3])) {
        std::fprintf(stderr, "cannot load the soundfont %s\n", argv[3]);
        return 1;
    }

    BareWindow window;
    window.withText = qEnvironmentVariableIntValue("BENCH_BARE_TEXT") == 1;
    if (const QString file = qEnvironmentVariable("BENCH_BARE_PICTURE"); !file.isEmpty()) {
        QImageReader reader(file);
        reader.setDecideFormatFromContent(true);
        reader.setScaledSize(QSize(width * 3 / 5, height * 3 / 5));
        window.picture = reader.read();
    }
    window.setFixedSize(width, height);
    window.show();
    return app.exec();
}
