// mirutena-bgmgen OUTPUT.mid        writes the bundled background tune
// mirutena-bgmgen --dump FILE       lists a MIDI file's tracks and events and its length
// mirutena-bgmgen --summary FILE    the same without the event listing

#include "smf.h"
#include "tune.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: mirutena-bgmgen OUTPUT.mid\n"
                 "       mirutena-bgmgen --dump FILE | --summary FILE\n";
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 2 && (args[0] == "--dump" || args[0] == "--summary")) {
            std::ifstream in(args[1], std::ios::binary);
            if (!in)
                throw std::runtime_error("cannot read " + args[1]);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            return bgm::dumpSmf(bytes, std::cout, args[0] == "--dump") ? 0 : 1;
        }
        if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
            return usage();
        const bgm::Song song = bgm::parkTheme();
        const std::vector<std::uint8_t> bytes = bgm::writeSmf(song);
        std::ofstream out(args[0], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + args[0]);
        const double seconds =
            double(song.endTick) / song.ticksPerQuarter * song.microsPerQuarter / 1e6;
        std::printf("%s: %zu bytes, %zu tracks, %.1f s\n", args[0].c_str(), bytes.size(),
                    song.parts.size() + 1, seconds);
        return 0;
    } catch (const std::exception &error) {
        std::cerr << "mirutena-bgmgen: " << error.what() << '\n';
        return 1;
    }
}
