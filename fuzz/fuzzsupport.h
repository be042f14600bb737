// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/gamefolder.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// One offscreen application and one game folder for the whole fuzzing run.
GameFolder &fuzzFolder();
inline QByteArray bytesOf(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
