// Properties of the load pass over a few hundred generated files: whatever a
// file holds, the pass loads it or takes its one error path, raw and averaged
// agree on which, the picture depends on nothing but the file, and the file is
// left exactly as it was.

#include "support/passrun.h"

#include <gtest/gtest.h>
#include <ibggen.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace velantro {
namespace {

using namespace testing;
namespace fs = std::filesystem;

struct Dice {
    std::mt19937 Engine;

    // mt19937's output is fixed by the standard; its distributions are not.
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : Engine() % n; }
    bool Chance(double p) { return Engine() < p * 4294967296.0; }
    std::string Pick(const std::vector<std::string>& items) { return items[Below(items.size())]; }
    std::string Plain(int low, int high) { return std::to_string(low + static_cast<int>(Below(high - low + 1))); }
    // Huge, negative, empty and malformed numbers, and some that only a double holds.
    std::string Odd()
    {
        return Pick({"1e308", "1e400", "1.7976931348623157e308", "1E+309", "1e39", "-1e39", "3e38", "-5", "-0.25",
                     "-2295104", "abc", "", " ", "8.5x", "1e-400", "+3", ".5", "5.", " 12", "\t7", "--1", "1e", "0x10",
                     "-0", "1,5", std::string(400, '9')});
    }
    // A number field: usually plausible, now and then anything.
    std::string Field(double oddChance, int low, int high) { return Chance(oddChance) ? Odd() : Plain(low, high); }
};

// Target: the line whose end a padding line moves to the reader's first chunk boundary.
struct RandomGraph { std::vector<std::string> Lines; bool FinalTerminator = true; std::size_t Target = 0; };

// Seeds from here on carry a padding line.
constexpr std::uint32_t PaddedSeeds = 1001;

