#include "tune.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bgm {
namespace {

constexpr int kQuarter = 480;
constexpr int kEighth = kQuarter / 2;
constexpr int kBarEighths = 8;
constexpr int kBar = kBarEighths * kEighth;
constexpr int kBarsPerSection = 8;

// Light, mid-tempo, in F: warm without being sleepy.
constexpr int kBpm = 84;

// How full each section is; the tune grows from a plain statement to the bridge and settles.
struct Texture {
    bool flowingPiano; // eighth-note arpeggio instead of quarters
    bool strings;
    bool musicBox; // doubles the tune an octave up
    int drums;     // 0 hi-hat only, 1 brushes-and-kick, 2 the same with a lift
    int melodyVelocity;
};

struct Section {
    const char *name;
    std::array<const char *, kBarsPerSection> chords; // one or two chords a bar
    // Pitch:length in eighths, "r" for a rest, bars split by '|'.
    const char *melody;
    Texture texture;
};

// The last bar of A'' is a dominant (C7) leading back into the F of bar 1, so the loop
// closes like any other phrase of the tune.
const Section kSections[] = {
    {"A",
     {"F", "Am7", "Bbmaj7", "F", "Dm7", "Gm7", "Bbmaj7", "C7sus4 C7"},
     "C5:2 A4:1 C5:1 F5:3 E5:1 | E5:2 D5:1 C5:1 E5:4 | D5:2 C5:1 Bb4:1 D5:3 C5:1 |"
     "A4:4 r:1 A4:1 Bb4:1 C5:1 | D5:3 F5:1 A5:2 G5:1 F5:1 | F5:2 D5:1 Bb4:1 D5:4 |"
     "C5:2 D5:1 F5:1 D5:2 C5:2 | C5:4 Bb4:2 G4:2",
     {false, false, false, 0, 76}},
    {"A'",
     {"F", "Am7", "Bbmaj7", "F", "Dm7", "Gm7", "C7sus4 C7", "F"},
     "C5:2 A4:1 C5:1 F5:3 G5:1 | A5:2 G5:1 E5:1 C5:4 | D5:2 F5:1 D5:1 C5:2 Bb4:2 |"
     "A4:4 r:1 F4:1 G4:1 A4:1 | A4:2 D5:2 F5:3 E5:1 | D5:3 Bb4:1 G4:2 Bb4:2 |"
     "Bb4:2 C5:1 D5:1 E5:2 G5:1 E5:1 | F5:6 r:2",
     {true, false, false, 1, 80}},
    {"B",
     {"Bbmaj7", "C", "Am7", "Dm7", "Gm7", "Am7", "Bbmaj7", "C7sus4 C7"},
     "D5:1 F5:1 A5:3 G5:1 F5:2 | G5:3 E5:1 C5:4 | C5:1 E5:1 A5:3 G5:1 E5:2 |"
     "F5:4 E5:2 D5:2 | D5:1 F5:1 Bb5:3 A5:1 G5:2 | A5:3 G5:1 E5:2 C5:2 |"
     "D5:2 F5:2 A5:2 Bb5:1 A5:1 | G5:4 E5:2 D5:1 Bb4:1",
     {true, true, true, 2, 86}},
    {"A''",
     {"F", "Am7", "Bbmaj7", "Bbm6", "Am7", "Dm7", "Gm7", "C7sus4 C7"},
     "C5:2 A4:1 C5:1 F5:3 E5:1 | E5:2 D5:1 C5:1 E5:4 | D5:2 C5:1 Bb4:1 D5:3 F5:1 |"
     "F5:2 Db5:1 C5:1 Bb4:4 | C5:3 E5:1 A5:2 G5:2 | F5:3 E5:1 D5:2 A4:2 |"
     "Bb4:2 D5:2 F5:2 E5:1 D5:1 | C5:4 Bb4:2 G4:1 Bb4:1",
     {true, true, false, 1, 80}},
};

// F major; the bass picks its approach notes from here.
constexpr std::array<bool, 12> kScale = {true,  false, true,  false, true, true,
                                         false, true,  false, true,  true, false};

struct Chord {
    int start;  // ticks
    int length; // ticks
    int root;   // pitch class
    std::vector<int> intervals;
};

int pitchClass(std::string_view text, std::size_t &pos) {
    static constexpr std::string_view letters = "CDEFGAB";
    static constexpr int classes[] = {0, 2, 4, 5, 7, 9, 11};
    const std::size_t letter = pos < text.size() ? letters.find(text[pos]) : std::string::npos;
    if (letter == std::string::npos)
        throw std::runtime_error("not a note name: " + std::string(text));
    int pc = classes[letter];
    ++pos;
    if (pos < text.size() && text[pos] == 'b') {
        pc += 11;
        ++pos;
    } else if (pos < text.size() && text[pos] == '#') {
        pc += 1;
        ++pos;
    }
    return pc % 12;
}

std::vector<int> intervalsOf(std::string_view quality) {
    struct Kind {
        std::string_view name;
        std::vector<int> intervals;
    };
    static const Kind kinds[] = {
        {"", {0, 4, 7}},       {"m", {0, 3, 7}},     {"7", {0, 4, 7, 10}}, {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}}, {"m6", {0, 3, 7, 9}}, {"sus4", {0, 5, 7}},  {"7sus4", {0, 5, 7, 10}},
    };
    for (const Kind &kind : kinds)
        if (kind.name == quality)
            return kind.intervals;
    throw std::runtime_error("unknown chord quality: " + std::string(quality));
}

