#pragma once

// Graph files made at random from a seed: mostly well formed, each spoilt in a
// few of the ways a damaged or hand-edited file is. The same seed always gives
// the same file.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace velantro::testing {

class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}

    // mt19937's output is fixed by the standard; its distributions are not.
    std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : engine_() % n; }
    bool Chance(double p) { return engine_() < p * 4294967296.0; }
    template <typename T>
    const T& Pick(const std::vector<T>& items)
    {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }

private:
    std::mt19937 engine_;
};

// Huge, negative, empty and malformed numbers, and some that only a double holds.
inline std::string OddNumber(Dice& dice)
{
    static const std::vector<std::string> odd = {
        "1e308", "1e400", "1.7976931348623157e308", "1E+309", "1e39", "-1e39", "3e38", "-5", "-0.25", "-2295104", "abc", "", " ",
        "8.5x",  "1e-400", "+3",  ".5",   "5.",   " 12", "\t7", "--1", "1e", "0x10", "-0", "1,5", std::string(400, '9'),
    };
    return dice.Pick(odd);
}

inline std::string Plain(Dice& dice, int low, int high)
{
    const int value = low + static_cast<int>(dice.Below(static_cast<std::uint32_t>(high - low + 1)));
    return std::to_string(value);
}

// A number field: usually plausible, now and then anything.
inline std::string Field(Dice& dice, double oddChance, int low, int high)
{
    return dice.Chance(oddChance) ? OddNumber(dice) : Plain(dice, low, high);
}

struct RandomGraph {
    std::vector<std::string> Lines;
    bool FinalTerminator = true;
};

// The logical lines of one file; line ends are chosen afterwards.
inline RandomGraph MakeRandomGraph(std::uint32_t seed)
{
    Dice dice(seed);
    RandomGraph graph;
    std::vector<std::string>& out = graph.Lines;
    const double odd = dice.Chance(0.4) ? 0.02 : 0.0;

    static const std::vector<std::string> media = {"DVD+R", "DVD-R DL", "CD-R", "BD-R", "HD DVD-R", "dvd+r", "XX", ""};
    const std::string capacity = dice.Chance(0.1) ? OddNumber(dice) : Plain(dice, 300000, 12219392);
    std::vector<std::string> header = {
        "DATE=2026-" + Plain(dice, 1, 12) + "-" + Plain(dice, 1, 28) + " 21:14:33",
        "SAMPLE_RATE=" + Field(dice, odd, 100, 1000),
        "DEVICE_MAKEMODEL=ACME DVDRW AD-" + Plain(dice, 1, 9999),
        "DEVICE_FIRMWAREVERSION=1.0" + Plain(dice, 0, 9),
        "MEDIA_TYPE=" + dice.Pick(media),
        "MEDIA_BOOKTYPE=DVD+R",
        "MEDIA_ID=ACME-R16-" + Plain(dice, 0, 999),
        "MEDIA_CAPACITY=" + capacity,
        "MEDIA_LAYER_BREAK=" + (dice.Chance(0.3) ? Field(dice, odd * 5, 1, 2295104) : "0"),
        "DATA_SECTORS=" + Field(dice, odd * 5, 1000, 2295104),
        "DATA_TYPE=MODE1/" + (dice.Chance(0.85) ? std::string("2048") : dice.Chance(0.5) ? OddNumber(dice) : "2352"),
        "DATA_VOLUMEIDENTIFIER=VOL_" + Plain(dice, 0, 99),
    };
    // Swapping two keys hides the later one from a reader that only looks forward.
    if (dice.Chance(0.15))
        std::swap(header[dice.Below(12)], header[dice.Below(12)]);
    if (dice.Chance(0.05))
        header.erase(header.begin() + dice.Below(12));

    static const std::vector<std::string> noise = {"IBG_VERSION=1.4.2", "DEVICE_ADDRESS=[1:0:0]", "", "; comment",
                                                   " DATE=2000-01-01", "MEDIA_SPEEDS=4x, 8x"};
    out.push_back("[START_CONFIGURATION]");
    for (const std::string& line : header) {
        while (dice.Chance(0.2))
            out.push_back(dice.Pick(noise));
        out.push_back(line);
    }

    // Key lengths decide where the speed values are taken from.
    const auto key = [&](std::size_t length) {
        if (dice.Chance(odd * 3))
            length = dice.Below(24);
        return std::string(length > 0 ? length - 1 : 0, 'K') + (length > 0 ? "=" : "");
    };
    switch (dice.Below(4)) {
    case 0:
    case 1:
        out.push_back("WRITE_TEST_MODE=No");
        out.push_back(key(21) + Plain(dice, 1, 16) + "x");
        for (const std::size_t length : {18, 16, 20, 16})
            out.push_back(key(length) + Field(dice, odd, 1, 16) + ".00");
        out.push_back(key(17) + Field(dice, odd, 0, 5000));
        break;
    case 2:
        out.push_back("VERIFY_SPEED_START=" + Plain(dice, 1, 16) + ".00");
        for (const std::size_t length : {17, 21, 17})
            out.push_back(key(length) + Field(dice, odd, 1, 16) + ".00");
        out.push_back(key(18) + Field(dice, odd, 0, 5000));
        break;
    default:
        break;
    }
    out.push_back("[END_CONFIGURATION]");

    const std::string markerLead = dice.Chance(0.8) ? "[" : dice.Chance(0.5) ? "x" : "";
    const auto section = [&](const std::string& name, std::size_t fields) {
        out.push_back(markerLead + "START_" + name + "]");
        const int samples = static_cast<int>(dice.Below(40));
        int sector = 0;
        for (int i = 0; i < samples; ++i) {
            sector += static_cast<int>(dice.Below(60000));
            std::size_t count = fields;
            if (dice.Chance(odd))
                count = dice.Below(static_cast<std::uint32_t>(fields + 3));
            std::string line;
            for (std::size_t f = 0; f < count; ++f) {
                if (f > 0)
                    line += ",";
                if (f == 0)
                    line += Field(dice, odd, 1, 16) + "." + Plain(dice, 0, 99);
                else if (f == 1)
                    line += dice.Chance(odd) ? OddNumber(dice) : std::to_string(sector);
                else
                    line += Field(dice, odd, 0, 100);
            }
            out.push_back(line);
        }
        if (!dice.Chance(odd * 5))
            out.push_back(markerLead + "END_" + name + "]");
    };
    const std::uint32_t sections = dice.Below(4);
    if (sections & 1)
        section("WRITE", dice.Chance(0.9) ? 5 : 6);
    if (dice.Chance(0.2))
        out.push_back("between the sections");
    if (sections & 2)
        section("VERIFY", dice.Chance(0.9) ? 4 : 5);

    // A file cut short: whole lines kept, then maybe part of the next.
    if (dice.Chance(0.25)) {
        const std::size_t keep = dice.Below(static_cast<std::uint32_t>(out.size() + 1));
        std::string partial = keep < out.size() ? out[keep].substr(0, dice.Below(static_cast<std::uint32_t>(out[keep].size() + 1))) : "";
        out.resize(keep);
        if (!partial.empty()) {
            out.push_back(partial);
            graph.FinalTerminator = false;
        }
    }
    if (dice.Chance(0.1))
        graph.FinalTerminator = false;
    return graph;
}

