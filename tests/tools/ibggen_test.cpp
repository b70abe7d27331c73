#include "ibggen.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using ibggen::Kind;

constexpr const char* HeaderKeys[] = {
    "DATE=",           "SAMPLE_RATE=",      "DEVICE_MAKEMODEL=", "DEVICE_FIRMWAREVERSION=",
    "MEDIA_TYPE=",     "MEDIA_BOOKTYPE=",   "MEDIA_ID=",         "MEDIA_CAPACITY=",
    "MEDIA_LAYER_BREAK=", "DATA_SECTORS=", "DATA_TYPE=",        "DATA_VOLUMEIDENTIFIER=",
};

struct Lines {
    std::vector<std::string> lines;
    bool endsWithEol = false;
};

Lines Split(const std::string& text, const std::string& eol)
{
    Lines result;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t at = text.find(eol, from);
        if (at == std::string::npos) {
            result.lines.push_back(text.substr(from));
            return result;
        }
        result.lines.push_back(text.substr(from, at - from));
        from = at + eol.size();
    }
    result.endsWithEol = !text.empty();
    return result;
}

bool StartsWith(const std::string& line, std::string_view prefix)
{
    return line.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = line.find(',', from);
        fields.push_back(line.substr(from, at - from));
        if (at == std::string::npos)
            return fields;
        from = at + 1;
    }
}

bool ParseDouble(const std::string& text, double& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool IsWholeNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ValueOf(const std::vector<std::string>& lines, std::string_view key)
{
    for (const auto& line : lines)
        if (StartsWith(line, key))
            return line.substr(key.size());
    return {};
}

// Sample lines between a start marker and the next end marker (or the end of the file).
std::vector<std::string> Section(const std::vector<std::string>& lines, const std::string& start,
                                 const std::string& end)
{
    auto first = std::find(lines.begin(), lines.end(), start);
    if (first == lines.end())
        return {};
    ++first;
    return {first, std::find(first, lines.end(), end)};
}

Lines Make(Kind kind, std::size_t samples = 50, std::uint32_t seed = 1, std::string eol = "\r\n")
{
    ibggen::Options options;
    options.kind = kind;
    options.samples = samples;
    options.seed = seed;
    options.eol = eol;
    return Split(ibggen::Generate(options), eol);
}

std::string Bytes(Kind kind, std::uint32_t seed, std::size_t samples = 200)
{
    ibggen::Options options;
    options.kind = kind;
    options.seed = seed;
    options.samples = samples;
    return ibggen::Generate(options);
}

TEST(IbgGen, SameSeedSameBytes)
{
    const std::uint32_t seeds[] = {0, 1, 77, 4294967295u};
    for (const Kind kind : ibggen::AllKinds)
        for (const std::uint32_t seed : seeds)
            EXPECT_EQ(Bytes(kind, seed), Bytes(kind, seed)) << ibggen::KindName(kind) << " seed " << seed;
}

TEST(IbgGen, DifferentSeedsDiffer)
{
    const std::pair<std::uint32_t, std::uint32_t> seeds[] = {{1, 2}, {0, 1}, {100, 101}};
    for (const Kind kind : ibggen::AllKinds)
        for (const auto& [a, b] : seeds)
            EXPECT_NE(Bytes(kind, a), Bytes(kind, b)) << ibggen::KindName(kind) << " seeds " << a << ", " << b;
}

TEST(IbgGen, SectionStructure)
{
    struct Case {
        Kind kind;
        std::size_t samples;
        bool writeStart, writeEnd, verifyStart, verifyEnd;
        std::size_t writeSamples, verifySamples;
    };
    const Case cases[] = {
        {Kind::DvdBurnVerify, 40, true, true, true, true, 40, 40},
        {Kind::DvdDualLayer, 25, true, true, true, true, 25, 25},
        {Kind::CdWriteOnly, 33, true, true, false, false, 33, 0},
        {Kind::BdVerifyOnly, 60, false, false, true, true, 0, 60},
        {Kind::NoSections, 60, false, false, false, false, 0, 0},
        {Kind::TruncatedWrite, 30, true, false, false, false, 31, 0},  // 30 whole lines and a torn one
        {Kind::EmptyWriteWithVerify, 45, true, true, true, true, 0, 45},
        {Kind::DvdBurnVerify, 1, true, true, true, true, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)) + " samples " + std::to_string(c.samples));
        const auto lines = Make(c.kind, c.samples).lines;
        auto has = [&](const char* marker) { return std::count(lines.begin(), lines.end(), marker) == 1; };
        auto absent = [&](const char* marker) { return std::count(lines.begin(), lines.end(), marker) == 0; };
        EXPECT_TRUE(c.writeStart ? has("[START_WRITE]") : absent("[START_WRITE]"));
        EXPECT_TRUE(c.writeEnd ? has("[END_WRITE]") : absent("[END_WRITE]"));
        EXPECT_TRUE(c.verifyStart ? has("[START_VERIFY]") : absent("[START_VERIFY]"));
        EXPECT_TRUE(c.verifyEnd ? has("[END_VERIFY]") : absent("[END_VERIFY]"));
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "[START_CONFIGURATION]"), 1);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "[END_CONFIGURATION]"), 1);
        EXPECT_EQ(Section(lines, "[START_WRITE]", "[END_WRITE]").size(), c.writeSamples);
        EXPECT_EQ(Section(lines, "[START_VERIFY]", "[END_VERIFY]").size(), c.verifySamples);
        if (c.kind == Kind::NoSections) {
            EXPECT_EQ(lines.back(), "[END_CONFIGURATION]");
        }
        if (c.writeStart && c.verifyStart) {
            const auto writeAt = std::find(lines.begin(), lines.end(), "[END_WRITE]");
            const auto verifyAt = std::find(lines.begin(), lines.end(), "[START_VERIFY]");
            EXPECT_LT(writeAt, verifyAt);
        }
    }
}

