// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/quitsignals.h"
#include "shell/scaling.h"
#include "testplay.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

namespace {
void print(FILE *to, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}
} // namespace

int main(int argc, char *argv[]) {
    // The command line first, so that a mistake or --help needs no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString out;
    QString err;
    int status = 0;
    // Where this program lies, as the game finds its own folder (no application object yet).
    const QString programDir =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    const std::optional<testplay::Plan> plan =
        testplay::parse(arguments, programDir, out, err, status);
    print(stdout, out);
    print(stderr, err);
    if (!plan)
        return status;

    catchQuitSignals();
    // As the game itself: the music poll wakes the loop every millisecond.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    takeOverScaling(); // as the game itself: a square window on a scaled desktop
    QApplication app(argc, argv);
    scaleDialogs();
    app.setApplicationName(QStringLiteral("mirutena"));
    app.setQuitOnLastWindowClosed(false);
    Fom::Options options;
    testplay::configure(options, *plan);
    Fom fom(options);
    watchQuitSignals([&fom] { fom.quitRequested(); });
    return fom.play();
}
