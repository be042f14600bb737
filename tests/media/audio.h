// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the music tests share: tiny songs, offline rendering and standard error.

#include "media/mci.h"

#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace audio {

constexpr int block = 512;
constexpr int rate = 44100;

// A format-0 song at 120 bpm: one beat per note, then a beat of rest. Held: on an organ,
// which never dies away by itself, with the sustain pedal down throughout.
inline QByteArray song(const QList<int> &notes, bool held = false) {
    QByteArray track = held ? QByteArray("\x00\xC0\x10\x00\xB0\x40\x7F", 7)
                            : QByteArray("\x00\xC0\x00", 3); // piano
    for (int note : notes) {
        track += QByteArray("\x00\x90", 2) + char(note) + char(100);
        track += QByteArray("\x83\x60\x80", 3) + char(note) + char(0); // 480 ticks later
    }
    track += QByteArray("\x83\x60\xFF\x2F\x00", 5);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk", 18);
    for (int shift = 24; shift >= 0; shift -= 8)
        file += char((track.size() >> shift) & 0xFF);
    return file + track;
}
constexpr int songFrames = 4 * rate / 2; // of three notes

// Stopped at the song's end rather than a while after.
inline bool endsOnTime(int frames) {
    return frames >= songFrames - block && frames <= songFrames + rate / 10;
}

inline void write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// One block of both channels of an offline device; empty when it cannot render.
inline std::vector<float> render(const char *alias) {
    std::vector<float> samples(2 * block);
    if (media::mciRender(alias, samples.data(), samples.data() + block, block) != 0)
        return {};
    return samples;
}

inline float peak(const std::vector<float> &samples) {
    float most = 0;
    for (float s : samples)
        most = std::max(most, std::fabs(s));
    return most;
}

inline float difference(const std::vector<float> &a, const std::vector<float> &b) {
    float most = a.size() == b.size() ? 0 : INFINITY;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        most = std::max(most, std::fabs(a[i] - b[i]));
    return most;
}

// Offline rendering with a pinned soundfont for as long as it lives, so that a test that
// fails still puts the defaults back. Runs are compared sample by sample, which another
// soundfont's chorus and modulation upset: timgm6mb-soundfont's, whatever the default.
struct OfflineMusic {
    OfflineMusic() {
        media::mciUseOfflineRendering(true);
        media::mciSetSoundfontForTests("/usr/share/sounds/sf2/TimGM6mb.sf2");
    }
    ~OfflineMusic() {
        media::mciUseOfflineRendering(false);
        media::mciSetSoundfontForTests(nullptr);
    }
};

// Everything written to file descriptor 2 from its making to text().
class StderrCapture {
  public:
    StderrCapture() {
        std::fflush(stderr);
        if (saved >= 0 && file.open())
            dup2(file.handle(), 2);
    }
    ~StderrCapture() {
        text();
        close(saved);
    }
    QByteArray text() {
        std::fflush(stderr);
        if (saved >= 0)
            dup2(saved, 2);
        file.seek(0);
        return file.readAll();
    }

  private:
    const int saved = dup(2);
    QTemporaryFile file;
};

} // namespace audio
