#include "shell/fom.h"
#include "shell/quitsignals.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    // The music poll wakes the event loop every millisecond; Qt's own loop does that for
    // less than GLib's, and the game needs nothing that runs on GLib's.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mirutena"));
    app.setDesktopFileName(QStringLiteral(MIRUTENA_APP_ID));
    app.setWindowIcon(QIcon(QStringLiteral(":/mirutena.png")));
    // Closing the window ends the game through its own shutdown, with its own status.
    app.setQuitOnLastWindowClosed(false);
    Fom fom;
    // A signal that arrives while the album is still being read waits in the pipe
    // until the event loop runs, so the album is always whole when it is written.
    installQuitSignals([&fom] { fom.entry([&fom] { fom.Form_Unload(); }); });
    // Start-up goes through the same guard as every other entry: any failure there,
    // out of memory included, gets the error report.
    if (!fom.load())
        return fom.exitStatus(); // reported, or another game on this album came forward
    fom.show();
    return app.exec();
}
