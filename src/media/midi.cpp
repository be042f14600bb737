// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi.h"

#include "mci.h"

#include <QByteArray>
#include <QFile>

#include <cstring>

namespace media {
namespace {

MciSender &sender() {
    static MciSender current = mciSendStringA;
    return current;
}

// Results are ignored, as the game always did.
void send(const char *command, char *reply = nullptr, unsigned replyLength = 0) {
    sender()(command, reply, replyLength, nullptr);
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

void MidiOpen(const QString &path) {
    send("close MIDI notify");
    const QByteArray command = "open \"" + QFile::encodeName(path) + "\" alias MIDI";
    send(command.constData());
}

void MidiClose() {
    send("close MIDI notify");
}

void MidiPlay() {
    send("play MIDI notify");
}

void MidiStop() {
    send("stop MIDI notify");
}

void BgmTim_Timer() {
    // Runs every millisecond: a stack buffer, no allocation.
    char reply[17];
    std::memset(reply, ' ', 16);
    reply[16] = '\0';
    send("status MIDI mode", reply, 15);
    static constexpr char stopped[] = "STOPPED";
    for (int i = 0; i < 7; ++i)
        if (upper(reply[i]) != stopped[i])
            return;
    send("seek MIDI to start");
    send("play MIDI from 0");
}

void setMciSender(MciSender replacement) {
    sender() = replacement ? std::move(replacement) : MciSender(mciSendStringA);
}

} // namespace media
