// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace rt {
namespace {

// ASCII and the half-width katakana are handled here: ICU's converter rotates a few
// control codes (0x1A, 0x1C, 0x7F) the IBM way, which Windows never did.
bool isLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrail(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}
bool isKana(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}

QStringDecoder &decoder() {
    static thread_local QStringDecoder d("windows-31j", QStringConverter::Flag::Stateless);
    return d;
}

QStringEncoder &encoder() {
    static thread_local QStringEncoder e("windows-31j", QStringConverter::Flag::Stateless);
    return e;
}

// A run of complete double-byte characters; unmapped pairs come back as U+FFFD.
void appendDoubleBytes(QString &out, QByteArrayView run) {
    QString decoded = decoder().decode(run);
    if (decoded.size() * 2 == run.size()) {
        out += decoded;
        return;
    }
    for (qsizetype i = 0; i < run.size(); i += 2) {
        QString one = decoder().decode(run.sliced(i, 2));
        out += one.size() == 1 ? one : QString(QChar::ReplacementCharacter);
    }
}

} // namespace

QString decodeCp932(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        unsigned char b = p[i];
        if (b < 0x80) {
            qsizetype j = i;
            while (j < n && p[j] < 0x80)
                ++j;
            out += QLatin1StringView(bytes.data() + i, j - i);
            i = j;
        } else if (isKana(b)) {
            out += QChar(0xFF61 + (b - 0xA1));
            ++i;
        } else if (isLead(b) && i + 1 < n && isTrail(p[i + 1])) {
            qsizetype j = i;
            while (j + 1 < n && isLead(p[j]) && isTrail(p[j + 1]))
                j += 2;
            appendDoubleBytes(out, bytes.sliced(i, j - i));
            i = j;
        } else {
            out += QChar::ReplacementCharacter;
            ++i;
        }
    }
    return out;
}

QByteArray encodeCp932(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        char16_t c = text[i].unicode();
        if (c < 0x80) {
            out += char(c);
            ++i;
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            out += char(0xA1 + (c - 0xFF61));
            ++i;
        } else {
            // One character at a time so that an unmappable one becomes exactly one "?".
            qsizetype len = QChar::isHighSurrogate(c) && i + 1 < n ? 2 : 1;
            QByteArray enc = encoder().encode(text.sliced(i, len));
            // ICU writes its own substitute for what CP932 lacks; only a true round trip counts.
            bool ok = enc.size() == 2 && QString(decoder().decode(enc)) == text.sliced(i, len);
            out += ok ? enc : QByteArray("?");
            i += len;
        }
    }
    return out;
}

} // namespace rt
