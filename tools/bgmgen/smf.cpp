#include "smf.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace bgm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Events are sorted by tick; at the same tick set-up goes first, then note-offs, so a note
// struck again at the moment it is released sounds again instead of being cut.
enum Order { Setup = 0, Off = 1, On = 2 };

struct Event {
    int tick;
    int order;
    Bytes data;
};

void putVlq(Bytes &out, std::uint32_t value) {
    if (value > 0x0FFFFFFF)
        throw std::runtime_error("delta time too large for four bytes");
    std::uint8_t buffer[4];
    int count = 0;
    buffer[count++] = value & 0x7F;
    while ((value >>= 7) != 0)
        buffer[count++] = 0x80 | (value & 0x7F);
    while (count > 0)
        out.push_back(buffer[--count]);
}

void putBigEndian(Bytes &out, std::uint32_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

Event meta(int tick, std::uint8_t type, const Bytes &payload) {
    Event event{tick, Setup, {0xFF, type}};
    putVlq(event.data, std::uint32_t(payload.size()));
    event.data.insert(event.data.end(), payload.begin(), payload.end());
    return event;
}

Event trackName(const std::string &name) {
    return meta(0, 0x03, Bytes(name.begin(), name.end()));
}

std::uint8_t dataByte(int value, const char *what) {
    if (value < 0 || value > 127)
        throw std::runtime_error(std::string(what) + " out of range: " + std::to_string(value));
    return std::uint8_t(value);
}

// A part may strike a pitch that is still ringing (an arpeggio over a held chord); the
// earlier note is cut there, as a keyboard would, so on/off pairs never interleave.
std::vector<Note> untangled(std::vector<Note> notes) {
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Note &a, const Note &b) { return a.tick < b.tick; });
    std::map<int, std::size_t> ringing; // pitch -> index of its latest note
    std::vector<bool> dropped(notes.size(), false);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        auto found = ringing.find(notes[i].pitch);
        if (found != ringing.end()) {
            Note &previous = notes[found->second];
            if (previous.tick + previous.length > notes[i].tick)
                previous.length = notes[i].tick - previous.tick;
            if (previous.length <= 0)
                dropped[found->second] = true;
        }
        ringing[notes[i].pitch] = i;
    }
    std::vector<Note> kept;
    for (std::size_t i = 0; i < notes.size(); ++i)
        if (!dropped[i])
            kept.push_back(notes[i]);
    return kept;
}

