// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace rt {
struct GameFile;
}

namespace check {

enum class LineEnd { CrLf, Cr, None };

inline bool beyondAscii(QByteArrayView bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

struct TextLine {
    QString text; // as the game decodes it
    // Where the line starts, counting every line break an editor shows (CR LF, CR or LF),
    // so that a writer finds it; one line of the game may span several when LF stands alone.
    int number = 0;
    LineEnd end = LineEnd::None;
    int bareLineFeeds = 0; // LF bytes that the game keeps inside the line
    bool invalidBytes = false;
};

// One text file, line by line through the game's own numbered-file reader. The reader does
// not say how a line ended, so the bytes after each line are looked up in a second handle.
class TextReader {
  public:
    // Throws rt::RuntimeError where the game's open would fail.
    explicit TextReader(const rt::GameFile &file);
    ~TextReader();
    TextReader(const TextReader &) = delete;
    TextReader &operator=(const TextReader &) = delete;

    bool atEnd();
    TextLine next();

    // Of the lines read so far: all bytes beyond ASCII form valid UTF-8, as when a writer
    // saved the file in the wrong encoding.
    bool looksLikeUtf8() const { return nonAscii_ && utf8Valid_; }
    bool startsWithUtf8Bom() const { return bom_; }

  private:
    int byteAt(qint64 position);

    int fileNo_ = 0;
    QFile ends_;
    QByteArray window_;
    qint64 windowStart_ = 0;
    qint64 offset_ = 0;
    int nextNumber_ = 1;
    bool nonAscii_ = false;
    bool utf8Valid_ = true;
    bool bom_ = false;
};

} // namespace check
