#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Just enough of the Standard MIDI File format for one song: format 1, a conductor track and
// one track per part, plus a reader that lists a file back for checking.
namespace bgm {

struct Note {
    int tick = 0;
    int length = 0;
    int pitch = 0;
    int velocity = 0;
};

struct Part {
    std::string name;
    int channel = 0; // 0-based; 9 is the General MIDI drum channel
    int program = 0; // General MIDI, 0-based
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    std::vector<Note> notes;
};

struct Song {
    std::string title;
    int ticksPerQuarter = 480;
    int microsPerQuarter = 500000;
    int beatsPerBar = 4;
    int keySharps = 0; // negative for flats
    bool minor = false;
    int endTick = 0; // every track ends here, so the loop length is exact
    std::vector<Part> parts;
};

// Throws std::runtime_error when the song cannot be written as given.
std::vector<std::uint8_t> writeSmf(const Song &song);

// Lists header, tracks and events (all of them when `events`), then the song's length.
// Returns false, after saying why, when the bytes are not a well-formed file.
bool dumpSmf(const std::vector<std::uint8_t> &bytes, std::ostream &out, bool events);

} // namespace bgm
