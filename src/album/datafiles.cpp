#include "datafiles.h"

#include "albumlist.h"
#include "runtime/cp932.h"
#include "runtime/textfile.h"
#include "shell/fom.h"

#include <QFileInfo>

using namespace rt;

void readAlbum(Fom &fom) {
    GameState &s = fom.st;
    const QString path = s.datDir + QStringLiteral("save") + QStringLiteral(".dat");
    // No album yet is an empty one; shutdown creates the file.
    if (!QFileInfo::exists(path))
        return;
    s.fileNo = freeFile();
    openFile(s.fileNo, path, FileMode::Input);
    QList<QByteArray> lines;
    while (!eof(s.fileNo))
        lines.append(lineInputRaw(s.fileNo));
    closeFile(s.fileNo);
    if (!lines.isEmpty())
        s.lineBuf = decodeCp932(lines.last());
    album::fill(*fom.LST, lines);
}

void writeAlbum(Fom &fom) {
    GameState &s = fom.st;
    const QString path = s.datDir + QStringLiteral("save") + QStringLiteral(".dat");
    s.fileNo = freeFile();
    openFile(s.fileNo, path, FileMode::Output);
    try {
        const int count = fom.LST->count();
        for (int i = 0; i < count; ++i)
            writeLineRaw(s.fileNo, album::bytesOf(*fom.LST->item(i)));
        closeFile(s.fileNo);
    } catch (...) {
        discardFile(s.fileNo); // never commit half an album
        throw;
    }
}

void readCatalogue(Fom &fom, const QString &stem, const QString &prefix, std::span<QString> table,
                   int capacity) {
    GameState &s = fom.st;
    auto heading = [&](int n) { return prefix + QString::number(n) + QStringLiteral("番】"); };
    const QString separator = QStringLiteral(">");
    s.fileNo = freeFile();
    openFile(s.fileNo, s.datDir + stem + QStringLiteral(".dat"), FileMode::Input);
    int n = 0;
    table[0] = heading(0);
    if (!eof(s.fileNo)) {
        s.lineBuf = lineInput(s.fileNo);
        for (;;) {
            bool ended = false;
            while (s.lineBuf != separator) {
                table[n] += QStringLiteral("\r\n") + s.lineBuf;
                if (eof(s.fileNo)) {
                    ended = true;
                    break;
                }
                s.lineBuf = lineInput(s.fileNo);
            }
            if (ended || eof(s.fileNo))
                break;
            s.lineBuf = lineInput(s.fileNo);
            if (++n >= capacity)
                break;
            table[n] = heading(n);
        }
    }
    closeFile(s.fileNo);
}
