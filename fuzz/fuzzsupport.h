// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/gamefolder.h"

#include "album/datafiles.h"
#include "media/picture.h"
#include "runtime/textfile.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstdlib>

// One offscreen application and one game folder for the whole run.
inline GameFolder &fuzzFolder() {
    static int argc = 1;
    static char name[] = "mirutena-fuzz", *argv[] = {name, nullptr};
    // Kept to the end of the run, which libFuzzer ends with exit().
    static QApplication *app =
        (::setenv("QT_QPA_PLATFORM", "offscreen", 0), new QApplication(argc, argv));
    static GameFolder folder;
    (void)app;
    return folder;
}

inline QByteArray bytesOf(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A broken promise stops the run with the input that broke it.
inline void expect(bool promise) {
    if (!promise)
        std::abort();
}
