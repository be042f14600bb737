// SPDX-License-Identifier: GPL-3.0-or-later
#include "error.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace rt {

RuntimeError::RuntimeError(QString message, QString file)
    : message_(std::move(message)), file_(std::move(file)), utf8_(text().toUtf8()) {}

QString RuntimeError::text() const {
    return file_.isEmpty() ? message_ : message_ + u'\n' + file_;
}

QString shortenedReport(const QString &text) {
    constexpr qsizetype head = 160;
    constexpr qsizetype tail = 80;
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.size() <= head + tail + 1)
            continue;
        const qsizetype h = line.at(head - 1).isHighSurrogate() ? head - 1 : head;
        const qsizetype t = line.at(line.size() - tail).isLowSurrogate() ? tail - 1 : tail;
        line = line.left(h) + u'…' + line.right(t);
    }
    return lines.join(u'\n');
}

void showErrorReport(const QString &text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ミルテナ"), text, QMessageBox::Ok);
        box.exec();
    }
}

} // namespace rt
