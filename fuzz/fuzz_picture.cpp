// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader: any bytes under a .dat name load or fail with a report, nothing else.
#include "fuzzsupport.h"

#include "media/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    folder.bytes(QStringLiteral("img/fuzz.dat"), bytesOf(data, size));
    try {
        QImage picture = loadPicture(folder.path() + QStringLiteral("img/fuzz.dat"));
        (void)picture.pixel(0, 0);
    } catch (const rt::RuntimeError &) {
    }
    return 0;
}