// The logical lines of one file, mostly well formed, each spoilt in a few of the
// ways a damaged or hand-edited file is; line ends are chosen afterwards.
RandomGraph MakeRandomGraph(std::uint32_t seed)
{
    Dice dice{std::mt19937(seed)};
    RandomGraph graph;
    std::vector<std::string>& out = graph.Lines;
    const double odd = dice.Chance(0.4) ? 0.02 : 0.0;
    std::vector<std::string> header = {
        "DATE=2026-" + dice.Plain(1, 12) + "-" + dice.Plain(1, 28) + " 21:14:33",
        "SAMPLE_RATE=" + dice.Field(odd, 100, 1000), "DEVICE_MAKEMODEL=ACME DVDRW AD-" + dice.Plain(1, 9999),
        "DEVICE_FIRMWAREVERSION=1.0" + dice.Plain(0, 9),
        "MEDIA_TYPE=" + dice.Pick({"DVD+R", "DVD-R DL", "CD-R", "BD-R", "HD DVD-R", "dvd+r", "XX", ""}),
        "MEDIA_BOOKTYPE=DVD+R", "MEDIA_ID=ACME-R16-" + dice.Plain(0, 999),
        "MEDIA_CAPACITY=" + (dice.Chance(0.1) ? dice.Odd() : dice.Plain(300000, 12219392)),
        "MEDIA_LAYER_BREAK=" + (dice.Chance(0.3) ? dice.Field(odd * 5, 1, 2295104) : "0"),
        "DATA_SECTORS=" + dice.Field(odd * 5, 1000, 2295104),
        "DATA_TYPE=MODE1/" + (dice.Chance(0.85) ? "2048" : dice.Chance(0.5) ? dice.Odd() : "2352"),
        "DATA_VOLUMEIDENTIFIER=VOL_" + dice.Plain(0, 99)};
    // Swapping two keys hides the later one from a reader that only looks forward.
    if (dice.Chance(0.15))
        std::swap(header[dice.Below(12)], header[dice.Below(12)]);
    if (dice.Chance(0.05))
        header.erase(header.begin() + dice.Below(12));
    out.push_back("[START_CONFIGURATION]");
    for (const std::string& line : header) {
        while (dice.Chance(0.2))
            out.push_back(dice.Pick({"IBG_VERSION=1.4.2", "DEVICE_ADDRESS=[1:0:0]", "", "; comment",
                                     " DATE=2000-01-01", "MEDIA_SPEEDS=4x, 8x"}));
        out.push_back(line);
    }

    // Key lengths decide where the speed values are taken from. Two write
    // blocks to one verify block and one file without.
    const auto key = [&](std::size_t length) {
        length = dice.Chance(odd * 3) ? dice.Below(24) : length;
        return length == 0 ? std::string() : std::string(length - 1, 'K') + "=";
    };
    const std::size_t block = dice.Below(4);
    if (block < 2)
        out.insert(out.end(), {"WRITE_TEST_MODE=No", key(21) + dice.Plain(1, 16) + "x"});
    else if (block == 2)
        out.push_back("VERIFY_SPEED_START=" + dice.Plain(1, 16) + ".00");
    const std::vector<std::size_t> lengths =
        block < 2 ? std::vector<std::size_t>{18, 16, 20, 16, 17} : std::vector<std::size_t>{17, 21, 17, 18};
    for (std::size_t k = 0; block < 3 && k < lengths.size(); ++k)
        out.push_back(key(lengths[k]) +
                      (k + 1 < lengths.size() ? dice.Field(odd, 1, 16) + ".00" : dice.Field(odd, 0, 5000)));
    out.push_back("[END_CONFIGURATION]");

    const std::string lead = dice.Chance(0.8) ? "[" : dice.Chance(0.5) ? "x" : "";
    const auto section = [&](const std::string& name, std::size_t fields) {
        out.push_back(lead + "START_" + name + "]");
        int sector = 0;
        for (std::size_t i = 0, samples = dice.Below(40); i < samples; ++i) {
            sector += static_cast<int>(dice.Below(60000));
            const std::size_t count = dice.Chance(odd) ? dice.Below(fields + 3) : fields;
            std::string line = count > 0 ? dice.Field(odd, 1, 16) + "." + dice.Plain(0, 99) : "";
            for (std::size_t f = 1; f < count; ++f)
                line += ',' + (f > 1 ? dice.Field(odd, 0, 100) : dice.Field(odd, sector, sector));
            out.push_back(line);
        }
        if (!dice.Chance(odd * 5))
            out.push_back(lead + "END_" + name + "]");
    };
    const std::size_t sections = dice.Below(4);
    if (sections & 1)
        section("WRITE", dice.Chance(0.9) ? 5 : 6);
    if (dice.Chance(0.2))
        out.push_back("between the sections");
    if (sections & 2)
        section("VERIFY", dice.Chance(0.9) ? 4 : 5);

    // A file cut short: whole lines kept, then maybe part of the next.
    if (dice.Chance(0.25)) {
        out.resize(dice.Below(out.size() + 1) + 1);
        out.back().resize(dice.Below(out.back().size() + 1));
        graph.FinalTerminator = out.back().empty();
        if (graph.FinalTerminator)
            out.pop_back();
    }
    graph.FinalTerminator &= !dice.Chance(0.1);
    if (seed >= PaddedSeeds && out.size() > 1) {
        out.insert(out.begin() + 1, "IBG_PADDING=");
        graph.Target = 2 + seed % (out.size() - 2);
    }
    return graph;
}

enum class LineEnds { CrLf, Cr, Lf, Mixed };

// CR LF, CR and LF each end a line; only a CR followed by the LF that ends an
// empty line would read differently (as one CR LF), so mixed ends avoid it.
// The reader takes the file in 64 KiB chunks: the padding grows until the end
// of the target line is 0 to 2 bytes short of the first chunk's last byte, which
// splits a CR LF pair, makes a lone CR wait on the next chunk, or cuts a line.
std::string JoinLines(const RandomGraph& graph, LineEnds ends, std::uint32_t seed)
{
    Dice dice{std::mt19937(seed)};
    const std::vector<std::string> each = {"\r\n", "\r", "\n"};
    std::string text, end;
    std::size_t padAt = 0, targetEnd = 0;
    for (std::size_t i = 0; i < graph.Lines.size(); ++i) {
        text += graph.Lines[i];
        padAt = i == 1 ? text.size() : padAt;
        targetEnd = i == graph.Target ? text.size() : targetEnd;
        if (i + 1 == graph.Lines.size() && !graph.FinalTerminator)
            break;
        const bool afterCr = end == "\r";
        do
            end = ends == LineEnds::Mixed ? dice.Pick(each) : each[static_cast<std::size_t>(ends)];
        while (afterCr && graph.Lines[i].empty() && end == "\n");
        text += end;
    }
    if (graph.Target > 0 && targetEnd + 2 < 65535)
        text.insert(padAt, 65535 - targetEnd - seed % 3, 'P');
    return text;
}

