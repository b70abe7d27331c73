#include "charts/seriescolours.h"
#include "support/passrun.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velantro {
namespace {

using testing::GraphText;
using testing::PassRun;
using testing::Segment;

const Colour Yellow = SeriesColour[0];
const Colour Green = SeriesColour[1];
const Colour Blue = SeriesColour[2];
const Colour White = SeriesColour[3];
const Colour Cyan = SeriesColour[4];
const Colour Magenta = SeriesColour[5];
const Colour Red = SeriesColour[6];

std::string WriteLine(double speed, double sector, double buffer, double cpu)
{
    return std::to_string(speed) + "," + std::to_string(sector) + ",0," + std::to_string(buffer) + "," +
           std::to_string(cpu) + "\r\n";
}

std::string VerifyLine(double speed, double sector, double cpu)
{
    return std::to_string(speed) + "," + std::to_string(sector) + ",0," + std::to_string(cpu) + "\r\n";
}

// Sample i (1-based) writes at i x, reaches sector 1000 i, buffer 90 + i, CPU i.
std::string WriteSamples(int count)
{
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += WriteLine(i, 1000.0 * i, 90 + i, i);
    return lines;
}

std::string Sections(const std::string& write, const std::string& verify)
{
    return "[START_WRITE]\r\n" + write + "[END_WRITE]\r\n[START_VERIFY]\r\n" + verify + "[END_VERIFY]\r\n";
}

GraphText WithBody(const std::string& body)
{
    GraphText text;
    text.Body = "[END_CONFIGURATION]\r\n" + body;
    return text;
}

float SpeedY(double speed)
{
    return static_cast<float>(2500 - 100 * speed);
}

TEST(LoadPass, BlockAveragingOfTwelveSamples)
{
    PassRun run;
    run.Controls.BlockSize = "5";
    ASSERT_TRUE(run.LoadText(WithBody(Sections(WriteSamples(12), "")).Text()).Loaded);

    // Sample 1 raw, then the means of 1-5, 6-10 and 11-12 at the sector of each block's last sample.
    const std::vector<Segment> expected = {
        {1000, SpeedY(1), 5000, SpeedY(3), Yellow},
        {5000, SpeedY(3), 10000, SpeedY(8), Yellow},
        {10000, SpeedY(8), 12000, SpeedY(11.5), Yellow},
    };
    EXPECT_EQ(run.Controls.Speed().LinesIn(Yellow), expected);

    const auto buffer = run.Controls.Percent().LinesIn(White);
    ASSERT_EQ(buffer.size(), 3u);
    EXPECT_FLOAT_EQ(buffer[0].Y2, 1000 - 10 * 93.0f);
    EXPECT_FLOAT_EQ(buffer[2].Y2, 1000 - 10 * 101.5f);
    const auto cpu = run.Controls.Percent().LinesIn(Blue);
    ASSERT_EQ(cpu.size(), 3u);
    EXPECT_FLOAT_EQ(cpu[1].Y2, 1000 - 10 * 8.0f);

    // RPM: the mean of each sample's own estimate, not the estimate of the mean speed.
    const double capacity = 2295104;
    double sum = 0;
    for (int i = 1; i <= 5; ++i) {
        const double f = (capacity - 1000.0 * i) / capacity;
        sum += i * (800 * f * f + 600);
    }
    const auto rpm = run.Controls.Speed().LinesIn(Green);
    ASSERT_EQ(rpm.size(), 3u);
    EXPECT_FLOAT_EQ(rpm[0].Y2, static_cast<float>(2500 - 2500 * 2.66e-5 * (sum / 5)));
}

TEST(LoadPass, RawModeAndBlockSizes)
{
    struct Case {
        const char* Name;
        bool Averaged;
        std::string BlockSize;
        std::string DataSectors;
        std::vector<double> Sectors; // X of the plotted points, after the start point
    };
    const std::vector<Case> cases = {
        {"raw", false, "5", "2000000", {1000, 1000, 2000, 3000, 4000, 5000, 6000, 7000}},
        {"block of one", true, "1", "2000000", {1000, 1000, 2000, 3000, 4000, 5000, 6000, 7000}},
        {"block larger than the section", true, "25", "2000000", {1000, 7000}},
        // A block that begins at or beyond the data end is plotted raw, one sample a point.
        {"a block starting at the data end", true, "5", "6000", {1000, 5000, 6000, 7000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        GraphText text = WithBody(Sections(WriteSamples(7), ""));
        text.DataSectors = c.DataSectors;
        PassRun run;
        run.Controls.Averaged = c.Averaged;
        run.Controls.BlockSize = c.BlockSize;
        ASSERT_TRUE(run.LoadText(text.Text()).Loaded);
        const auto speed = run.Controls.Speed().LinesIn(Yellow);
        ASSERT_EQ(speed.size() + 1, c.Sectors.size());
        for (std::size_t i = 0; i < speed.size(); ++i) {
            EXPECT_EQ(speed[i].X1, static_cast<float>(c.Sectors[i]));
            EXPECT_EQ(speed[i].X2, static_cast<float>(c.Sectors[i + 1]));
        }
    }
}

TEST(LoadPass, SeriesOrderAndCharts)
{
    PassRun run;
    run.Controls.Averaged = false;
    const std::string body = Sections(WriteLine(8, 500, 97, 12), VerifyLine(4, 600, 3));
    ASSERT_TRUE(run.LoadText(WithBody(body).Text()).Loaded);

    // A single sample: one zero-length segment per ticked series, write then verify.
    std::vector<Colour> speedOrder;
    for (const Segment& s : run.Controls.Speed().Lines)
        if (s.Colour == Yellow || s.Colour == Green || s.Colour == Cyan || s.Colour == Magenta)
            speedOrder.push_back(s.Colour);
    EXPECT_EQ(speedOrder, (std::vector<Colour>{Yellow, Green, Cyan, Magenta}));
    std::vector<Colour> percentOrder;
    for (const Segment& s : run.Controls.Percent().Lines)
        if (s.Colour == White || s.Colour == Blue || s.Colour == Red)
            percentOrder.push_back(s.Colour);
    EXPECT_EQ(percentOrder, (std::vector<Colour>{White, Blue, Red}));

    EXPECT_EQ(run.Controls.Speed().LinesIn(Yellow)[0], (Segment{500, SpeedY(8), 500, SpeedY(8), Yellow}));
    EXPECT_EQ(run.Controls.Percent().LinesIn(White)[0], (Segment{500, 30, 500, 30, White}));
    EXPECT_EQ(run.Controls.Percent().LinesIn(Blue)[0], (Segment{500, 880, 500, 880, Blue}));
    EXPECT_EQ(run.Controls.Percent().LinesIn(Red)[0], (Segment{600, 970, 600, 970, Red}));
    EXPECT_EQ(run.Controls.Speed().LinesIn(Cyan)[0], (Segment{600, SpeedY(4), 600, SpeedY(4), Cyan}));
}

TEST(LoadPass, MarkersAndLayerBreak)
{
    GraphText text = WithBody(Sections(WriteLine(4, 3000000, 95, 5) + WriteLine(4, 3100000, 95, 5), ""));
    text.MediaType = "DVD+R DL";
    text.Capacity = "4173824";
    text.LayerBreak = "2086912";
    text.DataSectors = "4000000";
    PassRun run;
    run.Controls.Averaged = false;
    ASSERT_TRUE(run.LoadText(text.Text()).Loaded);

    EXPECT_EQ(run.Controls.Speed().LinesIn(LayerBreakColour),
              (std::vector<Segment>{{2086912, 0, 2086912, 2500, LayerBreakColour}}));
    EXPECT_EQ(run.Controls.Percent().LinesIn(LayerBreakColour),
              (std::vector<Segment>{{2086912, 0, 2086912, 1000, LayerBreakColour}}));
    EXPECT_EQ(run.Controls.Speed().LinesIn(DataEndColour),
              (std::vector<Segment>{{4000000, 0, 4000000, 2500, DataEndColour}}));
    EXPECT_EQ(run.Controls.Percent().LinesIn(DataEndColour),
              (std::vector<Segment>{{4000000, 0, 4000000, 1000, DataEndColour}}));

    // The first sample always uses the before-the-break curve; the same
    // sample read again in the loop lies beyond the break.
    const double c = 4173824;
    const auto rpmY = [](double rpm) { return static_cast<float>(2500 - 2500 * 2.66e-5 * rpm); };
    const double before = 4 * (800 * std::pow((c - 3000000) / c, 2) + 600);
    const double after = 4 * (800 * std::pow(3000000 / c, 2) + 600);
    const auto rpm = run.Controls.Speed().LinesIn(Green);
    ASSERT_EQ(rpm.size(), 2u);
    EXPECT_FLOAT_EQ(rpm[0].Y1, rpmY(before));
    EXPECT_FLOAT_EQ(rpm[0].Y2, rpmY(after));

    // Without a layer break every sector counts as before it.
    text.LayerBreak = "0";
    PassRun single;
    single.Controls.Averaged = false;
    ASSERT_TRUE(single.LoadText(text.Text()).Loaded);
    EXPECT_TRUE(single.Controls.Speed().LinesIn(LayerBreakColour).empty());
    const auto flat = single.Controls.Speed().LinesIn(Green);
    EXPECT_FLOAT_EQ(flat[0].Y1, flat[0].Y2);
}

TEST(LoadPass, SectionsFoundAndSeriesBoxes)
{
    const std::string w = WriteSamples(3);
    const std::string v = VerifyLine(4, 1000, 3) + VerifyLine(5, 2000, 3);
    struct Case {
        const char* Name;
        std::string Body;
        DataPresent Sections;
        bool WriteDrawn;
        bool VerifyDrawn;
    };
    const std::vector<Case> cases = {
        {"both", Sections(w, v), DataPresent::Both, true, true},
        {"write only", "[START_WRITE]\r\n" + w + "[END_WRITE]\r\n", DataPresent::WriteOnly,
         true, false},
        {"empty verify", Sections(w, ""), DataPresent::WriteOnly, true, false},
        {"empty write", Sections("", v), DataPresent::VerifyOnly, false, true},
        {"verify only", "[START_VERIFY]\r\n" + v + "[END_VERIFY]\r\n", DataPresent::VerifyOnly, false, true},
        {"verify first hides a later write", "[START_VERIFY]\r\n" + v + "[END_VERIFY]\r\n[START_WRITE]\r\n" + w +
                                                 "[END_WRITE]\r\n",
         DataPresent::VerifyOnly, false, true},
        {"no sections", "", DataPresent::None, false, false},
        {"start marker on the last line", "[START_WRITE]", DataPresent::None, false, false},
        {"marker without its first character", "START_WRITE\r\n" + w + "END_WRITE\r\n", DataPresent::None, false,
         false},
        {"any first character, text after the marker",
         "xSTART_WRITE here\r\n" + w + "-END_WRITE\r\njunk between\r\n\r\n#START_VERIFY\r\n" + v + "*END_VERIFY\r\n",
         DataPresent::Both, true, true},
        {"nothing read after the verify end", Sections(w, v) + "garbage,\r\n\r\n", DataPresent::Both, true, true},
        {"empty write, verify start on the last line", "[START_WRITE]\r\n[END_WRITE]\r\n[START_VERIFY]",
         DataPresent::None, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PassRun run;
        run.Controls.Ticked = {0, 1, 0, 1, 0, 1, 0}; // a new file ticks them all again
        const LoadOutcome outcome = run.LoadText(WithBody(c.Body).Text());
        ASSERT_TRUE(outcome.Loaded) << run.Message();
        EXPECT_EQ(outcome.Sections, c.Sections);
        EXPECT_EQ(run.Controls.Speed().LinesIn(Yellow).empty(), !c.WriteDrawn);
        EXPECT_EQ(run.Controls.Speed().LinesIn(Cyan).empty(), !c.VerifyDrawn);
        const bool write = c.Sections == DataPresent::Both || c.Sections == DataPresent::WriteOnly;
        const bool verify = c.Sections == DataPresent::Both || c.Sections == DataPresent::VerifyOnly;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(run.Controls.Ticked[static_cast<std::size_t>(i)], 1) << i;
            EXPECT_EQ(run.Controls.Enabled[static_cast<std::size_t>(i)], i < 4 ? write : verify) << i;
        }
        EXPECT_EQ(run.Fields.LoadedFilePath, run.Fields.GraphFilePath);
    }
}

TEST(LoadPass, RejectedSections)
{
    const std::string w = WriteSamples(3);
    const std::string v = VerifyLine(4, 1000, 3) + VerifyLine(5, 2000, 3);
    struct Case {
        const char* Name;
        std::string Body;
        std::string Capacity;
        bool Averaged;
        bool WriteLeftDrawn;
        bool VerifyLeftDrawn;
    };
    const std::vector<Case> cases = {
        {"write section cut short", "[START_WRITE]\r\n" + w, "2295104", false, true, false},
        {"block read past the end", "[START_WRITE]\r\n" + w, "2295104", true, false, false},
        {"blank line in the verify section", Sections(w, v + "\r\n" + v), "2295104", false, true, true},
        {"write line of four fields", Sections("1,2,3,4\r\n", v), "2295104", false, false, false},
        {"verify line of three fields", Sections(w, "1,2,3\r\n"), "2295104", false, true, false},
        {"capacity of zero", Sections(w, v), "0", false, false, false},
        {"speed beyond a single", Sections("1e300,5,0,1,1\r\n", ""), "2295104", false, false, false},
        {"block sums overflow", Sections("1e308,5,0,1,1\r\n1e308,6,0,1,1\r\n", ""), "2295104", true, false, false},
        {"sector beyond a double", Sections("1,1e999,0,1,1\r\n", ""), "2295104", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PassRun run;
        GraphText good = WithBody(Sections(w, v));
        ASSERT_TRUE(run.LoadText(good.Text()).Loaded);
        const std::string previous = run.Fields.GraphFilePath;

        GraphText bad = WithBody(c.Body);
        bad.Capacity = c.Capacity;
        run.Controls.Averaged = c.Averaged;
        run.Controls.Messages.clear();
        EXPECT_FALSE(run.LoadText(bad.Text()).Loaded);
        EXPECT_EQ(run.Controls.Messages, std::vector<std::string>{testing::FileErrorMessage});
        EXPECT_EQ(run.Fields.GraphFilePath, previous);
        EXPECT_EQ(run.Fields.LoadedFilePath, previous);
        // What the pass drew before the failure stays; the charts were cleared at its start.
        EXPECT_EQ(!run.Controls.Speed().LinesIn(Yellow).empty(), c.WriteLeftDrawn);
        EXPECT_EQ(!run.Controls.Speed().LinesIn(Cyan).empty(), c.VerifyLeftDrawn);
        for (int i = 0; i < 7; ++i)
            EXPECT_TRUE(run.Controls.Enabled[static_cast<std::size_t>(i)]);
    }
}

TEST(LoadPass, ReplotKeepsTheUsersBoxes)
{
    PassRun run;
    GraphText noVerify = WithBody("[START_WRITE]\r\n" + WriteSamples(4) + "[END_WRITE]\r\n");
    ASSERT_TRUE(run.LoadText(noVerify.Text()).Loaded);
    const std::string path = run.Fields.GraphFilePath;
    EXPECT_FALSE(run.Controls.Enabled[4]);

    run.Controls.Ticked[3] = 0;
    run.Controls.Calls.clear();
    ASSERT_TRUE(run.Load(path).Loaded);
    EXPECT_TRUE(run.Controls.Calls.empty());
    EXPECT_EQ(run.Controls.Ticked[3], 0);
    EXPECT_FALSE(run.Controls.Enabled[4]);
    EXPECT_TRUE(run.Controls.Percent().LinesIn(White).empty());
    EXPECT_FALSE(run.Controls.Percent().LinesIn(Blue).empty());
    EXPECT_FALSE(run.Controls.Speed().LinesIn(Yellow).empty());

    ASSERT_TRUE(run.LoadText(WithBody(Sections(WriteSamples(4), VerifyLine(1, 1, 1))).Text()).Loaded);
    EXPECT_EQ(run.Controls.Ticked[3], 1);
    EXPECT_TRUE(run.Controls.Enabled[4]);
    EXPECT_FALSE(run.Controls.Percent().LinesIn(White).empty());
}

} // namespace
} // namespace velantro
