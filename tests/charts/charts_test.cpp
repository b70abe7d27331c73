#include "charts/frames.h"
#include "charts/sizeunits.h"
#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "vocabulary/passfailure.h"
#include "support/recording.h"

namespace velantro {
namespace {

using testing::RecordingSurface;

struct Grid { std::vector<float> Horizontal, Vertical; };

Grid GridOf(const RecordingSurface& chart, Colour colour)
{
    Grid grid;
    for (const testing::Segment& s : chart.LinesIn(colour))
        s.Y1 == s.Y2 ? grid.Horizontal.push_back(s.Y1) : grid.Vertical.push_back(s.X1);
    return grid;
}

std::string Joined(const std::vector<AxisCaption>& captions)
{
    std::string texts;
    for (const AxisCaption& caption : captions)
        texts += caption.Text + "|";
    return texts;
}

TEST(Frames, MediaTable)
{
    // Media, capacity, chart width, height, RPM base and span, speed captions 1 and 12, size captions (at the
    // layout's places or not), whether the 45th grid line, on the right edge, is drawn: the single-precision
    // counter decides (-1: either).
    const std::vector<std::tuple<std::string, double, double, int, int, int, std::string, std::string, bool, int>>
        cases = {
            {"DVD-R", 0, 2359296, 2500, 600, 800, " 2x  24x", "0| 1GB| 2GB| 3GB| 4GB|", true, 1},
            {"DVD+R DL", 4173824, 4718592, 2500, 600, 800, " 2x  24x", "0| 2GB| 4GB| 6GB| 8GB|", true, -1},
            // 4.5-4.8 GiB: widened to the capacity, captioned in round steps at their places.
            {"DVD+R", 2400000, 2400000, 2500, 600, 800, " 2x  24x", " 0GB| 1GB| 2GB| 3GB| 4GB|", false, -1},
            {"CD-R", 359845, 460800, 5000, 200, 300, " 4x  48x", "0| 200MB| 400MB| 600MB| 800MB|", true, 1},
            // At the threshold: wider than the low width, so captioned as drawn.
            {"HD DVD-R", 9961472, 9961472, 2500, 1000, 1500, " 2x  24x", " 0GB| 5GB| 10GB| 15GB|", false, -1},
            {"HD DVD-R", 9961473, 18874368, 2500, 1000, 1500, " 2x  24x", "0| 8GB| 16GB| 24GB| 32GB|", true, -1},
            {"BD-R", 12219392, 14155776, 2500, 850, 1250, " 2x  24x", "0| 6GB| 12GB| 18GB| 24GB|", true, 0},
            // A hard disk of 1,863 GB takes the HD row by its first letters and is widened far beyond it.
            {"HDD", 976773168, 976773168, 2500, 1000, 1500, " 2x  24x", " 0GB| 500GB| 1000GB| 1500GB|", false, -1},
            // No row: the empty charts' scale, wide enough for the capacity.
            {"XY", 0, 2359296, 2500, 600, 800, " 2x  24x", " 0GB| 1GB| 2GB| 3GB| 4GB|", false, 1},
            {"cd-r", 3000000, 3000000, 2500, 600, 800, " 2x  24x", " 0GB| 2GB| 4GB|", false, -1},
        };
    for (const auto& [media, capacity, width, height, base, span, speedCaptions, sizeCaptions, atLayout, edgeLine] :
         cases) {
        SCOPED_TRACE(media + " " + std::to_string(capacity));
        const ChartScale scale = ScaleFor({media, 2048, capacity, 0});
        RecordingSurface speed, percent;
        DrawSpeedFrame(speed, scale, 2048, std::nullopt);
        DrawPercentFrame(percent, scale, 2048, std::nullopt);
        EXPECT_EQ(std::tuple(scale.Width, scale.SpeedHeight, scale.RpmBase, scale.RpmSpan),
                  std::tuple(width, height, base, span));
        EXPECT_EQ(scale.SpeedCaptions[1] + " " + scale.SpeedCaptions[12], speedCaptions);
        EXPECT_EQ(std::pair(Joined(scale.SizeCaptions), scale.SizeCaptionsAtLayout), std::pair(sizeCaptions, atLayout));
        // Each caption stands where its size lies on the axis.
        for (const AxisCaption& caption : scale.SizeCaptions) {
            const double bytes = std::atof(caption.Text.c_str()) * (caption.Text.find("MB") != std::string::npos ? MiB : GiB);
            EXPECT_NEAR(caption.Centre, bytes / 2048 / width, atLayout ? 0.011 : 1e-9) << caption.Text;
        }
        EXPECT_EQ(std::tuple(speed.UserWidth(), speed.UserHeight(), percent.UserWidth(), percent.UserHeight()),
                  std::tuple(float(width), float(height), float(width), 1000.0f));

        const Grid dark = GridOf(speed, GridColour), major = GridOf(speed, MajorGridColour);
        ASSERT_EQ(dark.Horizontal.size(), 25u);
        EXPECT_EQ(std::tuple(dark.Horizontal.front(), dark.Horizontal.back()), std::tuple(height / 25.0f, height));
        EXPECT_TRUE(major.Horizontal.empty());
        EXPECT_TRUE(edgeLine < 0 ? dark.Vertical.size() - 44 < 2 : dark.Vertical.size() == 44u + edgeLine);
        EXPECT_NEAR(dark.Vertical.front(), width / 45, width * 1e-7);
        EXPECT_TRUE(edgeLine < 0 ? major.Vertical.size() - 8 < 2 : major.Vertical.size() == 9u);
        EXPECT_NEAR(major.Vertical.front(), width / 9, width * 1e-7);

        // The percent chart: rows of its own, the columns of the speed chart, major lines over the dark ones.
        const Grid percentGrid = GridOf(percent, GridColour);
        const Grid percentMajor = GridOf(percent, MajorGridColour);
        EXPECT_EQ(percentGrid.Horizontal, (std::vector<float>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
        EXPECT_EQ(percentMajor.Horizontal, (std::vector<float>{200, 400, 600, 800, 1000}));
        EXPECT_EQ(std::tie(percentGrid.Vertical, percentMajor.Vertical), std::tie(dark.Vertical, major.Vertical));
        const auto& lines = percent.Lines;
        EXPECT_TRUE(std::is_partitioned(lines.begin(), lines.end(), [](auto& s) { return s.Colour == GridColour; }));
    }
}

TEST(Frames, Failures)
{
    const std::vector<MediaFacts> failures = {
        {"DVD+R", 0, 2295104, 0}, {"CD-R", 0, 0, 0}, // sector size of 0
        {"BD-R", -2048, 0, 0},                       // no width at all
        {"BD-R", 2048, 1e300, 0}, {"BD-R", 2048, 1e307, 0}, // width beyond a single; capacity x size overflows
    };
    for (const MediaFacts& bad : failures) {
        EXPECT_THROW(CheckWholeView(ScaleFor(bad)), PassFailure) << bad.MediaType << " " << bad.Capacity;
    }
}

// 2048-byte DVD sectors, 524,288 a GB: the grid and the size captions of a
// zoomed view step by the view's own units.
TEST(Frames, ZoomedGridAndCaptions)
{
    constexpr double Sectors = 524288;
    // Zoom shown, size captions, dark vertical lines.
    const std::vector<std::tuple<ZoomRange, std::vector<std::string>, std::size_t>> cases = {
        {{530000, 650000}, {" 1.05GB", " 1.1GB", " 1.15GB", " 1.2GB"}, 45},
        {{2300000, 2359296}, {" 4.4GB", " 4.45GB", " 4.5GB"}, 23},
        {{0, 350000}, {" 0GB", " 0.2GB", " 0.4GB", " 0.6GB"}, 34}, // a zero before the point
    };
    const ChartScale scale = ScaleFor(StartupMedia);
    for (const auto& [view, captions, minorLines] : cases) {
        SCOPED_TRACE(view.Left);
        RecordingSurface speed, percent;
        DrawSpeedFrame(speed, scale, 2048, view);
        DrawPercentFrame(percent, scale, 2048, view);
        for (RecordingSurface* chart : {&speed, &percent}) {
            EXPECT_EQ(std::pair(chart->UserLeft(), chart->UserWidth()),
                      std::pair(float(view.Left), float(view.Width())));
            const auto across = std::pair(static_cast<float>(view.Left), static_cast<float>(view.Right));
            for (const testing::Segment& s : chart->Lines)
                EXPECT_TRUE(s.Y1 != s.Y2 || std::pair(s.X1, s.X2) == across);
            EXPECT_EQ(GridOf(*chart, GridColour).Vertical.size(), minorLines);
        }
        std::vector<std::string> texts;
        for (const AxisCaption& caption : GridFor(scale, 2048, view).Captions) {
            texts.push_back(caption.Text);
            EXPECT_NEAR(caption.Centre, (std::stod(caption.Text) * Sectors - view.Left) / view.Width(), 1e-9);
        }
        EXPECT_EQ(texts, captions);
        const Grid major = GridOf(speed, MajorGridColour);
        ASSERT_EQ(major.Vertical.size(), captions.size());
        EXPECT_TRUE(std::abs(major.Vertical.front() - std::stod(captions.front()) * Sectors) < 0.1);
    }
}

TEST(Readout, Captions)
{
    const auto c = [](Colour colour) { return std::optional<Colour>(colour); };
    const std::optional<Colour> none;
    const std::vector<std::tuple<Chart, std::optional<Colour>, float, float, char32_t, std::optional<std::string>>> cases = {
        {Chart::Speed, c(SeriesColour[0]), 1234567.8f, 1700, U'.', "Sector  1234567\r\nWrite Speed 8.00"},
        {Chart::Speed, c(SeriesColour[1]), 1234567.8f, 1700, U'.', "Sector  1234567\r\nWrite RPM 12030.08"},
        {Chart::Speed, c(SeriesColour[4]), 10, 1704, U'.', "Sector  10\r\nVerify Speed 7.96"},
        {Chart::Speed, c(SeriesColour[5]), 0.5f, 2000, U'.', "Sector  0\r\nVerify RPM 7518.80"},
        {Chart::Percent, c(SeriesColour[6]), 5, 750, U'.', "Sector  5\r\nVerify CPU 25.00%"},
        {Chart::Percent, c(SeriesColour[3]), 5, 15, U'.', "Sector  5\r\nWrite Buffer 98.50%"},
        {Chart::Percent, c(SeriesColour[2]), 5, 1000, U'.', "Sector  5\r\nWrite CPU 0.00%"},
        {Chart::Percent, c(SeriesColour[2]), 5, 1005, U'.', "Sector  5\r\nWrite CPU -0.50%"},
        {Chart::Speed, c(SeriesColour[0]), 10, 1704, U',', "Sector  10\r\nWrite Speed 7,96"},
        {Chart::Speed, c(SeriesColour[0]), 10, 1704, U'\u066B', "Sector  10\r\nWrite Speed 7\u066B96"},
        {Chart::Speed, c(SeriesColour[0]), 12219390.5f, 2450, U'.', "Sector  1.221939E+07\r\nWrite Speed 0.50"},
        // Nothing over markers, grid, background, outside, or a colour of the other chart.
        {Chart::Speed, c(LayerBreakColour), 10, 10, U'.', std::nullopt}, {Chart::Speed, none, 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(DataEndColour), 10, 10, U'.', std::nullopt}, {Chart::Speed, c(0), 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(GridColour), 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(SeriesColour[0]), 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(SeriesColour[6]), 10, 10, U'.', std::nullopt},
    };
    for (const auto& [chart, colour, x, y, separator, caption] : cases)
        EXPECT_EQ(ReadoutCaption(chart, colour, x, y, 2500, separator), caption) << std::hex << colour.value_or(0);
    // Halves away from zero.
    EXPECT_EQ(FixedTwo(0.125, U'.') + FixedTwo(-1.5, U'.') + FixedTwo(0.004, U'.'), "0.13-1.500.00");
}

TEST(Readout, PlacementBesideThePointer)
{
    // Chart 1000 x 500, box 100 x 50: the gap is 10 across and 5 down.
    const std::vector<std::tuple<const char*, float, float, float, float>> cases = {
        {"middle", 400, 200, 410, 205},
        {"near the right edge", 900, 200, 790, 205},
        {"near the bottom edge", 400, 460, 410, 405},
        {"exactly at the right limit", 890, 0, 900, 5},
    };
    for (const auto& [name, x, y, left, top] : cases) {
        const ReadoutPlace place = PlaceReadout(x, y, 100, 50, 1000, 500);
        EXPECT_EQ(std::tuple(place.Left, place.Top), std::tuple(left, top)) << name;
    }
}

} // namespace
} // namespace velantro
