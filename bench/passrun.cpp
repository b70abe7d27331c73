// Runs the headless load pass on one file TIMES times in one process, as
// option changes would, and prints the verdict and the resident size after
// the first and the last pass.
//   passrun FILE [TIMES] [--raw] [--toggle]
// --toggle switches between averaged and raw before every pass after the first.

#include "charts/frames.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

// VmRSS or VmHWM from /proc, in kB.
long StatusKb(std::string_view key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            long kb = 0;
            const std::size_t start = line.find_first_of("0123456789");
            if (start != std::string::npos)
                std::from_chars(line.data() + start, line.data() + line.size(), kb);
            return kb;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: passrun FILE [TIMES] [--raw] [--toggle]\n";
        return 2;
    }
    long times = 1;
    bool toggle = false;
    velantro::ViewOptions options;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--raw")
            options.Averaged = false;
        else if (arg == "--toggle")
            toggle = true;
        else if (std::from_chars(arg.data(), arg.data() + arg.size(), times).ec != std::errc() || times < 1) {
            std::cerr << "passrun: bad argument " << arg << '\n';
            return 2;
        }
    }

    velantro::DiscardSurfaces surfaces;

    long loaded = 0;
    long firstRss = 0;
    for (long pass = 0; pass < times; ++pass) {
        if (toggle && pass > 0)
            options.Averaged = !options.Averaged;
        if (velantro::LoadGraphFile(argv[1], options, surfaces.Surfaces(), {}).Loaded)
            ++loaded;
        if (pass == 0)
            firstRss = StatusKb("VmRSS:");
    }
    std::cout << "verdict: " << (loaded == times ? "loaded" : loaded == 0 ? "rejected" : "mixed") << '\n'
              << "passes: " << times << " loaded: " << loaded << '\n'
              << "rss_kb after first pass: " << firstRss << '\n'
              << "rss_kb after last pass: " << StatusKb("VmRSS:") << '\n'
              << "peak_rss_kb: " << StatusKb("VmHWM:") << '\n';
    return 0;
}