std::vector<std::string_view> words(std::string_view text, char separator) {
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t next = text.find(separator, pos);
        if (next == std::string_view::npos)
            next = text.size();
        std::string_view word = text.substr(pos, next - pos);
        while (!word.empty() && word.front() == ' ')
            word.remove_prefix(1);
        while (!word.empty() && word.back() == ' ')
            word.remove_suffix(1);
        if (!word.empty() || separator == '|')
            out.push_back(word);
        pos = next + 1;
    }
    return out;
}

// Small, fixed-seed generator: the "human" variation must be the same on every build.
class Jitter {
  public:
    explicit Jitter(std::uint32_t seed) : state_(seed) {}
    int operator()(int spread) {
        state_ = state_ * 1664525u + 1013904223u;
        return int((state_ >> 16) % std::uint32_t(2 * spread + 1)) - spread;
    }

  private:
    std::uint32_t state_;
};

// Louder on the beat than between beats, loudest on the downbeat.
int accent(int tick) {
    if (tick % kBar == 0)
        return 6;
    if (tick % kQuarter == 0)
        return 2;
    return -4;
}

// Chord tones as close voicings inside [low, low + 12), lowest first; a triad gets its
// lowest note doubled on top so every chord has four voices for the patterns.
std::vector<int> voicing(const Chord &chord, int low) {
    std::vector<int> notes;
    for (int interval : chord.intervals) {
        int pitch = low + ((chord.root + interval - low) % 12 + 12) % 12;
        notes.push_back(pitch);
    }
    std::sort(notes.begin(), notes.end());
    if (notes.size() == 3)
        notes.push_back(notes.front() + 12);
    return notes;
}

int bassPitch(int pc) {
    return 36 + pc; // C2 .. B2
}

// A scale step into the next root, from the side the line is coming from.
int approach(int from, int to) {
    const int direction = to >= from ? -1 : 1;
    for (int side : {direction, -direction})
        for (int step = 1; step <= 2; ++step) {
            const int pitch = to + side * step;
            if (kScale[pitch % 12] && pitch != from)
                return pitch;
        }
    return to + 7 * direction; // unreachable with a seven-note scale
}

