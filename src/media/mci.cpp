// SPDX-License-Identifier: GPL-3.0-or-later
#include "mci.h"

#include "fluidsynthlib.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace media {
namespace {

// Only called once the library is loaded: nothing of FluidSynth's exists before.
const FluidSynth &fs() {
    return *fluidSynth();
}

template <auto Delete> struct Deleter {
    template <class T> void operator()(T *object) const { (fs().*Delete)(object); }
};
using Settings = std::unique_ptr<fluid_settings_t, Deleter<&FluidSynth::delete_fluid_settings>>;
using Synth = std::unique_ptr<fluid_synth_t, Deleter<&FluidSynth::delete_fluid_synth>>;
using Player = std::unique_ptr<fluid_player_t, Deleter<&FluidSynth::delete_fluid_player>>;
using AudioDriver =
    std::unique_ptr<fluid_audio_driver_t, Deleter<&FluidSynth::delete_fluid_audio_driver>>;

// General MIDI soundfonts, first found wins.
constexpr const char *soundfontPlaces[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",
};

constexpr int sampleRate = 44100;
// Background music wants no low latency: periods of 10 ms instead of FluidSynth's 1.5 ms
// wake the audio thread a seventh as often, and a restart at the song's end still lands
// within one period. Whole milliseconds, too: FluidSynth's file driver runs on a
// millisecond timer and would fall behind real time on a fraction.
constexpr int periodFrames = sampleRate / 100;

bool offlineRendering = false;
std::optional<std::string> soundfontForTests;

int fail(const char *what, const std::string &file = {}) {
    std::fprintf(stderr, "ミルテナ: %s%s%s\n", what, file.empty() ? "" : ": ", file.c_str());
    std::fflush(stderr);
    return mciFailed;
}

void ignoreFluidLog(int, const char *, void *) {}
void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void silenceFluidSynth() {
    static bool done = false;
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL && !done; ++level)
        fs().fluid_set_log_function(level, ignoreFluidLog, nullptr);
    done = true;
}

// ALSA prints its failures itself. It comes in with FluidSynth, so it is looked up, not linked.
void silenceAlsa() {
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    if (auto set = reinterpret_cast<int (*)(Handler)>(fs().dependency("snd_lib_error_set_handler")))
        set(ignoreAlsaError);
}

// FluidSynth's SDL2 driver wants the program to start SDL's audio first; looked up like ALSA.
// It stays started: SDL counts the starts, and one open is all a run makes.
bool startSdl() {
    auto init = reinterpret_cast<int (*)(unsigned)>(fs().dependency("SDL_InitSubSystem"));
    return init && init(0x10) == 0; // SDL_INIT_AUDIO
}

AudioDriver startAudio(fluid_settings_t *settings, fluid_synth_t *synth) {
    // FluidSynth's own drivers, best first; the others need a server nobody runs for a game.
    std::vector<const char *> drivers = {"pipewire", "pulseaudio", "alsa", "sdl2"};
    // A machine without a sound card (a benchmark, a server) may name FluidSynth's driver,
    // e.g. MIRUTENA_AUDIO_DRIVER=file with MIRUTENA_AUDIO_FILE=/dev/null.
    if (const char *chosen = std::getenv("MIRUTENA_AUDIO_DRIVER"); chosen && *chosen)
        drivers = {chosen};
    const char *file = std::getenv("MIRUTENA_AUDIO_FILE");
    fs().fluid_settings_setstr(settings, "audio.file.name", file && *file ? file : "/dev/null");
    for (const char *name : drivers) {
        const std::string_view driver = name;
        if (driver == "alsa")
            silenceAlsa();
        if (driver == "sdl2" && !startSdl())
            continue;
        fs().fluid_settings_setstr(settings, "audio.driver", name);
        if (AudioDriver started{fs().new_fluid_audio_driver(settings, synth)})
            return started;
    }
    return {};
}

