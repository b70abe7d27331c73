#include "charts/frames.h"
#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "vocabulary/passfailure.h"
#include "support/recording.h"

namespace velantro {
namespace {

using testing::RecordingControls;

struct Grid { std::vector<float> Horizontal, Vertical; };

Grid GridOf(const testing::RecordingSurface& chart, Colour colour)
{
    Grid grid;
    for (const testing::Segment& s : chart.LinesIn(colour))
        s.Y1 == s.Y2 ? grid.Horizontal.push_back(s.Y1) : grid.Vertical.push_back(s.X1);
    return grid;
}

WindowFields FieldsFor(const std::string& media, double capacity = 0, std::int16_t sectorSize = 2048, double width = 0)
{
    WindowFields fields = StartupFields();
    fields.MediaType = media, fields.MediaCapacity = capacity, fields.SectorSize = sectorSize;
    fields.ChartWidth = width;
    return fields;
}

TEST(Frames, MediaTable)
{
    // Media, capacity, chart width, height, RPM base and span, speed captions 1 and 12 and size captions 1 and 4,
    // whether the 45th grid line, on the right edge, is drawn: the single-precision counter decides (-1: either).
    const std::vector<std::tuple<std::string, double, double, int, int, int, std::string, int>> cases = {
        {"DVD-R", 0, 2359296, 2500, 600, 800, " 2x  24x  1GB  4GB", 1},
        {"DVD+R DL", 4173824, 4718592, 2500, 600, 800, " 2x  24x  2GB  8GB", -1},  // above 4.8 GiB
        {"DVD+R", 2400000, 2400000, 2500, 600, 800, " 2x  24x  1GB  4GB", -1},     // 4.5-4.8 GiB: widened
        {"CD-R", 359845, 460800, 5000, 200, 300, " 4x  48x  200MB  800MB", 1},
        {"HD DVD-R", 9961472, 9961472, 2500, 1000, 1500, " 2x  24x  4GB  16GB", -1}, // at the threshold
        {"HD DVD-R", 9961473, 18874368, 2500, 1000, 1500, " 2x  24x  8GB  32GB", -1},
        {"BD-R", 12219392, 14155776, 2500, 850, 1250, " 2x  24x  6GB  24GB", 0},
    };
    for (const auto& [media, capacity, width, height, base, span, captions, edgeLine] : cases) {
        SCOPED_TRACE(media + " " + std::to_string(capacity));
        WindowFields fields = FieldsFor(media, capacity);
        RecordingControls controls;
        DrawSpeedFrame(fields, controls);
        DrawPercentFrame(fields, controls);
        EXPECT_EQ(std::tuple(fields.ChartWidth, fields.SpeedChartHeight, fields.RpmBase, fields.RpmSpan),
                  std::tuple(width, height, base, span));
        const auto& [speed, size] = std::tie(controls.SpeedCaptions, controls.SizeCaptions);
        EXPECT_EQ(size[0] + speed[1] + " " + speed[12] + " " + size[1] + " " + size[4], captions);
        EXPECT_EQ(std::tuple(controls.Speed.ScaleWidth(), controls.Speed.ScaleHeight(),
                             controls.Percent.ScaleWidth(), controls.Percent.ScaleHeight()),
                  std::tuple(float(width), float(height), float(width), 1000.0f));

        const Grid dark = GridOf(controls.Speed, GridColour), major = GridOf(controls.Speed, MajorGridColour);
        ASSERT_EQ(dark.Horizontal.size(), 25u);
        EXPECT_EQ(std::tuple(dark.Horizontal.front(), dark.Horizontal.back()), std::tuple(height / 25.0f, height));
        EXPECT_TRUE(major.Horizontal.empty());
        EXPECT_TRUE(edgeLine < 0 ? dark.Vertical.size() - 44 < 2 : dark.Vertical.size() == 44u + edgeLine);
        EXPECT_NEAR(dark.Vertical.front(), width / 45, width * 1e-7);
        EXPECT_EQ(major.Vertical.size(), 9u);
        EXPECT_NEAR(major.Vertical.front(), width / 9, width * 1e-7);

        // The percent chart: rows of its own, the columns of the speed chart, major lines over the dark ones.
        const Grid percent = GridOf(controls.Percent, GridColour);
        const Grid percentMajor = GridOf(controls.Percent, MajorGridColour);
        EXPECT_EQ(percent.Horizontal, (std::vector<float>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
        EXPECT_EQ(percentMajor.Horizontal, (std::vector<float>{200, 400, 600, 800, 1000}));
        EXPECT_EQ(std::tie(percent.Vertical, percentMajor.Vertical), std::tie(dark.Vertical, major.Vertical));
        const auto& lines = controls.Percent.Lines;
        EXPECT_TRUE(std::is_partitioned(lines.begin(), lines.end(), [](auto& s) { return s.Colour == GridColour; }));
    }
}

TEST(Frames, UnknownMediaAndFailures)
{
    // Lower case matches no row: the previous scale and captions stay.
    WindowFields fields = FieldsFor("CD-R");
    RecordingControls controls;
    DrawSpeedFrame(fields, controls);
    fields.MediaType = "cd-r", fields.SectorSize = 0, fields.MediaCapacity = 500000;
    controls.SpeedCaptions[1] = "kept";
    DrawSpeedFrame(fields, controls);
    EXPECT_EQ(std::tuple(fields.SpeedChartHeight, fields.RpmBase, controls.SpeedCaptions[1], fields.ChartWidth),
              std::tuple(5000, 200, "kept", 500000));

    const std::vector<WindowFields> failures = {
        FieldsFor("DVD+R", 2295104, 0), FieldsFor("CD-R", 0, 0), // sector size of 0
        FieldsFor("BD-R", 0, -2048),                              // no width at all
        FieldsFor("BD-R", 1e300), FieldsFor("BD-R", 1e307),       // width beyond a single; capacity x size overflows
        FieldsFor("XY", 0, 2048, 1e-44),                          // too narrow for the grid
    };
    for (WindowFields bad : failures)
        EXPECT_THROW(DrawSpeedFrame(bad, controls), PassFailure) << bad.MediaType << " " << bad.MediaCapacity;
}

// 2048-byte DVD sectors, 524,288 a GB: the grid and the size captions of a
// zoomed view step by the view's own units; a view of the whole is no zoom.
TEST(Frames, ZoomedGridAndCaptions)
{
    constexpr double Sectors = 524288;
    // Zoom asked for, the zoom shown (none: the whole chart), size captions, dark vertical lines.
    const std::vector<std::tuple<ZoomRange, std::optional<ZoomRange>, std::vector<std::string>, std::size_t>> cases = {
        {{530000, 650000}, ZoomRange{530000, 650000}, {" 1.05GB", " 1.1GB", " 1.15GB", " 1.2GB"}, 45},
        {{2300000, 2400000}, ZoomRange{2300000, 2359296}, {" 4.4GB", " 4.45GB", " 4.5GB"}, 23}, // cut at the end
        {{0, 350000}, ZoomRange{0, 350000}, {" 0GB", " 0.2GB", " 0.4GB", " 0.6GB"}, 34}, // a zero before the point
        {{-1, 3e6}, std::nullopt, {}, 45},
    };
    for (const auto& [zoom, shown, captions, minorLines] : cases) {
        SCOPED_TRACE(zoom.Left);
        WindowFields fields = FieldsFor("DVD-R");
        fields.Zoom = zoom;
        RecordingControls controls;
        DrawSpeedFrame(fields, controls);
        DrawPercentFrame(fields, controls);
        EXPECT_EQ(fields.Zoom, shown);
        const ZoomRange view = shown.value_or(ZoomRange{0, 2359296});
        for (testing::RecordingSurface* chart : {&controls.Speed, &controls.Percent}) {
            EXPECT_EQ(std::pair(chart->ScaleLeft(), chart->ScaleWidth()),
                      std::pair(float(view.Left), float(view.Width())));
            const auto across = std::pair(static_cast<float>(view.Left), static_cast<float>(view.Right));
            for (const testing::Segment& s : chart->Lines)
                EXPECT_TRUE(s.Y1 != s.Y2 || std::pair(s.X1, s.X2) == across);
            EXPECT_EQ(GridOf(*chart, GridColour).Vertical.size(), minorLines);
        }
        std::vector<std::string> texts;
        for (const AxisCaption& caption : controls.ZoomCaptions) {
            texts.push_back(caption.Text);
            EXPECT_NEAR(caption.Centre, (std::stod(caption.Text) * Sectors - view.Left) / view.Width(), 1e-9);
        }
        EXPECT_EQ(texts, captions);
        const Grid major = GridOf(controls.Speed, MajorGridColour);
        ASSERT_EQ(major.Vertical.size(), shown ? captions.size() : 9u);
        EXPECT_TRUE(!shown || std::abs(major.Vertical.front() - std::stod(captions.front()) * Sectors) < 0.1);
    }
}

TEST(Readout, Captions)
{
    const auto c = [](Colour colour) { return static_cast<std::int32_t>(colour); };
    const std::vector<std::tuple<Chart, std::int32_t, float, float, char32_t, std::optional<std::string>>> cases = {
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
        {Chart::Speed, c(LayerBreakColour), 10, 10, U'.', std::nullopt}, {Chart::Speed, -1, 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(DataEndColour), 10, 10, U'.', std::nullopt}, {Chart::Speed, 0, 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(GridColour), 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(SeriesColour[0]), 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(SeriesColour[6]), 10, 10, U'.', std::nullopt},
    };
    for (const auto& [chart, colour, x, y, separator, caption] : cases)
        EXPECT_EQ(ReadoutCaption(chart, colour, x, y, 2500, separator), caption) << std::hex << colour;
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