TEST(IbgGen, HeaderKeysInOrder)
{
    for (const Kind kind : ibggen::AllKinds) {
        SCOPED_TRACE(std::string(ibggen::KindName(kind)));
        const auto lines = Make(kind).lines;
        const auto end = std::find(lines.begin(), lines.end(), "[END_CONFIGURATION]");
        ASSERT_NE(end, lines.end());
        std::ptrdiff_t previous = -1;
        for (const char* key : HeaderKeys) {
            const auto count = std::count_if(lines.begin(), end, [&](const std::string& l) { return StartsWith(l, key); });
            EXPECT_EQ(count, 1) << key;
            const auto at = std::find_if(lines.begin(), end, [&](const std::string& l) { return StartsWith(l, key); });
            EXPECT_GT(at - lines.begin(), previous) << key;
            previous = at - lines.begin();
        }
        // Lines the reader must pass over, before and between the keys.
        const auto others = std::count_if(lines.begin() + 1, end, [](const std::string& l) {
            return std::none_of(std::begin(HeaderKeys), std::end(HeaderKeys),
                                [&](const char* key) { return StartsWith(l, key); }) &&
                   !StartsWith(l, "WRITE_") && !StartsWith(l, "VERIFY_");
        });
        EXPECT_GE(others, 3);
        EXPECT_EQ(ValueOf(lines, "DATA_TYPE="), "MODE1/2048");
        EXPECT_TRUE(IsWholeNumber(ValueOf(lines, "MEDIA_CAPACITY=")));
        EXPECT_TRUE(IsWholeNumber(ValueOf(lines, "DATA_SECTORS=")));
        EXPECT_TRUE(IsWholeNumber(ValueOf(lines, "SAMPLE_RATE=")));
        EXPECT_LE(std::stod(ValueOf(lines, "DATA_SECTORS=")), std::stod(ValueOf(lines, "MEDIA_CAPACITY=")));
    }
}

