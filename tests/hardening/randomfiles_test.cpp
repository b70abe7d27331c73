// Properties of the load pass over a few hundred generated files: whatever a
// file holds, the pass loads it or takes its one error path, raw and averaged
// agree on which, the picture depends on nothing but the file, and the file is
// left exactly as it was.

#include "hardening/randomgraph.h"
#include "hardening/snapshot.h"
#include "support/passrun.h"

#include <gtest/gtest.h>
#include <ibggen.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace velantro {
namespace {

using testing::Dice;
using testing::FirstDifference;
using testing::LineEnds;
using testing::PassRun;
using testing::Snapshot;
using testing::TempFile;

struct RandomCase {
    std::string Name;
    std::string Text;
};

// Seeds from PaddedSeeds on carry a line that puts their next line ends
// across the reader's first chunk boundary.
constexpr std::uint32_t RandomSeeds = 200;
constexpr std::uint32_t PaddedSeeds = 1001;
constexpr std::uint32_t PaddedCount = 30;

std::vector<std::uint32_t> Seeds()
{
    std::vector<std::uint32_t> seeds;
    for (std::uint32_t seed = 1; seed <= RandomSeeds; ++seed)
        seeds.push_back(seed);
    for (std::uint32_t seed = PaddedSeeds; seed < PaddedSeeds + PaddedCount; ++seed)
        seeds.push_back(seed);
    return seeds;
}

testing::RandomGraph Graph(std::uint32_t seed)
{
    testing::RandomGraph graph = testing::MakeRandomGraph(seed);
    return seed >= PaddedSeeds ? testing::PadFirstChunk(std::move(graph), seed) : graph;
}

// Made-up files of every shape, and realistic ones of every kind cut short at
// a random byte, with every kind of line end.
const std::vector<RandomCase>& Cases()
{
    static const std::vector<RandomCase> cases = [] {
        std::vector<RandomCase> all;
        static const char* const endNames[] = {"crlf", "cr", "lf", "mixed"};
        for (const std::uint32_t seed : Seeds()) {
            const auto ends = static_cast<LineEnds>(seed % 4);
            all.push_back({"random seed " + std::to_string(seed) + " " + endNames[seed % 4],
                           testing::JoinLines(Graph(seed), ends, seed)});
        }
        static const char* const eols[] = {"\r\n", "\n", "\r"};
        for (const ibggen::Kind kind : ibggen::AllKinds) {
            for (std::uint32_t i = 0; i < 8; ++i) {
                ibggen::Options options;
                options.kind = kind;
                options.samples = 1 + i * 7;
                options.eol = eols[i % 3];
                options.seed = i + 1;
                std::string text = ibggen::Generate(options);
                Dice dice(i * 31 + static_cast<std::uint32_t>(kind));
                if (i % 4 != 0)
                    text.resize(dice.Below(static_cast<std::uint32_t>(text.size() + 1)));
                all.push_back({std::string(ibggen::KindName(kind)) + " " + std::to_string(i), text});
            }
        }
        return all;
    }();
    return cases;
}

const std::string& GoodFile()
{
    static const std::string text = [] {
        testing::GraphText good;
        good.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n8.5,1024,0,97,12\r\n[END_WRITE]\r\n";
        return good.Text();
    }();
    return text;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(RandomFiles, EndOnOnePathOrTheOther)
{
    int loaded = 0;
    int rejected = 0;
    for (const RandomCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        PassRun run;
        const TempFile good(GoodFile());
        ASSERT_TRUE(run.Load(good.Path()).Loaded);
        const TempFile file(c.Text);
        const LoadOutcome outcome = run.Load(file.Path());
        if (outcome.Loaded) {
            ++loaded;
            EXPECT_TRUE(run.Controls.Messages.empty());
            EXPECT_EQ(run.Fields.GraphFilePath, file.Path());
            EXPECT_EQ(run.Fields.LoadedFilePath, file.Path());
        } else {
            ++rejected;
            ASSERT_EQ(run.Controls.Messages.size(), 1u);
            EXPECT_EQ(run.Controls.Messages[0], testing::FileErrorMessage);
            EXPECT_EQ(run.Fields.GraphFilePath, good.Path());
            EXPECT_EQ(run.Fields.LoadedFilePath, good.Path());
        }
    }
    // A generator that only made good files, or only bad ones, would prove little.
    const int all = static_cast<int>(Cases().size());
    RecordProperty("loaded", loaded);
    RecordProperty("rejected", rejected);
    EXPECT_GE(loaded, all / 5);
    EXPECT_GE(rejected, all / 5);
}

TEST(RandomFiles, RawAndAveragedAgree)
{
    static const char* const blockSizes[] = {"2", "5", "10", "15", "20", "25"};
    // Values that only a double holds, hidden inside a block: once accepted averaged, rejected raw.
    std::vector<RandomCase> cases = Cases();
    for (const char* samples : {"8,1000,0,50,5\r\n0,1e39,0,50,5\r\n8,3000,0,50,5\r\n",
                                "8,1000,0,50,5\r\n8,2000,0,1e39,5\r\n8,3000,0,-1e39,5\r\n"}) {
        testing::GraphText text;
        text.Body = std::string("[END_CONFIGURATION]\r\n[START_WRITE]\r\n") + samples + "[END_WRITE]\r\n";
        cases.push_back({samples, text.Text()});
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const RandomCase& c = cases[i];
        SCOPED_TRACE(c.Name);
        const TempFile file(c.Text);
        PassRun averaged;
        averaged.Controls.BlockSize = blockSizes[i % 6];
        PassRun raw;
        raw.Controls.Averaged = false;
        EXPECT_EQ(averaged.Load(file.Path()).Loaded, raw.Load(file.Path()).Loaded)
            << "block size " << blockSizes[i % 6];
        EXPECT_EQ(averaged.Outcome.Sections, raw.Outcome.Sections);
    }
}

TEST(RandomFiles, SamePictureEveryTime)
{
    for (std::size_t i = 0; i < Cases().size(); ++i) {
        const RandomCase& c = Cases()[i];
        SCOPED_TRACE(c.Name);
        const TempFile file(c.Text);
        PassRun first;
        PassRun second;
        first.Controls.Averaged = second.Controls.Averaged = i % 2 == 0;
        first.Load(file.Path());
        second.Load(file.Path());
        const std::string once = Snapshot(first.Fields, first.Controls);
        EXPECT_EQ(once, Snapshot(second.Fields, second.Controls))
            << FirstDifference(once, Snapshot(second.Fields, second.Controls));

        // The same window again: a re-plot of a loaded file, a fresh try of a rejected one.
        first.Controls.Messages.clear();
        first.Load(file.Path());
        const std::string again = Snapshot(first.Fields, first.Controls);
        EXPECT_EQ(once, again) << FirstDifference(once, again);
    }
}

TEST(RandomFiles, LineEndsReadAlike)
{
    const LineEnds others[] = {LineEnds::Cr, LineEnds::Lf, LineEnds::Mixed};
    for (const std::uint32_t seed : Seeds()) {
        if (seed % 2 == 0 && seed < PaddedSeeds)
            continue;
        SCOPED_TRACE("random seed " + std::to_string(seed));
        const testing::RandomGraph graph = Graph(seed);
        const TempFile crlf(testing::JoinLines(graph, LineEnds::CrLf, seed));
        PassRun reference;
        reference.Load(crlf.Path());
        const std::string expected = Snapshot(reference.Fields, reference.Controls, false);
        for (const LineEnds ends : others) {
            SCOPED_TRACE("ends " + std::to_string(static_cast<int>(ends)));
            const TempFile file(testing::JoinLines(graph, ends, seed));
            PassRun run;
            run.Load(file.Path());
            const std::string got = Snapshot(run.Fields, run.Controls, false);
            EXPECT_EQ(expected, got) << FirstDifference(expected, got);
        }
    }
}

TEST(RandomFiles, LeaveTheFileAsItWas)
{
    // Long past, so that any write would move it.
    const timespec stamp[2] = {{1'000'000'000, 123'456'789}, {1'000'000'000, 123'456'789}};
    for (const RandomCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        const TempFile file(c.Text);
        ASSERT_EQ(utimensat(AT_FDCWD, file.Path().c_str(), stamp, 0), 0);
        struct stat before {};
        ASSERT_EQ(stat(file.Path().c_str(), &before), 0);

        PassRun run;
        run.Load(file.Path());
        run.Controls.Averaged = !run.Controls.Averaged;
        run.Load(file.Path());

        struct stat after {};
        ASSERT_EQ(stat(file.Path().c_str(), &after), 0);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_TRUE(ReadBytes(file.Path()) == c.Text);
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(file.Folder()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"graph.ibg"});
    }
}

} // namespace
} // namespace velantro
