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

void showErrorReport(const QString &text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ミルテナ"), text, QMessageBox::Ok);
        box.exec();
    }
}

} // namespace rt
