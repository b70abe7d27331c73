#include "charts/seriescolours.h"
#include "support/passrun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace velantro {
namespace {

using testing::PassRun;
using testing::Segment;
using enum DataPresent;

const Colour Yellow = SeriesColour[0], Green = SeriesColour[1], Blue = SeriesColour[2], White = SeriesColour[3];
const Colour Cyan = SeriesColour[4], Magenta = SeriesColour[5], Red = SeriesColour[6];

// Sample i (1-based) writes at i x, reaches sector 1000 i, buffer 90 + i, CPU i.
std::string WriteSamples(int count)
{
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += std::to_string(i) + "," + std::to_string(1000 * i) + ",0," + std::to_string(90 + i) + "," +
                 std::to_string(i) + "\r\n";
    return lines;
}

std::string Section(const std::string& name, const std::string& lines)
{
    return "[START_" + name + "]\r\n" + lines + "[END_" + name + "]\r\n";
}
std::string Sections(const std::string& w, const std::string& v) { return Section("WRITE", w) + Section("VERIFY", v); }

const std::string W = WriteSamples(3), V = "4,1000,0,3\r\n5,2000,0,3\r\n";

float SpeedY(double speed) { return static_cast<float>(2500 - 100 * speed); }
float RpmY(double rpm) { return static_cast<float>(2500 - 2500 * 2.66e-5 * rpm); }
// The estimate at a fraction of the radius curve.
double Rpm(double speed, double fraction) { return speed * (800 * fraction * fraction + 600); }

TEST(LoadPass, BlockAveragingOfTwelveSamples)
{
    PassRun run(true, "5");
    ASSERT_TRUE(run.LoadBody(Sections(WriteSamples(12), "")).Loaded);

    // Sample 1 raw, then the means of 1-5, 6-10 and 11-12 at the sector of each block's last sample.
    EXPECT_EQ(run.Controls.Speed().LinesIn(Yellow),
              (std::vector<Segment>{{1000, SpeedY(1), 5000, SpeedY(3), Yellow},
                                    {5000, SpeedY(3), 10000, SpeedY(8), Yellow},
                                    {10000, SpeedY(8), 12000, SpeedY(11.5), Yellow}}));
    const auto endYs = [&](Colour colour) {
        std::vector<float> ys;
        for (const Segment& s : run.Controls.Percent().LinesIn(colour))
            ys.push_back(s.Y2);
        return ys;
    };
    EXPECT_EQ(endYs(White), (std::vector<float>{1000 - 930, 1000 - 980, 1000 - 1015}));
    EXPECT_EQ(endYs(Blue), (std::vector<float>{1000 - 30, 1000 - 80, 1000 - 115}));

    // RPM: the mean of each sample's own estimate, not the estimate of the mean speed.
    double sum = 0;
    for (int i = 1; i <= 5; ++i)
        sum += Rpm(i, (2295104 - 1000.0 * i) / 2295104);
    EXPECT_FLOAT_EQ(run.Controls.Speed().LinesIn(Green).at(0).Y2, RpmY(sum / 5));
}

TEST(LoadPass, RawModeAndBlockSizes)
{
    const std::vector<float> each = {1000, 1000, 2000, 3000, 4000, 5000, 6000, 7000};
    const std::vector<std::tuple<const char*, bool, const char*, const char*, std::vector<float>>> cases = {
        {"raw", false, "5", "2000000", each},
        {"block of one", true, "1", "2000000", each},
        {"block larger than the section", true, "25", "2000000", {1000, 7000}},
        // A block that begins at or beyond the data end is plotted raw, one sample a point.
        {"a block starting at the data end", true, "5", "6000", {1000, 5000, 6000, 7000}},
    };
    for (const auto& [name, averaged, blockSize, dataSectors, xs] : cases) {
        SCOPED_TRACE(name);
        PassRun run(averaged, blockSize);
        ASSERT_TRUE(run.LoadBody(Sections(WriteSamples(7), ""), {.DataSectors = dataSectors}).Loaded);
        const auto speed = run.Controls.Speed().LinesIn(Yellow);
        ASSERT_FALSE(speed.empty());
        std::vector<float> plotted = {speed[0].X1};
        for (const Segment& s : speed)
            plotted.push_back(s.X2);
        EXPECT_EQ(plotted, xs);
    }
}

TEST(LoadPass, SeriesOrderAndCharts)
{
    PassRun run(false);
    ASSERT_TRUE(run.LoadBody(Sections("8,500,0,97,12\r\n", "4,600,0,3\r\n")).Loaded);

    // A single sample: one zero-length segment per ticked series, write then verify.
    const auto series = [](const testing::RecordingSurface& chart) {
        std::vector<Segment> found;
        for (const Segment& s : chart.Lines)
            if (std::find(std::begin(SeriesColour), std::end(SeriesColour), s.Colour) != std::end(SeriesColour))
                found.push_back(s);
        return found;
    };
    const auto dot = [](float x, float y, Colour c) { return Segment{x, y, x, y, c}; };
    const auto speed = series(run.Controls.Speed());
    ASSERT_EQ(speed.size(), 4u);
    EXPECT_EQ(speed[0], dot(500, SpeedY(8), Yellow));
    EXPECT_EQ(speed[1].Colour, Green);
    EXPECT_EQ(speed[2], dot(600, SpeedY(4), Cyan));
    EXPECT_EQ(speed[3].Colour, Magenta);
    EXPECT_EQ(series(run.Controls.Percent()),
              (std::vector<Segment>{dot(500, 30, White), dot(500, 880, Blue), dot(600, 970, Red)}));
}

TEST(LoadPass, MarkersAndLayerBreak)
{
    const std::string body = Sections("4,3000000,0,95,5\r\n4,3100000,0,95,5\r\n", "");
    testing::GraphText text{.MediaType = "DVD+R DL", .Capacity = "4173824", .LayerBreak = "2086912",
                            .DataSectors = "4000000"};
    PassRun run(false);
    ASSERT_TRUE(run.LoadBody(body, text).Loaded);
    const auto marker = [](float x, float height, Colour c) { return std::vector<Segment>{{x, 0, x, height, c}}; };
    EXPECT_EQ(run.Controls.Speed().LinesIn(LayerBreakColour), marker(2086912, 2500, LayerBreakColour));
    EXPECT_EQ(run.Controls.Percent().LinesIn(LayerBreakColour), marker(2086912, 1000, LayerBreakColour));
    EXPECT_EQ(run.Controls.Speed().LinesIn(DataEndColour), marker(4000000, 2500, DataEndColour));
    EXPECT_EQ(run.Controls.Percent().LinesIn(DataEndColour), marker(4000000, 1000, DataEndColour));

    // The first sample always uses the before-the-break curve; the same
    // sample read again in the loop lies beyond the break.
    const double c = 4173824;
    const Segment rpm = run.Controls.Speed().LinesIn(Green).at(0);
    EXPECT_FLOAT_EQ(rpm.Y1, RpmY(Rpm(4, (c - 3000000) / c)));
    EXPECT_FLOAT_EQ(rpm.Y2, RpmY(Rpm(4, 3000000 / c)));

    // Without a layer break every sector counts as before it.
    text.LayerBreak = "0";
    PassRun single(false);
    ASSERT_TRUE(single.LoadBody(body, text).Loaded);
    EXPECT_TRUE(single.Controls.Speed().LinesIn(LayerBreakColour).empty());
    const auto flat = single.Controls.Speed().LinesIn(Green);
    EXPECT_FLOAT_EQ(flat.at(0).Y1, flat.at(0).Y2);
}

TEST(LoadPass, SectionsFoundAndSeriesBoxes)
{
    const std::vector<std::tuple<const char*, std::string, DataPresent>> cases = {
        {"both", Sections(W, V), Both},
        {"write only", Section("WRITE", W), WriteOnly},
        {"empty verify", Sections(W, ""), WriteOnly},
        {"empty write", Sections("", V), VerifyOnly},
        {"verify only", Section("VERIFY", V), VerifyOnly},
        {"verify first hides a later write", Section("VERIFY", V) + Section("WRITE", W), VerifyOnly},
        {"no sections", "", None},
        {"start marker on the last line", "[START_WRITE]", None},
        {"marker without its first character", "START_WRITE\r\n" + W + "END_WRITE\r\n", None},
        {"any first character, text after the marker",
         "xSTART_WRITE here\r\n" + W + "-END_WRITE\r\njunk between\r\n\r\n#START_VERIFY\r\n" + V + "*END_VERIFY\r\n",
         Both},
        {"nothing read after the verify end", Sections(W, V) + "garbage,\r\n\r\n", Both},
        {"empty write, verify start on the last line", "[START_WRITE]\r\n[END_WRITE]\r\n[START_VERIFY]", None},
    };
    for (const auto& [name, body, sections] : cases) {
        SCOPED_TRACE(name);
        PassRun run;
        run.Controls.Ticked = {0, 1, 0, 1, 0, 1, 0}; // a new file ticks them all again
        const LoadOutcome outcome = run.LoadBody(body);
        ASSERT_TRUE(outcome.Loaded);
        EXPECT_EQ(outcome.Sections, sections);
        const bool write = sections == Both || sections == WriteOnly;
        const bool verify = sections == Both || sections == VerifyOnly;
        EXPECT_EQ(run.Controls.Speed().LinesIn(Yellow).empty(), !write);
        EXPECT_EQ(run.Controls.Speed().LinesIn(Cyan).empty(), !verify);
        EXPECT_EQ(run.Controls.Ticked, (std::array<int, 7>{1, 1, 1, 1, 1, 1, 1}));
        EXPECT_EQ(run.Controls.Enabled, (std::array<bool, 7>{write, write, write, write, verify, verify, verify}));
    }
}

TEST(LoadPass, RejectedSections)
{
    // Name, sections, averaged, what stays drawn of write and of verify, header.
    const std::vector<std::tuple<const char*, std::string, bool, bool, bool, testing::GraphText>> cases = {
        {"write section cut short", "[START_WRITE]\r\n" + W, false, true, false, {}},
        {"block read past the end", "[START_WRITE]\r\n" + W, true, false, false, {}},
        {"blank line in the verify section", Sections(W, V + "\r\n" + V), false, true, true, {}},
        {"write line of four fields", Sections("1,2,3,4\r\n", V), false, false, false, {}},
        {"verify line of three fields", Sections(W, "1,2,3\r\n"), false, true, false, {}},
        {"capacity of zero", Sections(W, V), false, false, false, {.Capacity = "0"}},
        {"speed beyond a single", Sections("1e300,5,0,1,1\r\n", ""), false, false, false, {}},
        {"block sums overflow", Sections("1e308,5,0,1,1\r\n1e308,6,0,1,1\r\n", ""), true, false, false, {}},
        {"sector beyond a double", Sections("1,1e999,0,1,1\r\n", ""), false, false, false, {}},
    };
    for (const auto& [name, body, averaged, writeLeft, verifyLeft, text] : cases) {
        SCOPED_TRACE(name);
        PassRun run;
        ASSERT_TRUE(run.LoadBody(Sections(W, V)).Loaded);
        const std::string previous = run.Fields.GraphFilePath;
        run.Controls.Averaged = averaged;
        EXPECT_FALSE(run.LoadBody(body, text).Loaded);
        EXPECT_EQ(run.Controls.Messages, std::vector<std::string>{testing::FileErrorMessage});
        EXPECT_EQ(std::tie(run.Fields.GraphFilePath, run.Fields.LoadedFilePath), std::tie(previous, previous));
        // What the pass drew before the failure stays; the charts were cleared at its start.
        EXPECT_EQ(!run.Controls.Speed().LinesIn(Yellow).empty(), writeLeft);
        EXPECT_EQ(!run.Controls.Speed().LinesIn(Cyan).empty(), verifyLeft);
        EXPECT_EQ(std::count(run.Controls.Enabled.begin(), run.Controls.Enabled.end(), true), 7);
    }
}

TEST(LoadPass, ReplotKeepsTheUsersBoxes)
{
    PassRun run;
    ASSERT_TRUE(run.LoadBody(Section("WRITE", WriteSamples(4))).Loaded);
    EXPECT_FALSE(run.Controls.Enabled[4]);

    run.Controls.Ticked[3] = 0;
    ASSERT_TRUE(run.Load(run.Fields.GraphFilePath).Loaded);
    EXPECT_EQ(run.Controls.Ticked[3], 0);
    EXPECT_FALSE(run.Controls.Enabled[4]);
    EXPECT_TRUE(run.Controls.Percent().LinesIn(White).empty());
    EXPECT_FALSE(run.Controls.Percent().LinesIn(Blue).empty());

    ASSERT_TRUE(run.LoadBody(Sections(WriteSamples(4), "1,1,0,1\r\n")).Loaded);
    EXPECT_EQ(run.Controls.Ticked[3], 1);
    EXPECT_TRUE(run.Controls.Enabled[4]);
}

} // namespace
} // namespace velantro