TEST(IbgGen, MediaValues)
{
    struct Case {
        Kind kind;
        const char* mediaType;
        const char* capacity;
        const char* layerBreak;
        bool highByteInLabel;
    };
    const Case cases[] = {
        {Kind::DvdBurnVerify, "DVD+R", "2295104", "0", false},
        {Kind::DvdDualLayer, "DVD+R DL", "4173824", "2086912", false},
        {Kind::CdWriteOnly, "CD-R", "359845", "0", true},
        {Kind::BdVerifyOnly, "BD-R", "12219392", "0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)));
        const auto lines = Make(c.kind).lines;
        EXPECT_EQ(ValueOf(lines, "MEDIA_TYPE="), c.mediaType);
        EXPECT_EQ(ValueOf(lines, "MEDIA_CAPACITY="), c.capacity);
        EXPECT_EQ(ValueOf(lines, "MEDIA_LAYER_BREAK="), c.layerBreak);
        const std::string label = ValueOf(lines, "DATA_VOLUMEIDENTIFIER=");
        EXPECT_FALSE(label.empty());
        const bool high = std::any_of(label.begin(), label.end(), [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
        EXPECT_EQ(high, c.highByteInLabel);
    }
    const std::string cdLabel = ValueOf(Make(Kind::CdWriteOnly).lines, "DATA_VOLUMEIDENTIFIER=");
    EXPECT_NE(cdLabel.find('\xE9'), std::string::npos);
}

TEST(IbgGen, SpeedBlockKeyLengths)
{
    struct Case {
        Kind kind;
        const char* firstLine;
        std::vector<std::size_t> keyLengths;  // of the lines after the first
    };
    const std::vector<std::size_t> writeBlock{21, 18, 16, 20, 16, 17};
    const std::vector<std::size_t> verifyBlock{17, 21, 17, 18};
    const Case cases[] = {
        {Kind::DvdBurnVerify, "WRITE_TEST_MODE=", writeBlock},
        {Kind::DvdDualLayer, "WRITE_TEST_MODE=", writeBlock},
        {Kind::CdWriteOnly, "WRITE_TEST_MODE=", writeBlock},
        {Kind::BdVerifyOnly, "VERIFY_SPEED_START=", verifyBlock},
        {Kind::NoSections, "WRITE_TEST_MODE=", writeBlock},
        {Kind::TruncatedWrite, "WRITE_TEST_MODE=", writeBlock},
        {Kind::EmptyWriteWithVerify, "WRITE_TEST_MODE=", writeBlock},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)));
        const auto lines = Make(c.kind).lines;
        auto at = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return StartsWith(l, "DATA_VOLUMEIDENTIFIER="); });
        at = std::find_if(at, lines.end(), [](const std::string& l) {
            return StartsWith(l, "WRITE_TEST_MODE=") || StartsWith(l, "VERIFY_SPEED_START=") ||
                   l == "[END_CONFIGURATION]";
        });
        ASSERT_NE(at, lines.end());
        EXPECT_TRUE(StartsWith(*at, c.firstLine)) << *at;
        ASSERT_GT(lines.end() - at, static_cast<std::ptrdiff_t>(c.keyLengths.size()));
        for (std::size_t i = 0; i < c.keyLengths.size(); ++i) {
            const std::string& line = *(at + 1 + static_cast<std::ptrdiff_t>(i));
            EXPECT_EQ(line.find('=') + 1, c.keyLengths[i]) << line;
        }
        // Speeds are numbers (after the selected speed of a write block); the time is whole seconds.
        const std::size_t firstSpeed = c.keyLengths.size() == writeBlock.size() ? 1 : 0;
        for (std::size_t i = firstSpeed; i + 1 < c.keyLengths.size(); ++i) {
            double speed = 0;
            EXPECT_TRUE(ParseDouble((at + 1 + static_cast<std::ptrdiff_t>(i))->substr(c.keyLengths[i]), speed));
            EXPECT_GT(speed, 0);
        }
        EXPECT_TRUE(IsWholeNumber((at + static_cast<std::ptrdiff_t>(c.keyLengths.size()))->substr(c.keyLengths.back())));
    }
}

TEST(IbgGen, LineEndings)
{
    struct Case {
        const char* eol;
        Kind kind;
    };
    const Case cases[] = {
        {"\r\n", Kind::DvdBurnVerify}, {"\n", Kind::DvdBurnVerify}, {"\r", Kind::DvdBurnVerify},
        {"\r\n", Kind::BdVerifyOnly},  {"\n", Kind::CdWriteOnly},   {"\r", Kind::NoSections},
        {"\n", Kind::TruncatedWrite},
    };
    for (const Case& c : cases) {
        const std::string eol = c.eol;
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)) + " eol size " + std::to_string(eol.size()));
        ibggen::Options options;
        options.kind = c.kind;
        options.samples = 30;
        options.eol = eol;
        const std::string text = ibggen::Generate(options);
        const auto cr = std::count(text.begin(), text.end(), '\r');
        const auto lf = std::count(text.begin(), text.end(), '\n');
        const auto lines = Split(text, eol);
        const auto terminators = static_cast<std::ptrdiff_t>(lines.lines.size()) - (lines.endsWithEol ? 0 : 1);
        EXPECT_EQ(cr, eol.find('\r') != std::string::npos ? terminators : 0);
        EXPECT_EQ(lf, eol.find('\n') != std::string::npos ? terminators : 0);
        EXPECT_EQ(lines.endsWithEol, c.kind != Kind::TruncatedWrite);
        EXPECT_EQ(lines.lines.front(), "[START_CONFIGURATION]");
    }
}

