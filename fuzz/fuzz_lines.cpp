// SPDX-License-Identifier: GPL-3.0-or-later
// The line reader: any bytes split into lines at CR LF or a lone CR, nothing lost.
#include "fuzzsupport.h"

#include "runtime/textfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameFolder &folder = fuzzFolder();
    const QByteArray input = bytesOf(data, size);
    folder.bytes(QStringLiteral("dat/lines.dat"), input);
    const int n = rt::freeFile();
    rt::openFile(n, folder.dat(QStringLiteral("lines.dat")), rt::FileMode::Input);
    qsizetype bytes = 0;
    int lines = 0;
    while (!rt::eof(n)) {
        const QByteArray line = rt::lineInputRaw(n);
        if (line.contains('\r'))
            std::abort();
        bytes += line.size();
        ++lines;
    }
    rt::closeFile(n);
    // Every byte is in a line or in a terminator: CR LF counts two, a lone CR one.
    const qsizetype terminators = input.count('\r') + input.count("\r\n");
    if (bytes + terminators != input.size())
        std::abort();
    const int expectedLines =
        int(input.count('\r')) +
        ((input.isEmpty() || input.endsWith('\r') || input.endsWith("\r\n")) ? 0 : 1);
    if (lines != expectedLines)
        std::abort();
    return 0;
}
