// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/fom.h"
#include "shell/quitsignals.h"
#include "shell/scaling.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    // Before anything else, so that a signal during start-up closes the game normally.
    catchQuitSignals();
    // The music poll wakes the event loop every millisecond; Qt's own loop does that for
    // less than GLib's, and the game needs nothing that runs on GLib's.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    takeOverScaling();
    QApplication app(argc, argv);
    scaleDialogs();
    app.setApplicationName(QStringLiteral("mirutena"));
    app.setDesktopFileName(QStringLiteral(MIRUTENA_APP_ID));
    app.setWindowIcon(QIcon(QStringLiteral(":/mirutena.png")));
    // Closing the window ends the game through its own shutdown, with its own status.
    app.setQuitOnLastWindowClosed(false);
    Fom fom;
    watchQuitSignals([&fom] { fom.quitRequested(); });
    return fom.play();
}