// The reader takes the file in 64 KiB chunks: a long line after the first one
// moves the next few line ends, CR LF pairs included, across the first chunk
// boundary, at an offset that depends on the seed.
inline RandomGraph PadFirstChunk(RandomGraph graph, std::uint32_t seed)
{
    constexpr std::size_t chunk = 65536;
    const std::size_t first = graph.Lines.empty() ? 0 : graph.Lines[0].size() + 2;
    const std::size_t pad = chunk - first - 2 - seed % 100;
    graph.Lines.insert(graph.Lines.begin() + (graph.Lines.empty() ? 0 : 1), "IBG_PADDING=" + std::string(pad - 12, 'P'));
    return graph;
}

enum class LineEnds { CrLf, Cr, Lf, Mixed };

// CR LF, CR and LF each end a line; only a CR followed by the LF that ends an
// empty line would read differently (as one CR LF), so mixed ends avoid it.
inline std::string JoinLines(const RandomGraph& graph, LineEnds ends, std::uint32_t seed)
{
    static const char* const each[] = {"\r\n", "\r", "\n"};
    Dice dice(seed);
    std::string text;
    std::string previous;
    for (std::size_t i = 0; i < graph.Lines.size(); ++i) {
        const std::string& line = graph.Lines[i];
        text += line;
        if (i + 1 == graph.Lines.size() && !graph.FinalTerminator)
            break;
        std::string end;
        switch (ends) {
        case LineEnds::CrLf: end = "\r\n"; break;
        case LineEnds::Cr: end = "\r"; break;
        case LineEnds::Lf: end = "\n"; break;
        case LineEnds::Mixed:
            do
                end = each[dice.Below(3)];
            while (previous == "\r" && line.empty() && end == "\n");
            break;
        }
        text += end;
        previous = end;
    }
    return text;
}

} // namespace velantro::testing