bool loadSoundfont(fluid_synth_t *synth) {
    // Anything but a SoundFont goes to libinstpatch, which complains on standard error.
    auto load = [synth](const char *file) {
        return fs().fluid_is_soundfont(file) &&
               fs().fluid_synth_sfload(synth, file, 1) != FLUID_FAILED;
    };
    if (soundfontForTests)
        return load(soundfontForTests->c_str());
    return std::ranges::any_of(soundfontPlaces, load);
}

QByteArray readSong(const QString &name) {
    QFile file(name);
    return QFileInfo(name).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                      : QByteArray();
}

enum class State { AtStart, Playing, Paused };

struct Device {
    Settings settings; // destroyed in reverse: the driver first, then player, synth, settings
    Synth synth;
    Player player;
    AudioDriver driver;
    State state = State::AtStart;
    // The song's length in ticks, once the player has read it: asking FluidSynth walks
    // every event, and the poll asks a thousand times a second.
    int totalTicks = 0;
    // A rewind takes effect on the audio thread's next block; until then the position
    // still reads as the end.
    bool rewindPending = false;
};

// A synth with the song in a player, which follows the rendered samples as in FluidSynth's
// own player: no thread of its own, and offline nothing runs its clock but rendering.
bool build(Device &device, const QByteArray &song) {
    fluid_settings_t *settings = fs().new_fluid_settings();
    device.settings.reset(settings);
    if (!settings)
        return false;
    fs().fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fs().fluid_settings_setint(settings, "audio.period-size", periodFrames);
    fs().fluid_settings_setstr(settings, "player.timing-source", "sample");
    device.synth.reset(fs().new_fluid_synth(settings));
    device.player.reset(device.synth ? fs().new_fluid_player(device.synth.get()) : nullptr);
    return device.player && fs().fluid_player_add_mem(device.player.get(), song.constData(),
                                                      song.size()) == FLUID_OK;
}

// FluidSynth reads a song only as it starts playing it, so a throwaway player plays one
// block on a bare synth first: a song it cannot read leaves that player done at once.
bool playable(const QByteArray &song) {
    Device probe;
    if (!build(probe, song) || fs().fluid_player_play(probe.player.get()) != FLUID_OK)
        return false;
    float left[64], right[64];
    fs().fluid_synth_write_float(probe.synth.get(), 64, left, 0, 1, right, 0, 1);
    return fs().fluid_player_get_status(probe.player.get()) == FLUID_PLAYER_PLAYING;
}

std::map<std::string, std::unique_ptr<Device>, std::less<>> devices;

bool reachedEnd(Device &device) {
    fluid_player_t *player = device.player.get();
    if (fs().fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        return true;
    if (device.totalTicks <= 0)
        device.totalTicks = fs().fluid_player_get_total_ticks(player);
    const int position = fs().fluid_player_get_current_tick(player);
    if (device.rewindPending) {
        device.rewindPending = position >= device.totalTicks;
        return false;
    }
    // The player lingers a while past the last event; the original stopped right there.
    return device.totalTicks > 0 && position >= device.totalTicks;
}

// The player runs on the audio thread's sample clock, so it is never replaced while the
// audio goes on: it is stopped and sent back to its start, which FluidSynth does safely
// from any thread, and a finished player plays again from there.
int rewind(Device &device) {
    if (device.state == State::AtStart)
        return 0;
    fs().fluid_player_stop(device.player.get());
    if (fs().fluid_player_seek(device.player.get(), 0) != FLUID_OK)
        return mciFailed;
    fluid_synth_t *synth = device.synth.get();
    for (int channel = 0; channel < fs().fluid_synth_count_midi_channels(synth); ++channel)
        fs().fluid_synth_cc(synth, channel, 64, 0); // a held pedal would keep the notes on
    fs().fluid_synth_all_notes_off(synth, -1);
    device.rewindPending = true;
    device.state = State::AtStart;
    return 0;
}

int play(Device &device, bool fromStart) {
    if (fromStart && rewind(device) != 0)
        return mciFailed;
    if (device.state != State::Playing && fs().fluid_player_play(device.player.get()) != FLUID_OK)
        return mciFailed;
    device.state = State::Playing;
    return 0;
}

int open(const std::string &path, std::string_view alias) {
    if (alias.empty() || devices.contains(alias))
        return mciFailed;
    if (!fluidSynth())
        return fail("MIDI 音源（FluidSynth）を読み込めません");
    silenceFluidSynth();
    const QString name = QFile::decodeName(path.c_str());
    if (!QFileInfo::exists(name))
        return fail("音楽ファイルが見つかりません", path);
    const QByteArray song = readSong(name);
    if (!playable(song))
        return fail("音楽ファイルを再生できません", path);

    auto device = std::make_unique<Device>();
    if (!build(*device, song))
        return mciFailed;
    if (!loadSoundfont(device->synth.get()))
        return fail("MIDI 音源（サウンドフォント）が見つかりません");
    if (!offlineRendering) {
        device->driver = startAudio(device->settings.get(), device->synth.get());
        if (!device->driver)
            return fail("音声出力を開けません");
    }
    devices.emplace(alias, std::move(device));
    return 0;
}

// Takes the next blank-separated word off the front of text.
std::string_view next(std::string_view &text) {
    const size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return word;
}

} // namespace

