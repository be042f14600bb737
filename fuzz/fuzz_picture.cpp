// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader: any bytes load or fail with a report, nothing else.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzzFolder().bytes(QStringLiteral("img/fuzz.dat"), bytesOf(data, size));
    try {
        (void)loadPicture(fuzzFolder().path() + QStringLiteral("img/fuzz.dat")).pixel(0, 0);
    } catch (const rt::RuntimeError &) {
    }
    return 0;
}
