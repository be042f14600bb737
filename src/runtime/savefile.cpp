// SPDX-License-Identifier: GPL-3.0-or-later
#include "savefile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace rt {
namespace {

QString resolved(const QString &path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical; // a dangling link: create
}

// So that the new name survives a power cut as well as the contents.
void syncFolder(const QString &file) {
    const int dir = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

SaveFile::SaveFile(const QString &path)
    : target_(resolved(path)), staging_(QFile::encodeName(stagingPath(target_))) {}

SaveFile::~SaveFile() {
    drop();
}

QString SaveFile::stagingPath(const QString &path) {
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new");
}

bool SaveFile::open() {
    drop();
    const QByteArray target = QFile::encodeName(target_);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    // A file the player made read-only is not replaced behind their back.
    if (exists && (S_ISDIR(old.st_mode) || ::access(target.constData(), W_OK) != 0)) {
        error_ = S_ISDIR(old.st_mode) ? EISDIR : EACCES;
        return false;
    }
    // The unnamed file is named later through /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const QByteArray dir = QFile::encodeName(QFileInfo(target_).absolutePath());
        fd_ = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    }
    if (fd_ < 0) {
        ::unlink(staging_.constData());
        fd_ = ::open(staging_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            fail();
            return false;
        }
        named_ = true;
    }
    if (exists)
        ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool SaveFile::write(QByteArrayView first, QByteArrayView second) {
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    const char *p[2] = {first.data(), second.data()};
    size_t left[2] = {size_t(first.size()), size_t(second.size())};
    while (left[0] + left[1] > 0) {
        iovec parts[2];
        int count = 0;
        for (int i = 0; i < 2; ++i) {
            if (left[i])
                parts[count++] = {const_cast<char *>(p[i]), left[i]};
        }
        ssize_t n = ::writev(fd_, parts, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail();
            return false;
        }
        for (int i = 0; i < 2; ++i) {
            const size_t done = std::min(size_t(n), left[i]);
            p[i] += done;
            left[i] -= done;
            n -= ssize_t(done);
        }
    }
    return true;
}

bool SaveFile::commit() {
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    bool ok = ::fsync(fd_) == 0;
    if (ok && !named_) {
        ::unlink(staging_.constData()); // what a killed save left
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
        ok = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, staging_.constData(),
                      AT_SYMLINK_FOLLOW) == 0;
        named_ = ok;
    }
    if (ok) {
        ok = ::close(fd_) == 0;
        fd_ = -1;
    }
    if (ok)
        ok = ::rename(staging_.constData(), QFile::encodeName(target_).constData()) == 0;
    if (!ok) {
        fail();
        drop();
        return false;
    }
    named_ = false;
    syncFolder(target_);
    return true;
}

QString SaveFile::errorString() const {
    return QString::fromLocal8Bit(std::strerror(error_));
}

void SaveFile::fail() {
    error_ = errno;
}

void SaveFile::drop() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (named_)
        ::unlink(staging_.constData());
    named_ = false;
}

} // namespace rt
