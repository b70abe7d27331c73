#include "charts/fitscale.h"
#include "charts/seriescolours.h"
#include "support/recording.h"

namespace velantro {
namespace {

using testing::GraphText;
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
// The test header, then the body after the end of configuration.
std::string File(const std::string& body, GraphText text = {})
{
    text.Body = "[END_CONFIGURATION]\r\n" + body;
    return text.Text();
}

const std::string W = WriteSamples(3), V = "4,1000,0,3\r\n5,2000,0,3\r\n";

float SpeedY(double speed) { return static_cast<float>(2500 - 100 * speed); }
float PercentY(double percent) { return static_cast<float>(1000 - 10 * percent); }
float RpmY(double rpm) { return static_cast<float>(2500 - 2500 * 2.66e-5 * rpm); }
// The estimate at a fraction of the radius curve.
double Rpm(double speed, double fraction) { return speed * (800 * fraction * fraction + 600); }

// The values 0 to 16 joined by "|": the header's, then those of the speed
// block, each centred on its row; a drive wider than its panel is printed from
// the left edge.
TEST(Header, ValuesOfEachSpeedBlock)
{
    const std::string header = "1.02|HOLIDAY|ACME-R16-000|DVD+R|DVD+R| 2295104| 2000000|MODE1/2048|";
    const std::string date = "|date(2026-11-28 21:14:33)|1000 ms|";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {GraphText().SpeedBlock, " 12 Mins  34 Secs" + date + "16x|6.00x|11.50x|16.00x|16.10x|No|"},
        {"VERIFY_SPEED_START=2.40\r\nVERIFY_SPEED_END=8.00\r\nVERIFY_SPEED_AVERAGE=5.20\r\n"
         "VERIFY_SPEED_MAX=8.10\r\nVERIFY_TIME_TAKEN=61\r\n",
         " 1 Mins  1 Secs" + date + "N/A|2.40x|5.20x|8.00x|8.10x|N/A|"},
        // No speed block: another file's speeds must not stay on show.
        {"", " 0 Mins  0 Secs" + date + "N/A|N/A|N/A|N/A|N/A|N/A|"},
        // After the first line of a block only the key lengths matter.
        {"WRITE_TEST_MODE=Yes\r\nXXXXXXXXXXXXXXXXXXXX=8x\r\nYYYYYYYYYYYYYYYYY=4\r\nZZZZZZZZZZZZZZZ=8\r\n"
         "AAAAAAAAAAAAAAAAAAA=6\r\nBBBBBBBBBBBBBBB=8.2\r\nCCCCCCCCCCCCCCCC=120.5\r\n",
         " 2 Mins  .5 Secs" + date + "8x|4x|6x|8x|8.2x|Yes|"},
    };
    for (const auto& [block, values] : cases) {
        PassRun run;
        ASSERT_TRUE(run.LoadText(File("", {.Make = std::string(400, 'M'), .SpeedBlock = block})).Loaded) << block;
        std::string shown;
        double row = 0;
        for (const auto& [text, x, y] : run.Drawn.InfoValues.Printed) {
            EXPECT_EQ(std::pair(x, y), std::pair((3000 - 10.0 * text.size()) / 2, 285 * row++)) << text;
            shown += text + "|";
        }
        EXPECT_EQ(shown, header + values);
        EXPECT_EQ(run.Drawn.Drive.Printed.at(0).X, 0);
    }
}

TEST(LoadPass, BlockAveraging)
{
    // Points (sector, speed): sample 1 as it is, then the mean of each block at the sector of its last sample.
    using Points = std::vector<std::pair<float, double>>;
    const Points each = {{1000, 1}, {1000, 1}, {2000, 2}, {3000, 3}, {4000, 4}, {5000, 5}, {6000, 6}, {7000, 7}};
    const std::vector<std::tuple<const char*, bool, int, int, const char*, Points>> cases = {
        {"blocks of five", true, 5, 12, "2000000", {{1000, 1}, {5000, 3}, {10000, 8}, {12000, 11.5}}},
        {"raw", false, 5, 7, "2000000", each},
        {"block of one", true, 1, 7, "2000000", each},
        {"block larger than the section", true, 25, 7, "2000000", {{1000, 1}, {7000, 4}}},
        // A block that begins at or beyond the data end is plotted raw.
        {"a block starting at the data end", true, 5, 7, "6000", {{1000, 1}, {5000, 3}, {6000, 6}, {7000, 7}}},
    };
    for (const auto& [name, averaged, blockSize, samples, dataSectors, points] : cases) {
        SCOPED_TRACE(name);
        PassRun run(averaged, blockSize);
        ASSERT_TRUE(run.LoadText(File(Section("WRITE", WriteSamples(samples)), {.DataSectors = dataSectors})).Loaded);
        // Speed, CPU and buffer take the same means.
        const auto line = [&](Colour colour, auto y) {
            std::vector<Segment> segments;
            for (std::size_t i = 1; i < points.size(); ++i)
                segments.push_back({points[i - 1].first, y(points[i - 1].second), points[i].first,
                                    y(points[i].second), colour});
            return segments;
        };
        EXPECT_EQ(run.Drawn.Speed.LinesIn(Yellow), line(Yellow, SpeedY));
        EXPECT_EQ(run.Drawn.Percent.LinesIn(Blue), line(Blue, PercentY));
        EXPECT_EQ(run.Drawn.Percent.LinesIn(White), line(White, [](double s) { return PercentY(90 + s); }));
        if (samples != 12)
            continue;
        // RPM: the mean of each sample's own estimate, not the estimate of the mean speed.
        double sum = 0;
        for (int i = 1; i <= 5; ++i)
            sum += Rpm(i, (2295104 - 1000.0 * i) / 2295104);
        EXPECT_FLOAT_EQ(run.Drawn.Speed.LinesIn(Green).at(0).Y2, RpmY(sum / 5));
    }
}

TEST(LoadPass, MarkersAndLayerBreak)
{
    const std::string body = Section("WRITE", "4,3000000,0,95,5\r\n4,3100000,0,95,5\r\n");
    PassRun run(false);
    ASSERT_TRUE(run.LoadText(File(body, {.MediaType = "DVD+R DL", .Capacity = "4173824", .LayerBreak = "2086912",
                                         .DataSectors = "4000000"})).Loaded);
    for (const auto& [chart, h] : {std::pair(&run.Drawn.Speed, 2500.0f), {&run.Drawn.Percent, 1000.0f}}) {
        EXPECT_EQ(chart->LinesIn(LayerBreakColour), (std::vector<Segment>{{2086912, 0, 2086912, h, LayerBreakColour}}));
        EXPECT_EQ(chart->LinesIn(DataEndColour), (std::vector<Segment>{{4000000, 0, 4000000, h, DataEndColour}}));
    }
    // The first sample always uses the before-the-break curve; the same
    // sample read again in the loop lies beyond the break.
    const double c = 4173824;
    const Segment rpm = run.Drawn.Speed.LinesIn(Green).at(0);
    EXPECT_EQ(std::pair(rpm.Y1, rpm.Y2), std::pair(RpmY(Rpm(4, (c - 3000000) / c)), RpmY(Rpm(4, 3000000 / c))));

}

TEST(LoadPass, SectionsFoundAndSeriesBoxes)
{
    const std::string good = File(Sections(W, V));
    std::string unix = good;
    std::erase(unix, '\r');
    const std::vector<std::tuple<const char*, std::string, DataPresent>> cases = {
        {"both", good, Both},
        {"write only", File(Section("WRITE", W)), WriteOnly},
        {"empty verify", File(Sections(W, "")), WriteOnly},
        {"empty write", File(Sections("", V)), VerifyOnly},
        {"verify only", File(Section("VERIFY", V)), VerifyOnly},
        {"verify first hides a later write", File(Section("VERIFY", V) + Section("WRITE", W)), VerifyOnly},
        {"no sections", File(""), None},
        {"start marker on the last line", File("[START_WRITE]"), None},
        {"marker without its first character", File("START_WRITE\r\n" + W + "END_WRITE\r\n"), None},
        {"any first character, text after the marker",
         File("xSTART_WRITE here\r\n" + W + "-END_WRITE\r\njunk\r\n\r\n#START_VERIFY\r\n" + V + "*END_VERIFY\r\n"),
         Both},
        {"nothing read after the verify end", File(Sections(W, V) + "garbage,\r\n\r\n"), Both},
        {"empty write, verify start on the last line", File("[START_WRITE]\r\n[END_WRITE]\r\n[START_VERIFY]"), None},
        // Header forms that read alike.
        {"unix line ends", unix, Both},
        {"other lines", std::string(good).insert(good.find("MEDIA_TYPE="), "; note\r\n\r\nX=1\r\n"), Both},
        {"several slashes", File(Sections(W, V), {.MediaType = "CD-R", .DataType = "MODE2/FORM1/2336"}), Both},
        {"no slash, unknown media", File(Sections(W, V), {.MediaType = "XY-R", .DataType = "MODE1"}), Both},
    };
    for (const auto& [name, text, sections] : cases) {
        SCOPED_TRACE(name);
        PassRun run;
        // A re-plot keeps the ticks; a new file ticks them all again.
        run.Options.Shown = {false, true, false, true, false, true, false};
        ASSERT_TRUE(run.LoadText(good).Loaded);
        ASSERT_TRUE(run.View.SetAveraged(false).Loaded);
        EXPECT_EQ(run.View.Options().Shown, run.Options.Shown);
        run.Options.Shown.fill(true);
        const LoadOutcome outcome = run.Outcome = run.View.Open(run.Temp(text));
        ASSERT_TRUE(outcome.Loaded);
        EXPECT_EQ(outcome.Sections, sections);
        const bool write = sections == Both || sections == WriteOnly, verify = sections >= VerifyOnly;
        // Speed and RPM on the speed chart, buffer and CPU on the percent chart.
        const auto& [speed, percent] = std::tie(run.Drawn.Speed, run.Drawn.Percent);
        EXPECT_EQ(std::tuple(speed.LinesIn(Yellow).empty(), speed.LinesIn(Green).empty(),
                             percent.LinesIn(White).empty(), percent.LinesIn(Blue).empty()),
                  std::tuple(!write, !write, !write, !write));
        EXPECT_EQ(std::tuple(speed.LinesIn(Cyan).empty(), speed.LinesIn(Magenta).empty(), percent.LinesIn(Red).empty()),
                  std::tuple(!verify, !verify, !verify));
        EXPECT_TRUE(speed.LinesIn(LayerBreakColour).empty()); // a layer break of 0 is none
        EXPECT_EQ(run.View.Options().Shown, run.Options.Shown);
        EXPECT_EQ(run.View.Enabled(), (std::array<bool, 7>{write, write, write, write, verify, verify, verify}));
    }
}

// One path for every failure: the reason, and the view back on the file it
// showed, drawn whole with its own options; or empty when there was none.
TEST(LoadPass, RejectedFiles)
{
    const std::string good = File(Sections(W, V)), header = GraphText().Header();
    std::string movedId = good;
    movedId.erase(movedId.find("MEDIA_ID="), 23).insert(movedId.find("MEDIA_BOOKTYPE="), "MEDIA_ID=X\r\n");
    // Name, file (none: missing), averaged.
    const std::vector<std::tuple<const char*, std::optional<std::string>, bool>> cases = {
        {"missing file", std::nullopt, false},
        {"empty file", "", false},
        {"no slash: a sector size of 0", File(Sections(W, V), {.DataType = "MODE1"}), false},
        {"sector size beyond 16 bits", File(Sections(W, V), {.DataType = "MODE1/40000"}), false},
        {"key missing", std::string(good).erase(good.find("SAMPLE_RATE="), 18), false},
        {"MEDIA_ID before MEDIA_BOOKTYPE", movedId, false},
        {"key with a leading blank", std::string(good).insert(good.find("MEDIA_TYPE="), " "), false},
        {"speed block cut short", header + "WRITE_TEST_MODE=No\r\nWRITE_SPEED_SELECTED=16x\r\n", false},
        {"no speed block, no end of configuration", header, false},
        {"end of configuration with a blank", header + "[END_CONFIGURATION] \r\n", false},
        {"write section cut short", File("[START_WRITE]\r\n" + W), false},
        {"block read past the end", File("[START_WRITE]\r\n" + W), true},
        {"blank line in the verify section", File(Sections(W, V + "\r\n" + V)), false},
        {"write line of four fields", File(Sections("1,2,3,4\r\n", V)), false},
        {"verify line of three fields", File(Sections(W, "1,2,3\r\n")), false},
        {"capacity of zero", File(Sections(W, V), {.Capacity = "0"}), false},
        {"speed beyond a single", File(Section("WRITE", "1e300,5,0,1,1\r\n")), false},
        {"block sums overflow", File(Section("WRITE", "1e308,5,0,1,1\r\n1e308,6,0,1,1\r\n")), true},
        // Inside a block these are never drawn, yet raw they would be: both modes refuse them.
        {"sector beyond a single in a block",
         File(Section("WRITE", "8,1000,0,50,5\r\n0,1e39,0,50,5\r\n8,3000,0,50,5\r\n")), true},
        {"percent beyond a single in a block",
         File(Section("WRITE", "8,1000,0,50,5\r\n8,2000,0,1e39,5\r\n8,3000,0,-1e39,5\r\n")), true},
    };
    for (const auto& [name, text, averaged] : cases) {
        SCOPED_TRACE(name);
        for (const bool first : {false, true}) {
            PassRun run;
            if (!first) {
                ASSERT_TRUE(run.LoadText(File(Section("VERIFY", V), {.Make = "PREVIOUS"})).Loaded);
            }
            const ViewOptions shown = run.View.Options();
            run.Options.Averaged = averaged;
            run.Options.Shown[2] = false;
            const LoadOutcome outcome = text ? run.LoadText(*text) : run.Load("/nonexistent/disc.ibg");
            EXPECT_FALSE(outcome.Loaded);
            EXPECT_FALSE(outcome.Reason.empty());
            EXPECT_EQ(run.View.HasFile(), !first);
            EXPECT_EQ(std::tuple(run.View.Options().Averaged, run.View.Options().Shown), std::tuple(shown.Averaged, shown.Shown));
            EXPECT_EQ(std::count(run.View.Enabled().begin(), run.View.Enabled().end(), true), first ? 7 : 3);
            EXPECT_TRUE(run.Drawn.Speed.LinesIn(Yellow).empty());
            EXPECT_EQ(run.Drawn.Speed.LinesIn(Cyan).empty(), first);
            EXPECT_EQ(run.Drawn.Drive.Printed.empty(), first);
            EXPECT_TRUE(first || run.Drawn.Drive.Printed.back().Text == "PREVIOUS");
        }
    }
}

// The round scale just above a peak: 12.5 caption steps of 1, 1.5, 2, 2.5,
// 3, 4, 5, 6 or 8 times a power of ten; a peak on a scale's top takes the next.
TEST(FitScale, RoundStepJustAboveThePeak)
{
    const std::vector<std::tuple<double, double, double>> speeds = {
        {0, 0.1, 1.25}, {3, 0.25, 3.125}, {24.9, 2, 25}, {25, 2.5, 31.25}, {120, 10, 125},
        {49.99, 4, 50}, {130, 15, 187.5}, {1e9, 25, 312.5}, {-4, 0.1, 1.25},
    };
    for (const auto& [peak, step, top] : speeds) {
        EXPECT_DOUBLE_EQ(FitSpeedScale(peak).Step, step) << peak;
        EXPECT_DOUBLE_EQ(FitSpeedScale(peak).Top, top) << peak;
    }
    EXPECT_DOUBLE_EQ(FitRpmScale(168000).Top, 187500);
}

// With Fit Speed Scale the scales end just above the highest sample shown
// and the captions follow; without it a file whose every sample lies above
// the scale says so in the speed chart, and every other draws as before.
TEST(FitScale, FittedFrameAndTheNoteAboveTheScale)
{
    // 120x to 130x at 1000 to 3000 sectors; 2x at 500 only in the second file.
    const std::string fast = File(Section("WRITE", "120,1000,0,90,1\r\n130,2000,0,90,1\r\n125,3000,0,90,1\r\n"));
    const std::string mixed = File(Section("WRITE", "2,500,0,90,1\r\n120,1000,0,90,1\r\n"));
    const struct {
        const std::string* Text;
        bool Fit;
        std::optional<ZoomRange> Zoom;
        std::int16_t Height;
        const char* TopCaption;
        bool Noted;
    } cases[] = {
        {&fast, false, {}, 2500, " 24x", true},
        {&mixed, false, {}, 2500, " 24x", false},
        {&fast, true, {}, 18750, " 180x", false},
        {&fast, true, ZoomRange{0, 1500}, 12500, " 120x", false},
        {&mixed, true, ZoomRange{0, 1024}, 12500, " 120x", false},
        {&mixed, true, ZoomRange{0, 600}, 250, " 2.4x", false}, // the slowest step a caption
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Fit) + " " + std::to_string(c.Height));
        PassRun run(false);
        run.Options.Fit = c.Fit;
        run.Options.Zoom = c.Zoom;
        ASSERT_TRUE(run.LoadText(*c.Text).Loaded);
        EXPECT_EQ(run.View.Scale().SpeedHeight, c.Height);
        EXPECT_EQ(run.View.Scale().SpeedCaptions[12], c.TopCaption);
        EXPECT_EQ(run.View.AboveScale(), c.Noted);
        const bool noted = !run.Drawn.Speed.Printed.empty();
        EXPECT_EQ(noted, c.Noted);
        EXPECT_TRUE(!noted || run.Drawn.Speed.Printed[0].Text == AboveTheScaleText);
        // The RPM line within its fitted scale too (a zoom leaves out the samples beyond it).
        for (const Segment& rpm : run.Drawn.Speed.LinesIn(Green))
            EXPECT_TRUE(!c.Fit || c.Zoom || std::min(rpm.Y1, rpm.Y2) >= 0);
    }
}

