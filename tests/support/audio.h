#pragma once

#include <QByteArray>
#include <QList>
#include <QTemporaryFile>

#include <vector>

// What the music tests share: tiny songs, offline rendering and standard error.
namespace audio {

constexpr int block = 512;
constexpr int rate = 44100;

// A format-0 song at 120 bpm: one beat per note, then a beat of rest. Held: on an organ,
// which never dies away by itself, with the sustain pedal down throughout.
QByteArray song(const QList<int> &notes, bool held = false);
constexpr int songFrames(int notes) {
    return (notes + 1) * rate / 2;
}
void write(const QString &path, const QByteArray &bytes);

// One block of both channels of an offline device; empty when it cannot render.
std::vector<float> render(const char *alias);
float peak(const std::vector<float> &samples);
float difference(const std::vector<float> &a, const std::vector<float> &b);

// Offline rendering with a pinned soundfont for as long as it lives, so that a test that
// fails still puts the defaults back. Runs are compared sample by sample, which another
// soundfont's chorus and modulation upset: timgm6mb-soundfont's, whatever the default.
struct OfflineMusic {
    OfflineMusic();
    ~OfflineMusic();
    OfflineMusic(const OfflineMusic &) = delete;
    OfflineMusic &operator=(const OfflineMusic &) = delete;
};

// Everything written to file descriptor 2 while it lives.
class StderrCapture {
  public:
    StderrCapture();
    ~StderrCapture() { restore(); }
    QByteArray text();

  private:
    void restore();
    QTemporaryFile file;
    int saved = -1;
};

} // namespace audio