TEST(IbgGen, SampleLines)
{
    struct Case {
        Kind kind;
        std::size_t samples;
        std::uint32_t seed;
    };
    const Case cases[] = {
        {Kind::DvdBurnVerify, 2000, 1}, {Kind::DvdDualLayer, 500, 9},         {Kind::CdWriteOnly, 300, 3},
        {Kind::BdVerifyOnly, 800, 4},   {Kind::EmptyWriteWithVerify, 50, 5}, {Kind::DvdBurnVerify, 2, 6},
        {Kind::CdWriteOnly, 1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)) + " samples " + std::to_string(c.samples));
        const auto lines = Make(c.kind, c.samples, c.seed).lines;
        const double dataSectors = std::stod(ValueOf(lines, "DATA_SECTORS="));
        const std::pair<std::vector<std::string>, std::size_t> sections[] = {
            {Section(lines, "[START_WRITE]", "[END_WRITE]"), 5},
            {Section(lines, "[START_VERIFY]", "[END_VERIFY]"), 4},
        };
        for (const auto& [samples, fieldCount] : sections) {
            if (samples.empty())
                continue;
            EXPECT_EQ(samples.size(), c.samples);
            double previous = 0;
            for (std::size_t i = 0; i < samples.size(); ++i) {
                const auto fields = Fields(samples[i]);
                ASSERT_EQ(fields.size(), fieldCount) << samples[i];
                double speed = 0, sector = 0, ignored = 0;
                ASSERT_TRUE(ParseDouble(fields[0], speed)) << samples[i];
                EXPECT_EQ(fields[0].find('.'), fields[0].size() - 3) << samples[i];
                EXPECT_GT(speed, 0);
                ASSERT_TRUE(IsWholeNumber(fields[1])) << samples[i];
                EXPECT_TRUE(ParseDouble(fields[2], ignored)) << samples[i];
                sector = std::stod(fields[1]);
                EXPECT_GE(sector, previous) << samples[i];
                previous = sector;
                for (std::size_t f = 3; f < fieldCount; ++f) {
                    ASSERT_TRUE(IsWholeNumber(fields[f])) << samples[i];
                    EXPECT_LE(std::stoi(fields[f]), 100) << samples[i];
                }
            }
            if (samples.size() > 1) {
                EXPECT_EQ(std::stod(Fields(samples.front())[1]), 0);
            }
            EXPECT_EQ(std::stod(Fields(samples.back())[1]), dataSectors);
        }
    }
}

TEST(IbgGen, TruncatedWriteStopsShort)
{
    const std::size_t sampleCounts[] = {1, 10, 300};
    for (const std::size_t samples : sampleCounts) {
        SCOPED_TRACE(samples);
        const auto file = Make(Kind::TruncatedWrite, samples);
        const auto section = Section(file.lines, "[START_WRITE]", "[END_WRITE]");
        ASSERT_EQ(section.size(), samples + 1);
        EXPECT_FALSE(file.endsWithEol);
        // The last line is torn: fewer fields than a write sample needs.
        EXPECT_LT(Fields(section.back()).size(), 5u);
        const double dataSectors = std::stod(ValueOf(file.lines, "DATA_SECTORS="));
        EXPECT_LT(std::stod(Fields(section[samples - 1])[1]), dataSectors);
    }
}

TEST(IbgGen, SpeedShapes)
{
    struct Case {
        Kind kind;
        const char* start;
        const char* end;
        double minTop, maxTop;      // highest sample speed
        double maxFirstAfterSpinUp; // speed soon after the start stays well below the top
    };
    const Case cases[] = {
        {Kind::DvdBurnVerify, "[START_WRITE]", "[END_WRITE]", 14.5, 16.6, 8.5},
        {Kind::DvdBurnVerify, "[START_VERIFY]", "[END_VERIFY]", 13.0, 16.6, 8.5},
        {Kind::DvdDualLayer, "[START_WRITE]", "[END_WRITE]", 7.5, 8.4, 5.0},
        {Kind::CdWriteOnly, "[START_WRITE]", "[END_WRITE]", 38.0, 49.0, 26.0},
        {Kind::BdVerifyOnly, "[START_VERIFY]", "[END_VERIFY]", 7.0, 12.5, 5.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.kind)) + " " + c.start);
        const auto section = Section(Make(c.kind, 1000).lines, c.start, c.end);
        ASSERT_EQ(section.size(), 1000u);
        double top = 0;
        for (const auto& line : section)
            top = std::max(top, std::stod(Fields(line)[0]));
        EXPECT_GE(top, c.minTop);
        EXPECT_LE(top, c.maxTop);
        EXPECT_LE(std::stod(Fields(section[30])[0]), c.maxFirstAfterSpinUp);
    }
}