struct Composer {
    std::vector<Chord> chords;
    std::vector<const Texture *> textures; // per chord
    Part flute{"Flute", 0, 73, 100, 60, 50, 10, {}};
    Part piano{"Electric Piano", 1, 4, 84, 42, 45, 20, {}};
    Part strings{"Strings", 2, 48, 62, 86, 60, 0, {}};
    Part bass{"Acoustic Bass", 3, 32, 100, 64, 25, 0, {}};
    Part musicBox{"Music Box", 4, 10, 58, 84, 60, 0, {}};
    Part drums{"Drums", 9, 0, 70, 64, 35, 0, {}};
    Jitter jitter{0x6D697275}; // "miru"

    void readChords() {
        int tick = 0;
        for (const Section &section : kSections)
            for (const char *bar : section.chords) {
                const auto names = words(bar, ' ');
                if (names.empty() || kBar % int(names.size()) != 0)
                    throw std::runtime_error(std::string("bad chord bar in ") + section.name);
                const int length = kBar / int(names.size());
                for (std::string_view name : names) {
                    std::size_t pos = 0;
                    const int root = pitchClass(name, pos);
                    chords.push_back(Chord{tick, length, root, intervalsOf(name.substr(pos))});
                    textures.push_back(&section.texture);
                    tick += length;
                }
            }
    }

    void add(Part &part, int tick, int length, int pitch, int velocity) {
        part.notes.push_back(Note{tick, length, pitch, velocity + jitter(4)});
    }

    void writeMelody() {
        int tick = 0;
        for (const Section &section : kSections) {
            const auto bars = words(section.melody, '|');
            if (bars.size() != kBarsPerSection)
                throw std::runtime_error(std::string("melody of ") + section.name +
                                         " is not eight bars");
            for (std::size_t bar = 0; bar < bars.size(); ++bar) {
                int eighths = 0;
                for (std::string_view token : words(bars[bar], ' ')) {
                    const std::size_t colon = token.find(':');
                    if (colon == std::string_view::npos)
                        throw std::runtime_error("melody token without length: " +
                                                 std::string(token));
                    const int count = std::stoi(std::string(token.substr(colon + 1)));
                    const int length = count * kEighth;
                    const std::string_view pitchText = token.substr(0, colon);
                    if (pitchText != "r") {
                        std::size_t pos = 0;
                        const int pc = pitchClass(pitchText, pos);
                        const int octave = std::stoi(std::string(pitchText.substr(pos)));
                        const int pitch = 12 * (octave + 1) + pc;
                        // Breath between notes; longer notes can spare a little more.
                        const int sounding = length - std::min(48, length / 8);
                        const int shape = (pitch - 74) / 2 + accent(tick);
                        add(flute, tick, sounding, pitch, section.texture.melodyVelocity + shape);
                        if (section.texture.musicBox)
                            add(musicBox, tick, length, pitch + 12, 52 + shape);
                    }
                    tick += length;
                    eighths += count;
                }
                if (eighths != kBarEighths)
                    throw std::runtime_error(std::string("bar ") + std::to_string(bar + 1) +
                                             " of " + section.name + " has " +
                                             std::to_string(eighths) + " eighths");
            }
        }
    }

    void writePiano() {
        static constexpr int flowing[] = {0, 1, 2, 3, 1, 2, 3, 2};
        static constexpr int plain[] = {0, 2, 1, 3};
        for (std::size_t i = 0; i < chords.size(); ++i) {
            const Chord &chord = chords[i];
            const std::vector<int> notes = voicing(chord, 53);
            const bool eighths = textures[i]->flowingPiano;
            const int step = eighths ? kEighth : kQuarter;
            const int end = chord.start + chord.length;
            for (int n = 0, tick = chord.start; tick < end; ++n, tick += step) {
                const int voice = eighths ? flowing[n % 8] : plain[n % 4];
                // Let each note ring over the next like a held pedal, but not past the chord.
                const int length = std::min(eighths ? 3 * kEighth : 2 * kQuarter, end - tick);
                add(piano, tick, length, notes[std::size_t(voice)], 56 + accent(tick));
            }
        }
    }

