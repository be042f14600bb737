#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

// One game per album. Two games on one album would each write it when they close, and the
// photos of the one closed first would be lost. The first game on an album listens on a
// local socket named after it; a later start asks that game to come to the front instead.
// The socket is in the abstract namespace, so it dies with its process: a game that was
// killed never keeps the next one out.
class AlbumGuard : public QObject {
  public:
    explicit AlbumGuard(std::function<void()> comeForward, QObject *parent = nullptr);
    // True when this game may play on the album; false when another game has it, which
    // has been asked to come to the front.
    bool claim(const QString &albumPath);
    void release();

  private:
    std::function<void()> comeForward_;
    QLocalServer server_;
};
