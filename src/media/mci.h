#pragma once

// A stand-in for the few Windows multimedia command strings the game sends, built on
// FluidSynth. Call it from one thread only (the game's GUI thread).

namespace media {

// Sends a command string: open, play, status, seek, stop or close. Returns 0 on success,
// otherwise one of the error numbers below. Words are separated by blanks; command words
// and aliases are case-insensitive; "notify" is accepted and ignored (no callback window).
//   open "PATH" alias NAME     .mid/.midi/.rmi only; loaded at its start, not playing
//   play NAME [from 0]         returns at once; "from 0" plays from the beginning
//   status NAME mode           "playing" or "stopped" into reply (at most replyLength bytes
//                              with the NUL; a truncated answer returns PARAM_OVERFLOW)
//   seek NAME to start         back to the beginning, stopped there
//   stop NAME / close NAME     close releases everything and frees the alias
// A failed open for a missing or unplayable file, no soundfont or no audio output writes
// one line in Japanese to standard error; every other failure is silent.
int mciSendStringA(const char *command, char *reply, unsigned replyLength, void *callback);

inline constexpr int MCIERR_UNRECOGNIZED_KEYWORD = 259;
inline constexpr int MCIERR_UNRECOGNIZED_COMMAND = 261;
inline constexpr int MCIERR_HARDWARE = 262;
inline constexpr int MCIERR_INVALID_DEVICE_NAME = 263;
inline constexpr int MCIERR_OUT_OF_MEMORY = 264;
inline constexpr int MCIERR_MISSING_COMMAND_STRING = 267;
inline constexpr int MCIERR_PARAM_OVERFLOW = 268;
inline constexpr int MCIERR_MISSING_STRING_ARGUMENT = 269;
inline constexpr int MCIERR_BAD_INTEGER = 270;
inline constexpr int MCIERR_MISSING_PARAMETER = 273;
inline constexpr int MCIERR_UNSUPPORTED_FUNCTION = 274;
inline constexpr int MCIERR_FILE_NOT_FOUND = 275;
inline constexpr int MCIERR_EXTENSION_NOT_FOUND = 281;
inline constexpr int MCIERR_DUPLICATE_ALIAS = 289;
inline constexpr int MCIERR_MISSING_DEVICE_NAME = 292;
inline constexpr int MCIERR_NO_CLOSING_QUOTE = 294;
inline constexpr int MCIERR_DUPLICATE_FLAGS = 295;
inline constexpr int MCIERR_INVALID_FILE = 296;
inline constexpr int MCIERR_EXTRA_CHARACTERS = 305;
inline constexpr int MCIERR_SEQ_NOMIDIPRESENT = 343;

// Test seams.
// Devices opened while this is on get no audio driver: their player runs on the synth's
// sample clock, so the song advances only as mciRender pulls audio from it.
void mciUseOfflineRendering(bool offline);
// Renders the next frames of an offline device (stereo, 44.1 kHz). Returns 0 or an error.
int mciRender(const char *alias, float *left, float *right, int frames);
// Soundfont for later opens: nullptr = the standard places, "" = none found, else that file.
void mciSetSoundfontForTests(const char *path);

} // namespace media
