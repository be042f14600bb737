// SPDX-License-Identifier: GPL-3.0-or-later
#include "fluidsynthlib.h"

#include <dlfcn.h>

namespace media {

void *FluidSynth::dependency(const char *name) const {
    // A handle's lookup covers the libraries it brought in, though they stay private to it.
    return handle ? dlsym(handle, name) : nullptr;
}

namespace {

FluidSynth *load() {
    static FluidSynth library;
    void *handle = dlopen(MIRUTENA_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    bool complete = true;
#define MIRUTENA_FLUIDSYNTH_RESOLVE(name)                                                          \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                      \
    complete = complete && library.name;
    MIRUTENA_FLUIDSYNTH_FUNCTIONS(MIRUTENA_FLUIDSYNTH_RESOLVE)
#undef MIRUTENA_FLUIDSYNTH_RESOLVE
    if (!complete) {
        dlclose(handle);
        library = FluidSynth();
        return nullptr;
    }
    library.handle = handle; // kept to the end: its threads and atexit handlers live in it
    return &library;
}

} // namespace

const FluidSynth *fluidSynth() {
    static const FluidSynth *const loaded = load();
    return loaded;
}

} // namespace media
