#include "checker.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
void print(FILE *to, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QString out;
    QString err;
    const int status = check::runCommandLine(app.arguments().mid(1),
                                             QCoreApplication::applicationDirPath(), out, err);
    print(stdout, out);
    print(stderr, err);
    return status;
}