int mciSendStringA(const char *command, char *reply, unsigned replyLength, void *) {
    if (reply && replyLength > 0)
        reply[0] = '\0';
    std::string_view text = command ? command : "";
    if (text.ends_with(" notify"))
        text.remove_suffix(7);
    const std::string_view verb = next(text);
    if (verb == "open") {
        // The quotes keep a path with blanks together.
        const size_t quote = text.find('"', 1);
        if (!text.starts_with('"') || quote == text.npos ||
            !text.substr(quote + 1).starts_with(" alias "))
            return mciFailed;
        const std::string path(text.substr(1, quote - 1));
        text.remove_prefix(quote + 8);
        const std::string_view alias = next(text);
        return text.empty() ? open(path, alias) : mciFailed;
    }
    const auto device = devices.find(next(text));
    if (device == devices.end())
        return mciFailed;
    Device &d = *device->second;
    if (verb == "play" && (text.empty() || text == "from 0"))
        return play(d, !text.empty());
    if (verb == "status" && text == "mode" && reply) {
        const bool playing = d.state == State::Playing && !reachedEnd(d);
        const int length = std::snprintf(reply, replyLength, "%s", playing ? "playing" : "stopped");
        return unsigned(length) < replyLength ? 0 : mciFailed;
    }
    if (verb == "seek" && text == "to start")
        return rewind(d);
    if (verb == "stop" && text.empty()) {
        if (d.state == State::Playing) {
            fs().fluid_player_stop(d.player.get()); // lets go of the notes and the pedal too
            d.state = State::Paused;
        }
        return 0;
    }
    if (verb == "close" && text.empty()) {
        devices.erase(device);
        return 0;
    }
    return mciFailed;
}

bool mciRefusesSong(const char *path) {
    if (!fluidSynth())
        return false; // the machine's lack, not the song's
    silenceFluidSynth();
    return !playable(readSong(QFile::decodeName(path)));
}

void mciUseOfflineRendering(bool offline) {
    offlineRendering = offline;
}

int mciRender(const char *alias, float *left, float *right, int frames) {
    const auto device = devices.find(std::string_view(alias));
    // A device with an audio driver is rendered by its audio thread alone.
    if (device == devices.end() || device->second->driver)
        return mciFailed;
    fluid_synth_t *synth = device->second->synth.get();
    return fs().fluid_synth_write_float(synth, frames, left, 0, 1, right, 0, 1) == FLUID_OK
               ? 0
               : mciFailed;
}

void mciSetSoundfontForTests(const char *path) {
    soundfontForTests = path ? std::optional<std::string>(path) : std::nullopt;
}

} // namespace media
