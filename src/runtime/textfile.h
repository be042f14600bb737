// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rt {

struct GameFile;

// Sequential text files by number, as the original run-time had them: take the lowest
// free number, open it for input or output, read or write whole lines, close it.
// Lines end at CR LF or at a lone CR (a lone LF stays inside the line); lines are
// written with CR LF. Output goes to a new file (see SaveFile) that replaces the target only
// when it is closed after everything was written, so a failed save never harms the old
// file. Every failure throws RuntimeError naming the file.

enum class FileMode { Input, Output };

constexpr int maxFileNumber = 255;

int freeFile();
void openFile(int number, const QString &path, FileMode mode);
// A file the game names itself, found by findGameFile (paths.h).
void openFile(int number, const GameFile &file, FileMode mode);
// One line, decoded from CP932.
QString lineInput(int number);
// One line as the bytes stood in the file, for data that must be written back unchanged.
QByteArray lineInputRaw(int number);
bool eof(int number);
void writeLine(int number, QStringView text);
void writeLineRaw(int number, QByteArrayView bytes);
// Closing an output file commits it; a failure there throws and leaves the old file.
void closeFile(int number);
bool isOpen(int number);
// Closes a file without committing it; nothing happens when it is not open.
void discardFile(int number);
// Closes everything without committing output: what the end of the program does.
void closeAllFiles();
int openFileCount();

} // namespace rt
