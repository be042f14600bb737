// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded (LD_PRELOAD) into a program whose whole run is measured. It changes nothing
// unless asked through the environment:
//   BENCH_PAINT_FILE=PATH  writes "MICROSECONDS WIDTH HEIGHT" to PATH for the first frame
//                          the program sends to the X server (wall clock, since the epoch)
// Both sides of a comparison get the same library, so its cost cancels out.

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

// The few declarations needed, spelled out so that no development headers are required.
extern "C" {
struct xcb_connection_t;
struct xcb_void_cookie_t {
    unsigned int sequence;
};
}

namespace {

// The real function. Qt's X11 plugin is opened with local symbols, so its libraries are not
// found by RTLD_NEXT; they are loaded by then and can be asked by name.
template <class Function> Function next(const char *name, const char *library) {
    void *real = dlsym(RTLD_NEXT, name);
    if (!real)
        if (void *handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD))
            real = dlsym(handle, name);
    return reinterpret_cast<Function>(real);
}

std::atomic<bool> painted{false};

// Cursors and icons travel as small images too; a frame of a window is never this small.
void stampFirstFrame(unsigned width, unsigned height) {
    if (width < 32 || height < 32 || painted.exchange(true))
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const char *file = std::getenv("BENCH_PAINT_FILE");
    if (!file)
        return;
    // Written beside and renamed, so a reader never sees half a line.
    const std::string partial = std::string(file) + ".part";
    if (FILE *out = std::fopen(partial.c_str(), "w")) {
        std::fprintf(out, "%lld %u %u\n",
                     static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000, width,
                     height);
        std::fclose(out);
        std::rename(partial.c_str(), file);
    }
}

} // namespace

extern "C" {

#define FORWARD_PUT_IMAGE(name)                                                                    \
    xcb_void_cookie_t name(xcb_connection_t *c, uint8_t format, uint32_t drawable, uint32_t gc,    \
                           uint16_t width, uint16_t height, int16_t x, int16_t y, uint8_t pad,     \
                           uint8_t depth, uint32_t length, const uint8_t *data) {                  \
        static auto real = next<decltype(&name)>(#name, "libxcb.so.1");                            \
        stampFirstFrame(width, height);                                                            \
        return real(c, format, drawable, gc, width, height, x, y, pad, depth, length, data);       \
    }
FORWARD_PUT_IMAGE(xcb_put_image)
FORWARD_PUT_IMAGE(xcb_put_image_checked)

#define FORWARD_SHM_PUT_IMAGE(name)                                                                \
    xcb_void_cookie_t name(xcb_connection_t *c, uint32_t drawable, uint32_t gc, uint16_t totalW,   \
                           uint16_t totalH, uint16_t srcX, uint16_t srcY, uint16_t width,          \
                           uint16_t height, int16_t x, int16_t y, uint8_t depth, uint8_t format,   \
                           uint8_t sendEvent, uint32_t segment, uint32_t offset) {                 \
        static auto real = next<decltype(&name)>(#name, "libxcb-shm.so.0");                        \
        stampFirstFrame(width, height);                                                            \
        return real(c, drawable, gc, totalW, totalH, srcX, srcY, width, height, x, y, depth,       \
                    format, sendEvent, segment, offset);                                           \
    }
FORWARD_SHM_PUT_IMAGE(xcb_shm_put_image)
FORWARD_SHM_PUT_IMAGE(xcb_shm_put_image_checked)

#define FORWARD_COPY_AREA(name)                                                                    \
    xcb_void_cookie_t name(xcb_connection_t *c, uint32_t from, uint32_t to, uint32_t gc,           \
                           int16_t srcX, int16_t srcY, int16_t x, int16_t y, uint16_t width,       \
                           uint16_t height) {                                                      \
        static auto real = next<decltype(&name)>(#name, "libxcb.so.1");                            \
        stampFirstFrame(width, height);                                                            \
        return real(c, from, to, gc, srcX, srcY, x, y, width, height);                             \
    }
FORWARD_COPY_AREA(xcb_copy_area)
FORWARD_COPY_AREA(xcb_copy_area_checked)

} // extern "C"
