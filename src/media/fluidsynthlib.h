// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FluidSynth, loaded when the music is first opened rather than linked: it brings some
// forty libraries with it (sound servers, SDL, GLib, libsndfile), and the game's first
// frame need not wait for them.

#include <fluidsynth.h>

#define MIRUTENA_FLUIDSYNTH_FUNCTIONS(X)                                                           \
    X(new_fluid_settings)                                                                          \
    X(delete_fluid_settings)                                                                       \
    X(fluid_settings_setstr)                                                                       \
    X(fluid_settings_setint)                                                                       \
    X(fluid_settings_setnum)                                                                       \
    X(fluid_set_log_function)                                                                      \
    X(new_fluid_synth)                                                                             \
    X(delete_fluid_synth)                                                                          \
    X(fluid_is_soundfont)                                                                          \
    X(fluid_synth_sfload)                                                                          \
    X(fluid_synth_write_float)                                                                     \
    X(fluid_synth_count_midi_channels)                                                             \
    X(fluid_synth_cc)                                                                              \
    X(fluid_synth_all_notes_off)                                                                   \
    X(new_fluid_player)                                                                            \
    X(delete_fluid_player)                                                                         \
    X(fluid_player_add_mem)                                                                        \
    X(fluid_player_play)                                                                           \
    X(fluid_player_stop)                                                                           \
    X(fluid_player_seek)                                                                           \
    X(fluid_player_get_status)                                                                     \
    X(fluid_player_get_total_ticks)                                                                \
    X(fluid_player_get_current_tick)                                                               \
    X(new_fluid_audio_driver)                                                                      \
    X(delete_fluid_audio_driver)

namespace media {

struct FluidSynth {
#define MIRUTENA_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
    MIRUTENA_FLUIDSYNTH_FUNCTIONS(MIRUTENA_FLUIDSYNTH_POINTER)
#undef MIRUTENA_FLUIDSYNTH_POINTER

    // A function of FluidSynth's own dependencies (ALSA, SDL), or nullptr.
    void *dependency(const char *name) const;

    void *handle = nullptr;
};

// The library, loaded on the first call; nullptr when it cannot be loaded or lacks a
// function (then every later call says the same at once).
const FluidSynth *fluidSynth();

} // namespace media
