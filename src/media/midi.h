// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The game's music procedures, called 共用関数 ("shared functions") in the original: one
// song under the alias MIDI, kept looping by a poll from the game's 1 ms timer.
namespace media {

// Where the music procedures send their commands; tests put a fake in its place.
class MciSender {
  public:
    virtual ~MciSender() = default;
    // As mciSendStringA: 0 when it worked; the reply, where one is asked for, in reply.
    virtual int send(const char *command, char *reply, unsigned replyLength) = 0;
};
// The real one: the command stand-in over FluidSynth.
MciSender &mci();

void MidiOpen(MciSender &mci, const QString &path); // closes any song first, then opens it
void MidiClose(MciSender &mci);
void MidiPlay(MciSender &mci);
void MidiStop(MciSender &mci);
// Asks for the mode and, once it reads "stopped" in any case, rewinds and plays again.
void BgmTim_Timer(MciSender &mci);

} // namespace media
