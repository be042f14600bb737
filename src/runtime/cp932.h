// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rt {

// All text files are in the Windows Japanese code page on every platform, with the
// Windows mappings (0x8160 is U+FF5E, not the JIS wave dash). Bytes that are not valid
// CP932 decode to U+FFFD; callers that must keep such bytes keep the raw line.
QString decodeCp932(QByteArrayView bytes);
// Characters without a CP932 form are written as "?".
QByteArray encodeCp932(QStringView text);

} // namespace rt
