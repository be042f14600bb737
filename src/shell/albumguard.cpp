#include "albumguard.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <unistd.h>

namespace {

QString socketName(const QString &albumPath) {
    const QFileInfo album(albumPath);
    QString folder = QFileInfo(album.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = album.absolutePath();
    const QByteArray key = (folder + u'/' + album.fileName()).toUtf8();
    return QStringLiteral("mirutena-%1-%2")
        .arg(getuid())
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20)));
}

} // namespace

AlbumGuard::AlbumGuard(std::function<void()> comeForward, QObject *parent)
    : QObject(parent), comeForward_(std::move(comeForward)) {
    server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = server_.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            peer->disconnectFromServer();
            if (comeForward_)
                comeForward_();
        }
    });
}

bool AlbumGuard::claim(const QString &albumPath) {
    const QString name = socketName(albumPath);
    // Two starts at once: one listens, the other finds it. A game that ends between
    // the two tries leaves the name free for the next round.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (server_.listen(name))
            return true;
        QLocalSocket other;
        other.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        other.connectToServer(name);
        if (other.waitForConnected(2000)) {
            other.waitForDisconnected(2000);
            return false;
        }
    }
    // The socket cannot be had at all: better to play than to refuse the player.
    return true;
}

void AlbumGuard::release() {
    server_.close();
}
