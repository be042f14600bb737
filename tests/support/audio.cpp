#include "audio.h"

#include "media/mci.h"

#include <QFile>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace audio {

QByteArray song(const QList<int> &notes, bool held) {
    QByteArray track = held ? QByteArray("\x00\xC0\x10\x00\xB0\x40\x7F", 7)
                            : QByteArray("\x00\xC0\x00", 3); // piano
    for (int note : notes) {
        track += QByteArray("\x00\x90", 2) + char(note) + char(100);
        track += QByteArray("\x83\x60\x80", 3) + char(note) + char(0); // 480 ticks later
    }
    track += QByteArray("\x83\x60\xFF\x2F\x00", 5);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk", 18);
    const auto length = quint32(track.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        file += char((length >> shift) & 0xFF);
    return file + track;
}

void write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::vector<float> render(const char *alias) {
    std::vector<float> left(block), right(block);
    if (media::mciRender(alias, left.data(), right.data(), block) != 0)
        return {};
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

float peak(const std::vector<float> &samples) {
    float most = 0;
    for (float s : samples)
        most = std::max(most, std::fabs(s));
    return most;
}

float difference(const std::vector<float> &a, const std::vector<float> &b) {
    if (a.size() != b.size())
        return INFINITY;
    float most = 0;
    for (size_t i = 0; i < a.size(); ++i)
        most = std::max(most, std::fabs(a[i] - b[i]));
    return most;
}

OfflineMusic::OfflineMusic() {
    media::mciUseOfflineRendering(true);
    media::mciSetSoundfontForTests("/usr/share/sounds/sf2/TimGM6mb.sf2");
}

OfflineMusic::~OfflineMusic() {
    media::mciUseOfflineRendering(false);
    media::mciSetSoundfontForTests(nullptr);
}

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    if (file.open()) {
        saved = dup(2);
        dup2(file.handle(), 2);
    }
}

QByteArray StderrCapture::text() {
    restore();
    file.seek(0);
    return file.readAll();
}

void StderrCapture::restore() {
    if (saved < 0)
        return;
    std::fflush(stderr);
    dup2(saved, 2);
    ::close(saved);
    saved = -1;
}

} // namespace audio
