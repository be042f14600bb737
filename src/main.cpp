#include "shell/fom.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("mirutena"));
    // Closing the window ends the game through its own shutdown, with its own status.
    app.setQuitOnLastWindowClosed(false);
    Fom fom;
    try {
        fom.Form_Load();
    } catch (const rt::RuntimeError &error) {
        rt::showErrorReport(error.text());
        return 1;
    }
    fom.show();
    return app.exec();
}
