// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// The game's music procedures, called 共用関数 ("shared functions") in the original: one
// song under the alias MIDI, kept looping by a poll from the game's 1 ms timer.
namespace media {

void MidiOpen(const QString &path); // closes any song first, then opens path as MIDI
void MidiClose();
void MidiPlay();
void MidiStop();
// Asks for the mode and, once it reads "stopped" in any case, rewinds and plays again.
void BgmTim_Timer();

// Test seam: what the procedures send their commands through; empty = mciSendStringA.
using MciSender = std::function<int(const char *, char *, unsigned, void *)>;
void setMciSender(MciSender sender);
// Installs a sender for as long as it lives, so a test that fails still puts it back.
class ScopedMciSender {
  public:
    explicit ScopedMciSender(MciSender sender) { setMciSender(std::move(sender)); }
    ~ScopedMciSender() { setMciSender({}); }
    ScopedMciSender(const ScopedMciSender &) = delete;
    ScopedMciSender &operator=(const ScopedMciSender &) = delete;
};

} // namespace media
