// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfile.h"

#include "cp932.h"
#include "error.h"
#include "paths.h"
#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <memory>

namespace rt {
namespace {

constexpr qsizetype chunkSize = 64 * 1024;

QString cannotRead() {
    return QStringLiteral("ファイルを読み込めません。");
}
QString cannotWrite() {
    return QStringLiteral("ファイルに書き込めません。");
}

struct OpenFile {
    QString path;
    FileMode mode = FileMode::Input;
    std::unique_ptr<QFile> in;
    std::unique_ptr<SaveFile> out;
    QByteArray buffer; // unread input from buffer[pos] on
    qsizetype pos = 0;
    bool emptyFile = false;

    // True when at least one byte is in the buffer.
    bool fill() {
        if (pos < buffer.size())
            return true;
        buffer = in->read(chunkSize);
        pos = 0;
        if (buffer.isEmpty() && in->error() != QFileDevice::NoError)
            throw RuntimeError(cannotRead(), path);
        return !buffer.isEmpty();
    }

    QByteArray readLine() {
        if (!fill()) {
            throw RuntimeError(emptyFile
                                   ? QStringLiteral("ファイルが空です。")
                                   : QStringLiteral("ファイルの終わりを越えて読もうとしました。"),
                               path);
        }
        QByteArray line;
        for (;;) {
            qsizetype cr = buffer.indexOf('\r', pos);
            if (cr < 0) {
                line += QByteArrayView(buffer).sliced(pos);
                pos = buffer.size();
                if (!fill())
                    return line;
                continue;
            }
            if (line.isEmpty())
                line = buffer.sliced(pos, cr - pos);
            else
                line += QByteArrayView(buffer).sliced(pos, cr - pos);
            pos = cr + 1;
            if (fill() && buffer[pos] == '\n')
                ++pos;
            return line;
        }
    }
};

std::array<std::unique_ptr<OpenFile>, maxFileNumber + 1> &table() {
    static std::array<std::unique_ptr<OpenFile>, maxFileNumber + 1> files;
    return files;
}

OpenFile &fileFor(int number, FileMode mode) {
    if (number < 1 || number > maxFileNumber || !table()[number])
        throw RuntimeError(QStringLiteral("ファイル番号が正しくありません。"));
    OpenFile &f = *table()[number];
    if (f.mode != mode)
        throw RuntimeError(QStringLiteral("ファイルのモードが正しくありません。"), f.path);
    return f;
}

} // namespace

int freeFile() {
    for (int n = 1; n <= maxFileNumber; ++n) {
        if (!table()[n])
            return n;
    }
    throw RuntimeError(QStringLiteral("開いているファイルが多すぎます。"));
}

void openFile(int number, const QString &path, FileMode mode) {
    openFile(number, plainPath(path), mode);
}

void openFile(int number, const GameFile &file, FileMode mode) {
    const QString &path = file.path;
    if (number < 1 || number > maxFileNumber)
        throw RuntimeError(QStringLiteral("ファイル番号が正しくありません。"), path);
    if (table()[number])
        throw RuntimeError(QStringLiteral("ファイルは既に開いています。"), path);
    auto f = std::make_unique<OpenFile>();
    f->path = path;
    f->mode = mode;
    if (mode == FileMode::Input) {
        f->in = std::make_unique<QFile>();
        openForReading(*f->in, file);
        f->emptyFile = f->in->size() == 0;
    } else {
        if (QFileInfo(path).isDir())
            throw RuntimeError(cannotWrite(), path);
        f->out = std::make_unique<SaveFile>(path);
        if (!f->out->open())
            throw RuntimeError(cannotWrite(), path);
    }
    table()[number] = std::move(f);
}

QByteArray lineInputRaw(int number) {
    return fileFor(number, FileMode::Input).readLine();
}

QString lineInput(int number) {
    return decodeCp932(lineInputRaw(number));
}

bool eof(int number) {
    OpenFile &f = fileFor(number, FileMode::Input);
    return !f.fill();
}

void writeLineRaw(int number, QByteArrayView bytes) {
    OpenFile &f = fileFor(number, FileMode::Output);
    if (!f.out->write(bytes, "\r\n"))
        throw RuntimeError(cannotWrite(), f.path);
}

void writeLine(int number, QStringView text) {
    writeLineRaw(number, encodeCp932(text));
}

void closeFile(int number) {
    if (number < 1 || number > maxFileNumber || !table()[number])
        throw RuntimeError(QStringLiteral("ファイル番号が正しくありません。"));
    std::unique_ptr<OpenFile> f = std::move(table()[number]);
    if (f->out && !f->out->commit())
        throw RuntimeError(cannotWrite(), f->path);
}

bool isOpen(int number) {
    return number >= 1 && number <= maxFileNumber && table()[number] != nullptr;
}

void discardFile(int number) {
    if (isOpen(number))
        table()[number].reset();
}

void closeAllFiles() {
    for (auto &f : table())
        f.reset(); // an uncommitted save throws its new contents away
}

int openFileCount() {
    int count = 0;
    for (auto &f : table())
        count += f != nullptr;
    return count;
}

} // namespace rt