TEST(IbgGen, DualLayerSlowsAtLayerBreak)
{
    const std::uint32_t seeds[] = {1, 2, 3};
    for (const std::uint32_t seed : seeds) {
        SCOPED_TRACE(seed);
        const auto lines = Make(Kind::DvdDualLayer, 2000, seed).lines;
        const double layerBreak = std::stod(ValueOf(lines, "MEDIA_LAYER_BREAK="));
        const auto section = Section(lines, "[START_WRITE]", "[END_WRITE]");
        const auto after = std::find_if(section.begin(), section.end(),
                                        [&](const std::string& l) { return std::stod(Fields(l)[1]) > layerBreak; });
        ASSERT_NE(after, section.end());
        ASSERT_GT(after - section.begin(), 5);
        const double before = std::stod(Fields(*(after - 5))[0]);
        EXPECT_LT(std::stod(Fields(*after)[0]), 0.6 * before);
    }
}

TEST(IbgGen, KindNames)
{
    const std::pair<const char*, std::optional<Kind>> cases[] = {
        {"dvd-verify", Kind::DvdBurnVerify},
        {"dvd-dl", Kind::DvdDualLayer},
        {"cd-write", Kind::CdWriteOnly},
        {"bd-verify", Kind::BdVerifyOnly},
        {"no-sections", Kind::NoSections},
        {"truncated-write", Kind::TruncatedWrite},
        {"empty-write-verify", Kind::EmptyWriteWithVerify},
        {"", std::nullopt},
        {"DVD-VERIFY", std::nullopt},
        {"dvd", std::nullopt},
        {"dvd-verify ", std::nullopt},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(ibggen::KindFromName(name), kind) << '"' << name << '"';
        if (kind) {
            EXPECT_EQ(ibggen::KindName(*kind), name);
        }
    }
}

class TempDir {
public:
    TempDir() : path_(std::filesystem::temp_directory_path() / ("ibggen_test_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(IbgGen, WriteFile)
{
    TempDir dir;
    ibggen::Options options;
    options.kind = Kind::DvdDualLayer;
    options.samples = 120;
    options.eol = "\r";
    const auto good = dir.Path() / "out.ibg";
    ASSERT_TRUE(ibggen::WriteFile(options, good.string()));
    EXPECT_EQ(ReadFile(good), ibggen::Generate(options));
    EXPECT_FALSE(ibggen::WriteFile(options, (dir.Path() / "missing" / "out.ibg").string()));
    EXPECT_FALSE(ibggen::WriteFile(options, dir.Path().string()));
}

TEST(IbgGen, CommandLine)
{
    struct Case {
        std::string args;
        int status;
        bool writesOut;
    };
    const Case cases[] = {
        {"--kind dvd-verify --samples 40 --eol lf --seed 9 -o OUT", 0, true},
        {"--help", 0, false},
        {"", 2, false},
        {"--kind dvd-verify", 2, false},
        {"-o OUT", 2, false},
        {"--kind bogus -o OUT", 2, false},
        {"--kind cd-write --samples 12x -o OUT", 2, false},
        {"--kind cd-write --samples -3 -o OUT", 2, false},
        {"--kind cd-write --seed 4294967296 -o OUT", 2, false},
        {"--kind cd-write --eol crlf2 -o OUT", 2, false},
        {"--kind cd-write --frobnicate -o OUT", 2, false},
        {"--kind cd-write -o", 2, false},
        {"--kind cd-write -o missing/OUT", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        TempDir dir;
        const std::string command = "cd '" + dir.Path().string() + "' && '" + IBGGEN_EXE + "' " + c.args + " >/dev/null 2>&1";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), c.status);
        const auto entries = std::distance(std::filesystem::directory_iterator(dir.Path()),
                                           std::filesystem::directory_iterator());
        EXPECT_EQ(entries, c.writesOut ? 1 : 0);
        if (c.writesOut) {
            ibggen::Options options;
            options.kind = Kind::DvdBurnVerify;
            options.samples = 40;
            options.eol = "\n";
            options.seed = 9;
            EXPECT_EQ(ReadFile(dir.Path() / "OUT"), ibggen::Generate(options));
        }
    }
}

}  // namespace