    void writeStrings() {
        for (std::size_t i = 0; i < chords.size(); ++i) {
            if (!textures[i]->strings)
                continue;
            const Chord &chord = chords[i];
            std::vector<int> notes = voicing(chord, 55);
            notes.resize(chord.intervals.size()); // no doubled top: a pad wants air
            for (int pitch : notes)
                add(strings, chord.start, chord.length, pitch, 46);
        }
    }

    void writeBass() {
        for (std::size_t i = 0; i < chords.size(); ++i) {
            const Chord &chord = chords[i];
            // The chord after the last is the first: the line walks back into bar 1.
            const Chord &next = chords[(i + 1) % chords.size()];
            const int root = bassPitch(chord.root);
            const int fifth = root + 7;
            const bool moving = next.root != chord.root;
            const int lead = moving ? approach(root, bassPitch(next.root)) : fifth;
            const int t = chord.start;
            if (chord.length == kBar && textures[i]->flowingPiano) {
                add(bass, t, 3 * kEighth, root, 74);
                add(bass, t + 3 * kEighth, kEighth, fifth, 60);
                // Low roots jump the octave on beat three so the line does not sit in the mud.
                add(bass, t + 2 * kQuarter, kQuarter, root + 12 * (root < 40), 66);
                add(bass, t + 3 * kQuarter, kQuarter, lead, 64);
            } else if (chord.length == kBar) {
                add(bass, t, 2 * kQuarter, root, 72);
                add(bass, t + 2 * kQuarter, kQuarter, fifth, 62);
                add(bass, t + 3 * kQuarter, kQuarter, lead, 62);
            } else {
                add(bass, t, chord.length / 2, root, 70);
                add(bass, t + chord.length / 2, chord.length / 2, lead, 62);
            }
        }
    }

    // Brushed and quiet: a pulse to walk to, never a beat to notice.
    void writeDrums() {
        constexpr int kick = 36, stick = 37, closedHat = 42, pedalHat = 44, crash = 49;
        constexpr int hit = kEighth / 2;
        int bar = 0;
        for (const Section &section : kSections)
            for (int inSection = 0; inSection < kBarsPerSection; ++inSection, ++bar) {
                const int t = bar * kBar;
                const int level = section.texture.drums;
                if (level == 0) {
                    add(drums, t + kQuarter, hit, pedalHat, 30);
                    add(drums, t + 3 * kQuarter, hit, pedalHat, 30);
                    continue;
                }
                const bool lift = level == 2;
                if (lift && inSection == 0)
                    add(drums, t, kQuarter, crash, 42);
                for (int e = 0; e < kBarEighths; ++e)
                    add(drums, t + e * kEighth, hit, closedHat, (e % 2 ? 20 : 28) + 4 * lift);
                add(drums, t, hit, kick, 46);
                add(drums, t + 2 * kQuarter, hit, kick, 36);
                if (lift)
                    add(drums, t + 3 * kEighth, hit, kick, 28);
                add(drums, t + kQuarter, hit, stick, 38);
                add(drums, t + 3 * kQuarter, hit, stick, 40);
                // The end of a section leans into the next downbeat.
                if (inSection == kBarsPerSection - 1)
                    add(drums, t + 7 * kEighth, hit, stick, 32);
            }
    }
};

} // namespace

Song parkTheme() {
    Composer composer;
    composer.readChords();
    const int endTick = composer.chords.back().start + composer.chords.back().length;
    composer.writeMelody();
    composer.writePiano();
    composer.writeStrings();
    composer.writeBass();
    composer.writeDrums();

    Song song;
    song.title = "Mirutena - The Camera and the Park";
    song.ticksPerQuarter = kQuarter;
    song.microsPerQuarter = 60000000 / kBpm;
    song.beatsPerBar = 4;
    song.keySharps = -1;
    song.endTick = endTick;
    song.parts = {composer.flute, composer.piano,    composer.strings,
                  composer.bass,  composer.musicBox, composer.drums};
    return song;
}

} // namespace bgm