Bytes chunk(const char *id, const Bytes &body) {
    Bytes out(id, id + 4);
    putBigEndian(out, std::uint32_t(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes track(std::vector<Event> events, int endTick) {
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    Bytes body;
    int now = 0;
    for (const Event &event : events) {
        if (event.tick > endTick)
            throw std::runtime_error("event after the end of the song");
        putVlq(body, std::uint32_t(event.tick - now));
        body.insert(body.end(), event.data.begin(), event.data.end());
        now = event.tick;
    }
    putVlq(body, std::uint32_t(endTick - now));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    return chunk("MTrk", body);
}

} // namespace

Bytes writeSmf(const Song &song) {
    if (song.parts.size() > 0xFFFE)
        throw std::runtime_error("too many parts");
    Bytes header;
    putBigEndian(header, 1, 2); // format 1: tracks play together
    putBigEndian(header, std::uint32_t(song.parts.size() + 1), 2);
    putBigEndian(header, std::uint32_t(song.ticksPerQuarter), 2);
    Bytes out = chunk("MThd", header);

    std::vector<Event> conductor;
    conductor.push_back(trackName(song.title));
    const std::uint32_t tempo = std::uint32_t(song.microsPerQuarter);
    conductor.push_back(
        meta(0, 0x51, {std::uint8_t(tempo >> 16), std::uint8_t(tempo >> 8), std::uint8_t(tempo)}));
    // Denominator as a power of two; 24 clocks per click, 8 thirty-seconds per quarter.
    conductor.push_back(meta(0, 0x58, {std::uint8_t(song.beatsPerBar), 2, 24, 8}));
    conductor.push_back(
        meta(0, 0x59, {std::uint8_t(std::int8_t(song.keySharps)), std::uint8_t(song.minor)}));
    const Bytes first = track(conductor, song.endTick);
    out.insert(out.end(), first.begin(), first.end());

    for (const Part &part : song.parts) {
        const std::uint8_t channel = dataByte(part.channel, "channel");
        if (channel > 15)
            throw std::runtime_error("channel out of range");
        std::vector<Event> events;
        events.push_back(trackName(part.name));
        const auto control = [&](int number, int value) {
            events.push_back(Event{0,
                                   Setup,
                                   {std::uint8_t(0xB0 | channel), std::uint8_t(number),
                                    dataByte(value, "controller value")}});
        };
        control(0, 0); // bank select: the plain General MIDI sound
        control(32, 0);
        events.push_back(
            Event{0, Setup, {std::uint8_t(0xC0 | channel), dataByte(part.program, "program")}});
        control(7, part.volume);
        control(10, part.pan);
        control(11, 127);
        control(91, part.reverb);
        control(93, part.chorus);
        for (const Note &note : untangled(part.notes)) {
            if (note.tick < 0 || note.length <= 0)
                throw std::runtime_error(part.name + ": note with no length or before the start");
            const std::uint8_t pitch = dataByte(note.pitch, "pitch");
            const int velocity = std::clamp(note.velocity, 1, 127);
            events.push_back(Event{
                note.tick, On, {std::uint8_t(0x90 | channel), pitch, std::uint8_t(velocity)}});
            events.push_back(
                Event{note.tick + note.length, Off, {std::uint8_t(0x80 | channel), pitch, 64}});
        }
        const Bytes body = track(std::move(events), song.endTick);
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

namespace {

class Reader {
  public:
    Reader(const Bytes &bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    std::size_t pos() const { return pos_; }

    std::uint8_t byte() {
        if (pos_ >= end_)
            throw std::runtime_error("unexpected end of data");
        return bytes_[pos_++];
    }
    std::uint32_t bigEndian(int size) {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value = (value << 8) | byte();
        return value;
    }
    std::uint32_t vlq() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if ((b & 0x80) == 0)
                return value;
        }
        throw std::runtime_error("variable-length number longer than four bytes");
    }
    Bytes take(std::size_t count) {
        if (end_ - pos_ < count)
            throw std::runtime_error("length runs past the end of the chunk");
        Bytes out(bytes_.begin() + std::ptrdiff_t(pos_),
                  bytes_.begin() + std::ptrdiff_t(pos_ + count));
        pos_ += count;
        return out;
    }

  private:
    const Bytes &bytes_;
    std::size_t pos_;
    std::size_t end_;
};

std::string noteName(int pitch) {
    static const char *names[] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    return names[pitch % 12] + std::to_string(pitch / 12 - 1);
}

std::string format(const char *pattern, auto... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

struct TrackSummary {
    std::string name;
    int events = 0;
    int notes = 0;
    int runningStatus = 0;
    int hanging = 0;
    long firstOn = -1;
    long lastOff = -1;
    long end = 0;
};

} // namespace

bool dumpSmf(const Bytes &bytes, std::ostream &out, bool events) {
    try {
        Reader file(bytes, 0, bytes.size());
        if (file.take(4) != Bytes{'M', 'T', 'h', 'd'} || file.bigEndian(4) != 6)
            throw std::runtime_error("no MThd header of length 6");
        const int formatType = int(file.bigEndian(2));
        const int trackCount = int(file.bigEndian(2));
        const int division = int(file.bigEndian(2));
        if (division & 0x8000)
            throw std::runtime_error("SMPTE time division is not read here");
        out << format("format %d, %d tracks, %d ticks per quarter\n", formatType, trackCount,
                      division);

        std::map<long, std::uint32_t> tempos{{0, 500000}};
        std::vector<TrackSummary> summaries;
        for (int index = 0; index < trackCount; ++index) {
            if (file.take(4) != Bytes{'M', 'T', 'r', 'k'})
                throw std::runtime_error(format("track %d: no MTrk chunk", index));
            const std::uint32_t length = file.bigEndian(4);
            const std::size_t begin = file.pos();
            file.take(length);
            Reader track(bytes, begin, begin + length);
            TrackSummary summary;
            std::map<int, int> sounding; // channel * 128 + pitch -> count
            long tick = 0;
            std::uint8_t status = 0;
            bool ended = false;
            if (events)
                out << format("track %d (%u bytes)\n", index, length);
            while (!track.atEnd()) {
                if (ended)
                    throw std::runtime_error(format("track %d: data after end of track", index));
                const std::uint32_t delta = track.vlq();
                tick += delta;
                std::uint8_t first = track.byte();
                std::string what;
                if (first == 0xFF) {
                    const std::uint8_t type = track.byte();
                    const Bytes data = track.take(track.vlq());
                    const std::string text(data.begin(), data.end());
                    if (type == 0x03) {
                        summary.name = text;
                        what = "track name \"" + text + "\"";
                    } else if (type == 0x51 && data.size() == 3) {
                        const std::uint32_t us = (data[0] << 16) | (data[1] << 8) | data[2];
                        tempos[tick] = us;
                        what = format("tempo %u us per quarter (%.2f bpm)", us, 60e6 / us);
                    } else if (type == 0x58 && data.size() == 4) {
                        what = format("time signature %d/%d", data[0], 1 << data[1]);
                    } else if (type == 0x59 && data.size() == 2) {
                        what = format("key signature %d %s", int(std::int8_t(data[0])),
                                      data[1] ? "minor" : "major");
                    } else if (type == 0x2F && data.empty()) {
                        ended = true;
                        summary.end = tick;
                        what = "end of track";
                    } else {
                        what = format("meta 0x%02X, %zu bytes", type, data.size());
                    }
                } else if (first == 0xF0 || first == 0xF7) {
                    what = format("sysex, %zu bytes", track.take(track.vlq()).size());
                } else {
                    std::uint8_t data1;
                    if (first & 0x80) {
                        status = first;
                        data1 = track.byte();
                    } else {
                        if (status == 0)
                            throw std::runtime_error(
                                format("track %d: data byte with no status", index));
                        ++summary.runningStatus;
                        data1 = first;
                    }
                    const int kind = status & 0xF0;
                    const int channel = status & 0x0F;
                    const bool twoBytes = kind != 0xC0 && kind != 0xD0;
                    const std::uint8_t data2 = twoBytes ? track.byte() : 0;
                    if ((data1 | data2) & 0x80)
                        throw std::runtime_error(format("track %d: bad data byte", index));
                    const int key = channel * 128 + data1;
                    if (kind == 0x90 && data2 > 0) {
                        ++sounding[key];
                        ++summary.notes;
                        if (summary.firstOn < 0)
                            summary.firstOn = tick;
                        what = format("ch%d on  %-4s vel %d", channel + 1, noteName(data1).c_str(),
                                      data2);
                    } else if (kind == 0x80 || kind == 0x90) {
                        if (sounding[key] == 0)
                            throw std::runtime_error(format(
                                "track %d: note off with no note on at tick %ld", index, tick));
                        --sounding[key];
                        summary.lastOff = std::max(summary.lastOff, tick);
                        what = format("ch%d off %s", channel + 1, noteName(data1).c_str());
                    } else if (kind == 0xB0) {
                        what = format("ch%d controller %d = %d", channel + 1, data1, data2);
                    } else if (kind == 0xC0) {
                        what = format("ch%d program %d", channel + 1, data1);
                    } else {
                        what = format("ch%d status 0x%02X %d %d", channel + 1, kind, data1, data2);
                    }
                }
                ++summary.events;
                if (events)
                    out << format("  %7ld +%-5u ", tick, delta) << what << '\n';
            }
            if (!ended)
                throw std::runtime_error(format("track %d: no end-of-track event", index));
            for (const auto &[key, count] : sounding)
                summary.hanging += count;
            summaries.push_back(summary);
        }
        if (!file.atEnd())
            throw std::runtime_error("bytes after the last track");

        const auto seconds = [&](long tick) {
            double total = 0;
            long from = 0;
            std::uint32_t us = 500000;
            for (const auto &[at, value] : tempos) {
                if (at >= tick)
                    break;
                total += double(at - from) * us / division / 1e6;
                from = at;
                us = value;
            }
            return total + double(tick - from) * us / division / 1e6;
        };
        long end = 0, firstOn = -1, lastOff = -1;
        out << "\ntrack  events notes  first-on  last-off       end  name\n";
        for (std::size_t i = 0; i < summaries.size(); ++i) {
            const TrackSummary &s = summaries[i];
            out << format("%5zu  %6d %5d  %8ld  %8ld  %8ld  ", i, s.events, s.notes, s.firstOn,
                          s.lastOff, s.end)
                << s.name << '\n';
            if (s.hanging || s.runningStatus)
                out << format("       %d notes never released, %d running-status events\n",
                              s.hanging, s.runningStatus);
            end = std::max(end, s.end);
            if (s.firstOn >= 0 && (firstOn < 0 || s.firstOn < firstOn))
                firstOn = s.firstOn;
            lastOff = std::max(lastOff, s.lastOff);
        }
        out << format("length %ld ticks = %.2f s; first note at %.2f s, last release %.2f s "
                      "before the end\n",
                      end, seconds(end), firstOn < 0 ? 0.0 : seconds(firstOn),
                      lastOff < 0 ? 0.0 : seconds(end) - seconds(lastOff));
        return true;
    } catch (const std::exception &error) {
        out << "malformed file: " << error.what() << '\n';
        return false;
    }
}

} // namespace bgm