// Seed: that of a made-up file.
struct RandomCase { std::string Name, Text; std::uint32_t Seed = 0; };

// Made-up files of every shape, 200 plain and 30 padded, and realistic ones of
// every kind cut short at a random byte, with every kind of line end.
const std::vector<RandomCase>& Cases()
{
    static const std::vector<RandomCase> cases = [] {
        std::vector<RandomCase> all;
        for (std::uint32_t seed = 1; seed < PaddedSeeds + 30; seed = seed == 200 ? PaddedSeeds : seed + 1)
            all.push_back({"random seed " + std::to_string(seed) + " ends " + std::to_string(seed % 4),
                           JoinLines(MakeRandomGraph(seed), static_cast<LineEnds>(seed % 4), seed), seed});
        for (const ibggen::Kind kind : ibggen::AllKinds)
            for (std::uint32_t i = 0; i < 8; ++i) {
                auto text = ibggen::Generate({kind, 1 + i * 7, i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r", i + 1});
                if (i % 4 != 0)
                    text.resize(Dice{std::mt19937(i * 31 + static_cast<std::uint32_t>(kind))}.Below(text.size() + 1));
                all.push_back({std::string(ibggen::KindName(kind)) + " " + std::to_string(i), text});
            }
        return all;
    }();
    return cases;
}

// Everything a pass leaves visible, one item a line, floats bit-exact. Files
// of the same content at other paths compare without the paths.
std::string Snapshot(const BurnFields& fields, const RecordingControls& controls, bool withPaths = true)
{
    std::ostringstream out;
    out << std::hexfloat;
    for (const int picture : {1, 2, 5, 7}) {
        const RecordingSurface& surface = controls.Pictures[picture];
        out << "Picture" << picture << " scale " << surface.ScaleWidth() << " x " << surface.ScaleHeight() << '\n';
        for (const Segment& s : surface.Lines)
            out << "line " << s.X1 << ' ' << s.Y1 << ' ' << s.X2 << ' ' << s.Y2 << " #" << s.Colour << '\n';
        for (const auto& printed : surface.Printed)
            out << "print at " << printed.X << ' ' << printed.Y << ": " << printed.Text << '\n';
    }
    const auto each = [&](const char* name, const auto& items) {
        for (const auto& item : items)
            out << name << ' ' << item << '\n';
    };
    each("Label3", controls.Label3), each("Label5", controls.Label5), each("Check1", controls.Ticked);
    each("enabled", controls.Enabled), each("message", controls.Messages), each("value", fields.InfoCaptions);
    out << "sector size " << fields.SectorSize << " capacity " << fields.MediaCapacity << " data " << fields.DataSectors
        << " width " << fields.ChartWidth << " height " << fields.SpeedChartHeight << " rpm " << fields.RpmBase << ' '
        << fields.RpmSpan << "\nmedia " << fields.MediaType << '\n';
    if (withPaths)
        out << "shown " << fields.GraphFilePath << "\nloaded " << fields.LoadedFilePath << '\n';
    return out.str();
}

// Snapshots run long: a failure shows the first line where the two part.
void ExpectSame(const std::string& a, const std::string& b)
{
    const std::size_t at = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    const std::size_t from = at == 0 ? 0 : a.rfind('\n', at - 1) + 1;
    EXPECT_TRUE(a == b) << a.substr(from, a.find('\n', at) - from) << " vs " << b.substr(from, b.find('\n', at) - from);
}

// Whatever a file holds, the pass loads it or takes its one error path, which
// leaves the window on the file shown before; raw and averaged agree on which.
TEST(RandomFiles, OnePathOrTheOther)
{
    const auto writeSection = [](const std::string& samples) {
        return GraphText{.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n" + samples + "[END_WRITE]\r\n"}.Text();
    };
    const TempFile good(writeSection("8.5,1024,0,97,12\r\n"));
    // Values that only a double holds, hidden inside a block: once accepted averaged, rejected raw.
    std::vector<RandomCase> cases = {
        {"1e39 sector", writeSection("8,1000,0,50,5\r\n0,1e39,0,50,5\r\n8,3000,0,50,5\r\n")},
        {"1e39 percent", writeSection("8,1000,0,50,5\r\n8,2000,0,1e39,5\r\n8,3000,0,-1e39,5\r\n")}};
    cases.insert(cases.end(), Cases().begin(), Cases().end());
    // Those two need blocks of three samples or more to pass averaged.
    static const char* const blockSizes[] = {"20", "10", "2", "5", "15", "25"};
    std::size_t loaded = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].Name + " block size " + blockSizes[i % 6]);
        const TempFile file(cases[i].Text);
        PassRun averaged(true, blockSizes[i % 6]), raw(false);
        for (PassRun* run : {&averaged, &raw}) {
            ASSERT_TRUE(run->Load(good.Path()).Loaded);
            const bool ok = run->Load(file.Path()).Loaded;
            EXPECT_EQ(run->Controls.Messages, ok ? std::vector<std::string>{} : std::vector{FileErrorMessage});
            EXPECT_EQ(run->Fields.GraphFilePath, ok ? file.Path() : good.Path());
            EXPECT_EQ(run->Fields.LoadedFilePath, ok ? file.Path() : good.Path());
        }
        loaded += averaged.Outcome.Loaded;
        EXPECT_EQ(averaged.Outcome.Loaded, raw.Outcome.Loaded);
        EXPECT_EQ(averaged.Outcome.Sections, raw.Outcome.Sections);
    }
    // A generator that only made good files, or only bad ones, would prove little.
    EXPECT_GE(std::min(loaded, cases.size() - loaded), cases.size() / 5) << loaded << " of " << cases.size();
}

