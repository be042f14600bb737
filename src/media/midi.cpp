// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi.h"

#include "mci.h"

#include <QByteArray>
#include <QFile>

#include <cstring>

namespace media {
namespace {

class RealMci : public MciSender {
  public:
    int send(const char *command, char *reply, unsigned replyLength) override {
        return mciSendStringA(command, reply, replyLength, nullptr);
    }
};

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

MciSender &mci() {
    static RealMci real;
    return real;
}

// Results are ignored, as the game always did.
void MidiOpen(MciSender &mci, const QString &path) {
    mci.send("close MIDI notify", nullptr, 0);
    const QByteArray command = "open \"" + QFile::encodeName(path) + "\" alias MIDI";
    mci.send(command.constData(), nullptr, 0);
}

void MidiClose(MciSender &mci) {
    mci.send("close MIDI notify", nullptr, 0);
}

void MidiPlay(MciSender &mci) {
    mci.send("play MIDI notify", nullptr, 0);
}

void MidiStop(MciSender &mci) {
    mci.send("stop MIDI notify", nullptr, 0);
}

void BgmTim_Timer(MciSender &mci) {
    // Runs every millisecond: a stack buffer, no allocation.
    char reply[17];
    std::memset(reply, ' ', 16);
    reply[16] = '\0';
    mci.send("status MIDI mode", reply, 15);
    static constexpr char stopped[] = "STOPPED";
    for (int i = 0; i < 7; ++i)
        if (upper(reply[i]) != stopped[i])
            return;
    mci.send("seek MIDI to start", nullptr, 0);
    mci.send("play MIDI from 0", nullptr, 0);
}

} // namespace media
