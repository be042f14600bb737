// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker.h"

#include <QApplication>
#include <cstdio>

namespace {
void print(FILE *to, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}
} // namespace

int main(int argc, char **argv) {
    // Pages are laid out in the game's own window, never shown: the same in a terminal
    // without a display as on any desktop, whatever its resolution.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Setting up a platform that never shows anything has nothing to tell a writer (a
    // missing XDG_RUNTIME_DIR, say); later messages go through as usual.
    const QtMessageHandler usual = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
    QApplication app(argc, argv);
    qInstallMessageHandler(usual);
    QString out;
    QString err;
    const int status = check::runCommandLine(app.arguments().mid(1),
                                             QCoreApplication::applicationDirPath(), out, err);
    print(stdout, out);
    print(stderr, err);
    return status;
}
