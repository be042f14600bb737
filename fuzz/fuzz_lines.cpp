// SPDX-License-Identifier: GPL-3.0-or-later
// The line reader: any bytes split into lines at CR LF or a lone CR, nothing lost.
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QByteArray input = bytesOf(data, size), joined;
    fuzzFolder().bytes(QStringLiteral("dat/lines.dat"), input);
    const int n = rt::freeFile();
    rt::openFile(n, fuzzFolder().dat(QStringLiteral("lines.dat")), rt::FileMode::Input);
    while (!rt::eof(n)) {
        const QByteArray line = rt::lineInputRaw(n);
        expect(!line.contains('\r'));
        joined += line + '\r';
    }
    rt::closeFile(n);
    // Each line ends where a lone CR or a CR LF stood, the last one maybe at the end.
    input.replace("\r\n", "\r");
    expect(joined == (input.isEmpty() || input.endsWith('\r') ? input : input + '\r'));
    return 0;
}
