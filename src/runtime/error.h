// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>

namespace rt {

// The run-time's error: what failed, in Japanese, and the file concerned.
// Every failure that is not handled ends the program with its report.
class RuntimeError : public std::exception {
  public:
    RuntimeError(QString message, QString file = {});

    const QString &message() const { return message_; }
    const QString &file() const { return file_; }
    // The whole report: the message, then the file on its own line.
    QString text() const;
    const char *what() const noexcept override { return utf8_.constData(); }

  private:
    QString message_;
    QString file_;
    QByteArray utf8_;
};

// Shows the report as the original run-time did: a modal dialog captioned with the
// application title, and the same text on standard error.
void showErrorReport(const QString &text);
// The report with every over-long line cut to its start and end: a name from an edited
// album can be megabytes long, which no dialog lays out in time.
QString shortenedReport(const QString &text);

} // namespace rt
