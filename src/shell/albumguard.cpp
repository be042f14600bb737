// SPDX-License-Identifier: GPL-3.0-or-later
#include "albumguard.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Address {
    sockaddr_un at{};
    socklen_t length = 0;
};

// An abstract name (a leading NUL), per user and per album file.
Address addressFor(const QString &albumPath) {
    const QFileInfo album(albumPath);
    QString folder = QFileInfo(album.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = album.absolutePath();
    const QByteArray key = (folder + u'/' + album.fileName()).toUtf8();
    const QByteArray name = "mirutena-" + QByteArray::number(getuid()) + '-' +
                            QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    Address a;
    a.at.sun_family = AF_UNIX;
    const std::size_t n = std::min(std::size_t(name.size()), sizeof(a.at.sun_path) - 1);
    std::memcpy(a.at.sun_path + 1, name.constData(), n);
    a.length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
    return a;
}

} // namespace

AlbumGuard::AlbumGuard(std::function<void()> comeForward, QObject *parent)
    : QObject(parent), comeForward_(std::move(comeForward)) {}

AlbumGuard::~AlbumGuard() {
    release();
}

bool AlbumGuard::claim(const QString &albumPath) {
    const Address a = addressFor(albumPath);
    const auto *at = reinterpret_cast<const sockaddr *>(&a.at);
    // Two starts at once: one listens, the other finds it. A game that ends between the
    // two tries leaves the name free for the next round.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            break;
        if (::bind(fd, at, a.length) == 0 && ::listen(fd, 8) == 0) {
            listening_ = fd;
            notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
                int peer;
                while ((peer = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
                    ::close(peer);
                    if (comeForward_)
                        comeForward_();
                }
            });
            return true;
        }
        ::close(fd);
        const int other = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool told = other >= 0 && ::connect(other, at, a.length) == 0;
        if (other >= 0)
            ::close(other);
        if (told)
            return false;
    }
    // The socket cannot be had at all: better to play than to refuse the player.
    return true;
}

void AlbumGuard::release() {
    notifier_.reset();
    if (listening_ >= 0)
        ::close(listening_);
    listening_ = -1;
}