// Loading again, in another window or the same one, shows the same picture,
// and no load in either mode leaves a trace on the file or its folder.
TEST(RandomFiles, SamePictureFileUntouched)
{
    // Far from now, to the nanosecond, so that any write would move it.
    const auto stamp = fs::file_time_type(std::chrono::nanoseconds(123'456'789));
    for (std::size_t i = 0; i < Cases().size(); ++i) {
        const RandomCase& c = Cases()[i];
        SCOPED_TRACE(c.Name);
        const TempFile file(c.Text);
        fs::last_write_time(file.Path(), stamp);
        PassRun first(i % 2 == 0), second(i % 2 == 0), otherMode(i % 2 != 0);
        first.Load(file.Path()), second.Load(file.Path()), otherMode.Load(file.Path());
        const std::string once = Snapshot(first.Fields, first.Controls);
        ExpectSame(once, Snapshot(second.Fields, second.Controls));
        // The same window again: a re-plot of a loaded file, a fresh try of a rejected one.
        first.Controls.Messages.clear();
        first.Load(file.Path());
        ExpectSame(once, Snapshot(first.Fields, first.Controls));

        EXPECT_TRUE(fs::last_write_time(file.Path()) == stamp);
        std::ifstream in(file.Path(), std::ios::binary);
        EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == c.Text);
        // The file itself is there, so one entry means nothing else appeared.
        EXPECT_EQ(std::distance(fs::directory_iterator(file.Folder()), fs::directory_iterator()), 1);
    }
}

TEST(RandomFiles, LineEndsReadAlike)
{
    for (const RandomCase& c : Cases()) {
        if (c.Seed == 0 || (c.Seed % 2 == 0 && c.Seed < PaddedSeeds))
            continue;
        SCOPED_TRACE(c.Name);
        const RandomGraph graph = MakeRandomGraph(c.Seed);
        PassRun crlf;
        crlf.LoadText(JoinLines(graph, LineEnds::CrLf, c.Seed));
        for (const LineEnds ends : {LineEnds::Cr, LineEnds::Lf, LineEnds::Mixed}) {
            SCOPED_TRACE("ends " + std::to_string(static_cast<int>(ends)));
            PassRun run;
            run.LoadText(JoinLines(graph, ends, c.Seed));
            ExpectSame(Snapshot(crlf.Fields, crlf.Controls, false), Snapshot(run.Fields, run.Controls, false));
        }
    }
}

} // namespace
} // namespace velantro
