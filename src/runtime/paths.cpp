// SPDX-License-Identifier: GPL-3.0-or-later
#include "paths.h"

#include "cp932.h"
#include "error.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

QString withTrailingSeparator(const QString &dir) {
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

QString programDir() {
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}

QList<FolderEntry> listFolder(const QByteArray &nativeDir) {
    QList<FolderEntry> entries;
    DIR *dir = ::opendir(nativeDir.isEmpty() ? "." : nativeDir.constData());
    if (!dir)
        return entries;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray bytes(e->d_name);
        if (bytes == "." || bytes == "..")
            continue;
        QString name = utf8.decode(bytes);
        if (utf8.hasError()) {
            utf8.resetState();
            name = decodeCp932(bytes);
        }
        entries.append({std::move(name), bytes});
    }
    ::closedir(dir);
    return entries;
}

namespace {

bool isDir(const QByteArray &native) {
    struct stat st {};
    return ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of dir that Windows would take for part: the same text (a CP932 name is still
// the same text), else the same in any case; the lowest bytes among equals.
const FolderEntry *pick(const QList<FolderEntry> &entries, const QString &part) {
    const FolderEntry *best = nullptr;
    int bestRank = 0;
    for (const FolderEntry &e : entries) {
        const int rank = e.name == part                                   ? 1
                         : e.name.compare(part, Qt::CaseInsensitive) == 0 ? 2
                                                                          : 0;
        if (rank != 0 &&
            (!best || rank < bestRank || (rank == bestRank && e.native < best->native))) {
            best = &e;
            bestRank = rank;
        }
    }
    return best;
}

} // namespace

GameFile findGameFile(const QString &root, QStringView name) {
    GameFile f;
    // Windows reads the name as text: "." and empty parts go, ".." takes the folder back.
    QStringList parts;
    for (QStringView part : name.tokenize(u'/', Qt::SkipEmptyParts)) {
        for (QStringView piece : part.tokenize(u'\\', Qt::SkipEmptyParts)) {
            if (piece == u".")
                continue;
            if (piece != u"..") {
                parts.append(piece.toString());
            } else if (parts.isEmpty()) {
                f.outside = true;
                f.path = root + name.toString();
                f.native = QFile::encodeName(f.path);
                return f;
            } else {
                parts.removeLast();
            }
        }
    }
    const QString relative = parts.join(u'/');
    f.path = root + relative;
    f.native = QFile::encodeName(f.path);
    struct stat st {};
    if (::stat(f.native.constData(), &st) == 0) {
        f.found = true;
        f.plain = S_ISREG(st.st_mode);
        f.exact = relative == name;
        return f;
    }
    // Part by part: each one as it stands, else as the folder has it.
    QByteArray at = QFile::encodeName(root);
    QString shown = root;
    bool exact = relative == name;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        const bool last = i + 1 == parts.size();
        QByteArray next = at + QFile::encodeName(part);
        if (last ? ::access(next.constData(), F_OK) != 0 : !isDir(next)) {
            const QList<FolderEntry> entries = listFolder(at);
            const FolderEntry *e = pick(entries, part);
            if (!e)
                return f;
            next = at + e->native;
            exact = false;
            f.cp932Name = f.cp932Name || e->native != e->name.toUtf8();
            shown += e->name;
        } else {
            shown += part;
        }
        at = last ? next : next + '/';
        if (!last)
            shown += u'/';
    }
    if (::stat(at.constData(), &st) != 0)
        return f;
    f.path = shown;
    f.native = at;
    f.found = true;
    f.plain = S_ISREG(st.st_mode);
    f.exact = exact;
    return f;
}

GameFile plainPath(const QString &path) {
    GameFile f;
    f.path = path;
    f.native = QFile::encodeName(path);
    struct stat st {};
    f.found = ::stat(f.native.constData(), &st) == 0;
    f.plain = f.found && S_ISREG(st.st_mode);
    f.exact = true;
    return f;
}

void openForReading(QFile &file, const GameFile &found) {
    if (found.outside) {
        throw RuntimeError(QStringLiteral("ゲームのフォルダーの外を指す名前なので、開きません。"),
                           found.path);
    }
    if (!found.found)
        throw RuntimeError(QStringLiteral("ファイルが見つかりません。"), found.path);
    const int fd = found.plain ? ::open(found.native.constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        throw RuntimeError(QStringLiteral("ファイルを読み込めません。"), found.path);
    }
}

} // namespace rt
