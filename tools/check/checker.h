// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The story checker: reads a game folder as the game does and lists every data fault a
// player would meet, and everything that plays differently from how it reads.
namespace check {

enum class Severity { Error, Warning };

struct Finding {
    QString file; // relative to the game folder, with "/"
    int line = 0; // 0: the file as a whole
    Severity severity = Severity::Error;
    QString code; // a short stable name for the kind of finding
    QString message;
};

struct Report {
    QList<Finding> findings; // by file, then line
    int errors = 0;          // every error found, also those not listed one by one
    int warnings = 0;
};

Report checkGame(const QString &folder);

// "file:line: error: message", or "file: error: message" for a whole file.
QString formatFinding(const Finding &finding);
// "エラー 2 件、警告 1 件"
QString summaryLine(const Report &report);

// A record of a photo catalogue as the game's reader splits it: the line it starts on, and
// whether it holds anything but blanks.
struct CatalogueRecord {
    int line = 0;
    bool visible = false;
};

// Renames what dat/ and img/ hold to the Windows forms of the JIS ones that an input method
// on Linux types (the names the scripts give), then rewrites the folder's dat/*.dat in the
// form the game reads: CP932 with CR LF, the JIS forms mapped to the Windows ones. A file already
// in that form is left as it is, and so is one that cannot be converted. Tells what it did in out
// and returns the number of errors (characters CP932 lacks, files unread, unwritten or not
// renamed).
int fixTextFiles(const QString &folder, QString &out);

// mirutena-check [--fix] [GAME_FOLDER], the folder defaulting to the program's own. Writes the
// findings and the summary to out, complaints about the command line to err, and returns
// the exit status: 0 without errors, 1 with errors, 2 for a bad command line or folder.
int runCommandLine(const QStringList &arguments, const QString &programDir, QString &out,
                   QString &err);

} // namespace check
