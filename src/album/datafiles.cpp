#include "datafiles.h"

#include "albumlist.h"
#include "catalogue.h"
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
    QList<album::Entry> entries;
    while (!eof(s.fileNo)) {
        QByteArray line = lineInputRaw(s.fileNo);
        entries.push_back({decodeCp932(line), std::move(line)});
    }
    closeFile(s.fileNo);
    if (!entries.empty())
        s.lineBuf = entries.back().text;
    fom.LST->fill(std::move(entries));
}

void writeAlbum(Fom &fom) {
    GameState &s = fom.st;
    const QString path = s.datDir + QStringLiteral("save") + QStringLiteral(".dat");
    s.fileNo = freeFile();
    openFile(s.fileNo, path, FileMode::Output);
    try {
        // Lines go out in blocks: a block of lines joined by CR LF, written as one line,
        // is the same bytes as its lines written one by one.
        constexpr qsizetype blockSize = 64 * 1024;
        QByteArray block;
        block.reserve(blockSize + 64);
        bool pending = false;
        const AlbumList &list = *fom.LST;
        const int count = list.count();
        for (int i = 0; i < count; ++i) {
            if (pending)
                block += "\r\n";
            block += list.bytes(i);
            pending = true;
            if (block.size() >= blockSize) {
                writeLineRaw(s.fileNo, block);
                block.resize(0);
                pending = false;
            }
        }
        if (pending)
            writeLineRaw(s.fileNo, block);
        closeFile(s.fileNo);
    } catch (...) {
        discardFile(s.fileNo); // never commit half an album
        throw;
    }
}

void readCatalogue(Fom &fom, const QString &stem, const QString &prefix, std::span<QString> table,
                   int capacity) {
    GameState &s = fom.st;
    auto heading = [&](qsizetype n) {
        return prefix + QString::number(n) + QStringLiteral("番】");
    };
    s.fileNo = freeFile();
    openFile(s.fileNo, s.datDir + stem + QStringLiteral(".dat"), FileMode::Input);
    const album::CatalogueSplit split = album::splitCatalogue(
        capacity, [&] { return eof(s.fileNo); }, [&] { return s.lineBuf = lineInput(s.fileNo); });
    closeFile(s.fileNo);
    table[0] = heading(0); // also for an empty file
    for (qsizetype n = 0; n < split.records.size(); ++n) {
        table[n] = heading(n);
        for (const QString &line : split.records[n].lines)
            table[n] += QStringLiteral("\r\n") + line;
    }
}
