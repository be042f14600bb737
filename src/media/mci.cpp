#include "mci.h"

#include "fluidsynthlib.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
constexpr std::array soundfontPlaces = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",
};
// FluidSynth's own drivers, best first; the others need a server nobody runs for a game.
constexpr std::array audioDrivers = {"pipewire", "pulseaudio", "alsa", "sdl2"};

constexpr int sampleRate = 44100;
// Background music wants no low latency: periods of 10 ms instead of FluidSynth's 1.5 ms
// wake the audio thread a seventh as often, and a restart at the song's end still lands
// within one period. Whole milliseconds, too: FluidSynth's file driver runs on a
// millisecond timer and would fall behind real time on a fraction.
constexpr int periodFrames = sampleRate / 100;

const char *const missingSong = "音楽ファイルが見つかりません";
const char *const unplayableSong = "音楽ファイルを再生できません";
const char *const missingSoundfont = "MIDI 音源（サウンドフォント）が見つかりません";
const char *const noAudio = "音声出力を開けません";
const char *const noSynth = "MIDI 音源（FluidSynth）を読み込めません";

bool offlineRendering = false;
std::optional<std::string> soundfontForTests;

void report(const char *what, std::string_view file = {}) {
    std::string line = "ミルテナ: ";
    line += what;
    if (!file.empty()) {
        line += ": ";
        line += file;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ignoreFluidLog(int, const char *, void *) {}
void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void silenceFluidSynth() {
    static bool done = false;
    if (done)
        return;
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
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
class SdlAudio {
  public:
    SdlAudio() = default;
    SdlAudio(const SdlAudio &) = delete;
    SdlAudio &operator=(const SdlAudio &) = delete;
    ~SdlAudio() { stop(); }

    bool start() {
        auto init = reinterpret_cast<int (*)(unsigned)>(fs().dependency("SDL_InitSubSystem"));
        started = init && init(audioSubsystem) == 0;
        return started;
    }
    void stop() {
        auto quit = reinterpret_cast<void (*)(unsigned)>(fs().dependency("SDL_QuitSubSystem"));
        if (started && quit)
            quit(audioSubsystem);
        started = false;
    }

  private:
    static constexpr unsigned audioSubsystem = 0x10; // SDL_INIT_AUDIO
    bool started = false;
};

bool hasOption(fluid_settings_t *settings, const char *name, const char *option) {
    struct Search {
        const char *option;
        bool found;
    } search{option, false};
    fs().fluid_settings_foreach_option(settings, name, &search,
                                       [](void *data, const char *, const char *o) {
                                           auto *s = static_cast<Search *>(data);
                                           s->found = s->found || std::strcmp(s->option, o) == 0;
                                       });
    return search.found;
}

AudioDriver startAudio(fluid_settings_t *settings, fluid_synth_t *synth, SdlAudio &sdl) {
    // A machine without a sound card (a benchmark, a server) may name FluidSynth's driver,
    // e.g. MIRUTENA_AUDIO_DRIVER=file with MIRUTENA_AUDIO_FILE=/dev/null.
    std::vector<const char *> drivers(audioDrivers.begin(), audioDrivers.end());
    if (const char *chosen = std::getenv("MIRUTENA_AUDIO_DRIVER"); chosen && *chosen) {
        drivers = {chosen};
        if (std::string_view(chosen) == "file") {
            const char *file = std::getenv("MIRUTENA_AUDIO_FILE");
            fs().fluid_settings_setstr(settings, "audio.file.name",
                                       file && *file ? file : "/dev/null");
        }
    }
    for (const char *name : drivers) {
        const std::string_view driver = name;
        if (!hasOption(settings, "audio.driver", name))
            continue;
        if (driver == "alsa")
            silenceAlsa();
        if (driver == "sdl2" && !sdl.start())
            continue;
        fs().fluid_settings_setstr(settings, "audio.driver", name);
        if (AudioDriver started{fs().new_fluid_audio_driver(settings, synth)})
            return started;
        if (driver == "sdl2")
            sdl.stop();
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
    return std::any_of(soundfontPlaces.begin(), soundfontPlaces.end(), load);
}

// FluidSynth reads a song only as it starts playing it, so a throwaway player plays one
// block on a bare synth first: a song it cannot read leaves that player done at once.
bool playable(const QByteArray &song) {
    Settings settings{fs().new_fluid_settings()};
    if (!settings)
        return false;
    fs().fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    fs().fluid_settings_setint(settings.get(), "synth.reverb.active", 0);
    fs().fluid_settings_setint(settings.get(), "synth.chorus.active", 0);
    Synth synth{fs().new_fluid_synth(settings.get())};
    Player player{synth ? fs().new_fluid_player(synth.get()) : nullptr};
    if (!player ||
        fs().fluid_player_add_mem(player.get(), song.constData(), song.size()) != FLUID_OK ||
        fs().fluid_player_play(player.get()) != FLUID_OK)
        return false;
    float left[64], right[64];
    fs().fluid_synth_write_float(synth.get(), 64, left, 0, 1, right, 0, 1);
    return fs().fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING;
}

enum class State { AtStart, Playing, Paused };

struct Device {
    std::string alias;
    SdlAudio sdl; // destroyed in reverse: the driver first, then player, synth, settings
    Settings settings;
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

std::vector<std::unique_ptr<Device>> &devices() {
    static std::vector<std::unique_ptr<Device>> open;
    return open;
}

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

Device *find(std::string_view alias) {
    for (auto &device : devices())
        if (sameWord(device->alias, alias))
            return device.get();
    return nullptr;
}

Player newPlayer(fluid_synth_t *synth, const QByteArray &song) {
    Player player{fs().new_fluid_player(synth)};
    if (player &&
        fs().fluid_player_add_mem(player.get(), song.constData(), song.size()) != FLUID_OK)
        player.reset();
    return player;
}

bool reachedEnd(Device &device) {
    fluid_player_t *player = device.player.get();
    if (fs().fluid_player_get_status(player) == FLUID_PLAYER_DONE)
        return true;
    if (device.totalTicks <= 0)
        device.totalTicks = fs().fluid_player_get_total_ticks(player);
    const int position = fs().fluid_player_get_current_tick(player);
    if (device.rewindPending) {
        if (position < device.totalTicks)
            device.rewindPending = false;
        return false;
    }
    // The player lingers a while past the last event; the original stopped right there.
    return device.totalTicks > 0 && position >= device.totalTicks;
}

void releaseNotes(Device &device) {
    const int channels = fs().fluid_synth_count_midi_channels(device.synth.get());
    for (int channel = 0; channel < channels; ++channel)
        fs().fluid_synth_cc(device.synth.get(), channel, 64, 0); // a held pedal would keep them on
    fs().fluid_synth_all_notes_off(device.synth.get(), -1);
}

// The player runs on the audio thread's sample clock, so it is never replaced while the
// audio goes on: it is stopped and sent back to its start, which FluidSynth does safely
// from any thread, and a finished player plays again from there.
int rewind(Device &device) {
    if (device.state == State::AtStart)
        return 0;
    fs().fluid_player_stop(device.player.get());
    if (fs().fluid_player_seek(device.player.get(), 0) != FLUID_OK)
        return MCIERR_HARDWARE;
    releaseNotes(device);
    device.rewindPending = true;
    device.state = State::AtStart;
    return 0;
}

int play(Device &device, bool fromStart) {
    if (fromStart)
        if (int error = rewind(device))
            return error;
    if (device.state == State::Playing)
        return 0;
    if (fs().fluid_player_play(device.player.get()) != FLUID_OK)
        return MCIERR_HARDWARE;
    device.state = State::Playing;
    return 0;
}

void stop(Device &device) {
    if (device.state != State::Playing)
        return;
    fs().fluid_player_stop(device.player.get()); // lets go of the notes and the pedal itself
    device.state = State::Paused;
}

bool playing(Device &device) {
    return device.state == State::Playing && !reachedEnd(device);
}

bool isMidiFile(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return false;
    const std::string_view extension = path.substr(dot + 1);
    return sameWord(extension, "mid") || sameWord(extension, "midi") || sameWord(extension, "rmi");
}

int open(std::string_view path, std::string_view alias) {
    if (find(alias))
        return MCIERR_DUPLICATE_ALIAS;
    if (!isMidiFile(path))
        return MCIERR_EXTENSION_NOT_FOUND;
    if (!fluidSynth()) {
        report(noSynth);
        return MCIERR_SEQ_NOMIDIPRESENT;
    }
    silenceFluidSynth();

    const QString name = QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
    if (!QFileInfo::exists(name)) {
        report(missingSong, path);
        return MCIERR_FILE_NOT_FOUND;
    }
    QByteArray song;
    QFile file(name);
    if (QFileInfo(name).isFile() && file.open(QIODevice::ReadOnly))
        song = file.readAll();
    if (!playable(song)) {
        report(unplayableSong, path);
        return MCIERR_INVALID_FILE;
    }

    auto device = std::make_unique<Device>();
    device->alias = alias;
    device->settings.reset(fs().new_fluid_settings());
    if (!device->settings)
        return MCIERR_OUT_OF_MEMORY;
    fs().fluid_settings_setnum(device->settings.get(), "synth.sample-rate", sampleRate);
    fs().fluid_settings_setint(device->settings.get(), "audio.period-size", periodFrames);
    // The player follows the rendered samples, as in FluidSynth's own player: no thread
    // of its own, and offline nothing runs its clock but rendering.
    fs().fluid_settings_setstr(device->settings.get(), "player.timing-source", "sample");
    device->synth.reset(fs().new_fluid_synth(device->settings.get()));
    if (!device->synth)
        return MCIERR_OUT_OF_MEMORY;
    if (!loadSoundfont(device->synth.get())) {
        report(missingSoundfont);
        return MCIERR_SEQ_NOMIDIPRESENT;
    }
    device->player = newPlayer(device->synth.get(), song);
    if (!device->player)
        return MCIERR_OUT_OF_MEMORY;
    if (!offlineRendering) {
        device->driver = startAudio(device->settings.get(), device->synth.get(), device->sdl);
        if (!device->driver) {
            report(noAudio);
            return MCIERR_HARDWARE;
        }
    }
    devices().push_back(std::move(device));
    return 0;
}

void close(Device &device) {
    auto &open = devices();
    for (auto it = open.begin(); it != open.end(); ++it)
        if (it->get() == &device) {
            open.erase(it);
            return;
        }
}

int answer(char *reply, unsigned replyLength, std::string_view text) {
    if (!reply || replyLength == 0)
        return MCIERR_PARAM_OVERFLOW;
    const size_t fits = std::min<size_t>(text.size(), replyLength - 1);
    std::memcpy(reply, text.data(), fits);
    reply[fits] = '\0';
    return fits == text.size() ? 0 : MCIERR_PARAM_OVERFLOW;
}

struct Words {
    std::array<std::string_view, 8> word; // more than any command takes
    int count = 0;
    std::string_view operator[](int i) const { return word[size_t(i)]; }
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int split(const char *command, Words &words) {
    const char *at = command;
    for (;;) {
        while (isBlank(*at))
            ++at;
        if (!*at)
            return 0;
        if (words.count == int(words.word.size()))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        const char *start = at;
        const char *end;
        if (*at == '"') {
            start = ++at;
            while (*at && *at != '"')
                ++at;
            if (!*at)
                return MCIERR_NO_CLOSING_QUOTE;
            end = at++;
            if (*at && !isBlank(*at))
                return MCIERR_EXTRA_CHARACTERS;
        } else {
            while (*at && !isBlank(*at))
                ++at;
            end = at;
        }
        words.word[size_t(words.count++)] = std::string_view(start, size_t(end - start));
    }
}

// Whatever follows the fixed words: "notify", at most once.
int onlyNotify(const Words &words, int first) {
    bool notify = false;
    for (int i = first; i < words.count; ++i) {
        if (!sameWord(words[i], "notify"))
            return MCIERR_UNRECOGNIZED_KEYWORD;
        if (notify)
            return MCIERR_DUPLICATE_FLAGS;
        notify = true;
    }
    return 0;
}

int openCommand(const Words &words) {
    if (words.count < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    std::optional<std::string_view> alias;
    bool notify = false;
    for (int i = 2; i < words.count; ++i) {
        if (sameWord(words[i], "alias")) {
            if (alias)
                return MCIERR_DUPLICATE_FLAGS;
            if (i + 1 == words.count || words[i + 1].empty())
                return MCIERR_MISSING_STRING_ARGUMENT;
            alias = words[++i];
        } else if (sameWord(words[i], "notify")) {
            if (notify)
                return MCIERR_DUPLICATE_FLAGS;
            notify = true;
        } else {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    // Without an alias the file's name is the device's.
    return open(words[1], alias.value_or(words[1]));
}

int playCommand(const Words &words) {
    if (words.count < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    bool from = false, notify = false;
    for (int i = 2; i < words.count; ++i) {
        if (sameWord(words[i], "from")) {
            if (from)
                return MCIERR_DUPLICATE_FLAGS;
            if (i + 1 == words.count)
                return MCIERR_MISSING_PARAMETER;
            const std::string_view position = words[++i];
            if (position.empty() || position.find_first_not_of("0123456789") != position.npos)
                return MCIERR_BAD_INTEGER;
            // Only the start can be found without reading the song's tempo map ourselves.
            if (position.find_first_not_of('0') != position.npos)
                return MCIERR_UNSUPPORTED_FUNCTION;
            from = true;
        } else if (sameWord(words[i], "notify")) {
            if (notify)
                return MCIERR_DUPLICATE_FLAGS;
            notify = true;
        } else {
            return MCIERR_UNRECOGNIZED_KEYWORD;
        }
    }
    Device *device = find(words[1]);
    return device ? play(*device, from) : MCIERR_INVALID_DEVICE_NAME;
}

int statusCommand(const Words &words, char *reply, unsigned replyLength) {
    if (words.count < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    if (words.count < 3)
        return MCIERR_MISSING_PARAMETER;
    if (!sameWord(words[2], "mode"))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    if (int error = onlyNotify(words, 3))
        return error;
    Device *device = find(words[1]);
    if (!device)
        return MCIERR_INVALID_DEVICE_NAME;
    return answer(reply, replyLength, playing(*device) ? "playing" : "stopped");
}

int seekCommand(const Words &words) {
    if (words.count < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    if (words.count < 3)
        return MCIERR_MISSING_PARAMETER;
    if (!sameWord(words[2], "to"))
        return MCIERR_UNRECOGNIZED_KEYWORD;
    if (words.count < 4)
        return MCIERR_MISSING_PARAMETER;
    if (!sameWord(words[3], "start"))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (int error = onlyNotify(words, 4))
        return error;
    Device *device = find(words[1]);
    return device ? rewind(*device) : MCIERR_INVALID_DEVICE_NAME;
}

int stopOrCloseCommand(const Words &words, bool closing) {
    if (words.count < 2)
        return MCIERR_MISSING_DEVICE_NAME;
    if (int error = onlyNotify(words, 2))
        return error;
    Device *device = find(words[1]);
    if (!device)
        return MCIERR_INVALID_DEVICE_NAME;
    if (closing)
        close(*device);
    else
        stop(*device);
    return 0;
}

} // namespace

int mciSendStringA(const char *command, char *reply, unsigned replyLength, void *) {
    if (reply && replyLength > 0)
        reply[0] = '\0';
    if (!command)
        return MCIERR_MISSING_COMMAND_STRING;
    Words words;
    if (int error = split(command, words))
        return error;
    if (words.count == 0)
        return MCIERR_MISSING_COMMAND_STRING;
    const std::string_view verb = words[0];
    if (sameWord(verb, "open"))
        return openCommand(words);
    if (sameWord(verb, "play"))
        return playCommand(words);
    if (sameWord(verb, "status"))
        return statusCommand(words, reply, replyLength);
    if (sameWord(verb, "seek"))
        return seekCommand(words);
    if (sameWord(verb, "stop"))
        return stopOrCloseCommand(words, false);
    if (sameWord(verb, "close"))
        return stopOrCloseCommand(words, true);
    return MCIERR_UNRECOGNIZED_COMMAND;
}

void mciUseOfflineRendering(bool offline) {
    offlineRendering = offline;
}

int mciRender(const char *alias, float *left, float *right, int frames) {
    Device *device = alias ? find(alias) : nullptr;
    if (!device)
        return MCIERR_INVALID_DEVICE_NAME;
    if (device->driver)
        return MCIERR_UNSUPPORTED_FUNCTION; // the audio thread pulls from this one
    if (frames < 0 || (frames > 0 && (!left || !right)))
        return MCIERR_MISSING_PARAMETER;
    if (frames == 0)
        return 0;
    return fs().fluid_synth_write_float(device->synth.get(), frames, left, 0, 1, right, 0, 1) ==
                   FLUID_OK
               ? 0
               : MCIERR_HARDWARE;
}

void mciSetSoundfontForTests(const char *path) {
    if (path)
        soundfontForTests = path;
    else
        soundfontForTests.reset();
}

} // namespace media
