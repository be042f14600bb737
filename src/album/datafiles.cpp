// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafiles.h"

#include "albumlist.h"
#include "catalogue.h"
#include "runtime/cp932.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"
#include "shell/fom.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace rt;

AlbumPlace albumPlace(const QString &datDir, bool gameWritable, const QString &dataHome) {
    const QString shipped = findGameFile(datDir, u"save.dat").path;
    // Without a home there is nowhere else: the save then reports the game folder's file.
    if (gameWritable || dataHome.isEmpty())
        return {shipped, {}};
    return {withTrailingSeparator(dataHome) + QStringLiteral("mirutena/save.dat"), shipped};
}

AlbumPlace albumPlace(const QString &datDir) {
#ifdef MIRUTENA_SYSTEM_INSTALL
    const bool writable = false;
#else
    const bool writable = QFileInfo(datDir).isDir() && QFileInfo(datDir).isWritable();
#endif
    return albumPlace(datDir, writable,
                      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

void readAlbum(Fom &fom) {
    GameState &s = fom.st;
    QString path = s.albumFile;
    if (!QFileInfo::exists(path) && !s.albumSeed.isEmpty())
        path = s.albumSeed;
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
    const QString &path = s.albumFile;
    // The player's data folder may not exist yet; a failure shows as the file's own error.
    QDir().mkpath(QFileInfo(path).absolutePath());
    s.fileNo = freeFile();
    openFile(s.fileNo, path, FileMode::Output);
    try {
        // Kept: SaveFile is unbuffered; a write a line made 10,000 photos 15x the floor.
        // Lines go out in blocks: a block of lines joined by CR LF, written as one line,
        // is the same bytes as its lines written one by one.
        constexpr qsizetype blockSize = 64 * 1024;
        QByteArray block;
        block.reserve(blockSize + 64);
        bool pending = false;
        for (const album::Entry &entry : fom.LST->entries()) {
            if (pending)
                block += "\r\n";
            block += entry.bytes;
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
    openFile(s.fileNo, findGameFile(s.datDir, stem + QStringLiteral(".dat")), FileMode::Input);
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
