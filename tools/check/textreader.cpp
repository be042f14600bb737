// SPDX-License-Identifier: GPL-3.0-or-later
#include "textreader.h"

#include "runtime/cp932.h"
#include "runtime/error.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"

#include <QStringDecoder>

namespace check {
namespace {

constexpr qint64 windowSize = 64 * 1024;

bool validUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

TextReader::TextReader(const rt::GameFile &file) {
    const int number = rt::freeFile();
    rt::openFile(number, file, rt::FileMode::Input);
    fileNo_ = number;
    // The game's open succeeded, so this one only fails on a file that vanished just now;
    // the line ends then read as the end of the file.
    try {
        rt::openForReading(ends_, file);
    } catch (const rt::RuntimeError &) {
    }
}

TextReader::~TextReader() {
    rt::discardFile(fileNo_);
}

bool TextReader::atEnd() {
    return rt::eof(fileNo_);
}

int TextReader::byteAt(qint64 position) {
    if (position < windowStart_ || position >= windowStart_ + window_.size()) {
        if (!ends_.isOpen() || !ends_.seek(position))
            return -1;
        window_ = ends_.read(windowSize);
        windowStart_ = position;
        if (window_.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(window_[position - windowStart_]);
}

TextLine TextReader::next() {
    const QByteArray raw = rt::lineInputRaw(fileNo_);
    TextLine line;
    line.text = rt::decodeCp932(raw);
    line.number = nextNumber_;
    line.bareLineFeeds = int(raw.count('\n'));
    line.invalidBytes = line.text.contains(QChar::ReplacementCharacter);
    if (offset_ == 0 && raw.startsWith("\xEF\xBB\xBF"))
        bom_ = true;
    if (beyondAscii(raw)) {
        nonAscii_ = true;
        if (utf8Valid_ && !validUtf8(raw))
            utf8Valid_ = false;
    }

    qint64 end = offset_ + raw.size();
    if (byteAt(end) == '\r') {
        line.end = byteAt(end + 1) == '\n' ? LineEnd::CrLf : LineEnd::Cr;
        end += line.end == LineEnd::CrLf ? 2 : 1;
    }
    offset_ = end;
    nextNumber_ += 1 + line.bareLineFeeds;
    return line;
}

} // namespace check
