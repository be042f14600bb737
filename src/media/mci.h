// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A stand-in, built on FluidSynth, for the Windows multimedia command strings the game
// sends. One call at a time: the game opens its song on a worker thread and waits for it
// before it sends anything else. The audio thread of FluidSynth plays meanwhile; what the
// commands change under it, FluidSynth makes safe.

namespace media {

// Understands only the game's forms ("notify" at the end is accepted and ignored):
//   open "PATH" alias NAME     loaded at its start, not playing
//   play NAME [from 0]         returns at once; "from 0" plays from the beginning
//   status NAME mode           "playing" or "stopped" into reply (replyLength with the NUL)
//   seek NAME to start         back to the beginning, stopped there
//   stop NAME / close NAME     close releases everything and frees the alias
// Returns 0, or mciFailed for anything else. A failed open for a missing or unplayable
// file, no soundfont or no audio output writes one line in Japanese to standard error.
int mciSendStringA(const char *command, char *reply, unsigned replyLength, void *callback);
inline constexpr int mciFailed = 1;

// For the data checker: true when FluidSynth is there and cannot play the file as a song.
bool mciRefusesSong(const char *path);

// Test seams.
// Devices opened while this is on get no audio driver: their player runs on the synth's
// sample clock, so the song advances only as mciRender pulls audio from it.
void mciUseOfflineRendering(bool offline);
// Renders the next frames of an offline device (stereo, 44.1 kHz). Returns 0 or mciFailed.
int mciRender(const char *alias, float *left, float *right, int frames);
// Soundfont for later opens: nullptr = the standard places, "" = none found, else that file.
void mciSetSoundfontForTests(const char *path);

} // namespace media