// A zoomed pass keeps the plotted samples of the ticked series for the
// readout, averaged as drawn; the whole view keeps none.
TEST(LoadPass, ZoomedReadoutSamples)
{
    const std::string file = File(Sections(WriteSamples(4), V));
    const std::vector<std::tuple<bool, Series, double, std::optional<double>>> cases = {
        {false, Series::WriteSpeed, 2100, 2},
        {false, Series::WriteBuffer, 3900, 94},
        {false, Series::WriteCpu, 1000, 1},
        {false, Series::VerifySpeed, 2000, 5},
        {false, Series::VerifyCpu, 1000, 3},
        {false, Series::WriteRpm, 2000, Rpm(2, (2295104 - 2000) / 2295104.0)},
        {true, Series::WriteSpeed, 4000, 3.5}, // a block of 2: (3 + 4) / 2 at its last sector
    };
    for (const auto& [averaged, series, sector, value] : cases) {
        SCOPED_TRACE(std::to_string(SeriesIndex(series)) + " " + std::to_string(sector));
        PassRun run(averaged, 2);
        run.Options.Zoom = ZoomRange{0, 5000};
        ASSERT_TRUE(run.LoadText(file).Loaded);
        ASSERT_TRUE(run.Outcome.Samples);
        const std::optional<SeriesSample> found = run.Outcome.Samples->Nearest(series, sector);
        ASSERT_EQ(found.has_value(), value.has_value());
        if (found) {
            EXPECT_DOUBLE_EQ(found->Value, *value);
        }
    }
    PassRun whole;
    ASSERT_TRUE(whole.LoadText(file).Loaded);
    EXPECT_FALSE(whole.Outcome.Samples);
}

} // namespace
} // namespace velantro
