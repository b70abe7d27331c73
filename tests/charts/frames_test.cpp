#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "graphfile/burnfields.h"
#include "graphfile/passfailure.h"
#include "support/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace velantro {
namespace {

using testing::RecordingControls;
using testing::Segment;

struct Grid { std::vector<float> Horizontal, Vertical; };

Grid GridOf(const testing::RecordingSurface& chart, Colour colour)
{
    Grid grid;
    for (const Segment& s : chart.LinesIn(colour))
        s.Y1 == s.Y2 ? grid.Horizontal.push_back(s.Y1) : grid.Vertical.push_back(s.X1);
    return grid;
}

BurnFields FieldsFor(const std::string& media, double capacity = 0, std::int16_t sectorSize = 2048, double width = 0)
{
    BurnFields fields = StartupFields();
    fields.MediaType = media;
    fields.MediaCapacity = capacity;
    fields.SectorSize = sectorSize;
    fields.ChartWidth = width;
    return fields;
}

TEST(SpeedFrame, MediaTable)
{
    struct Case {
        const char *Name, *MediaType;
        double Capacity, Width;
        int Height, Base, Span;
        std::string Speed1, Speed12, Size1, Size4;
        int EdgeLine; // 1 drawn, 0 not, -1 either way
    };
    const std::vector<Case> cases = {
        {"start-up DVD", "DVD-R", 0, 2359296, 2500, 600, 800, " 2x", " 24x", " 1GB", " 4GB", 1},
        {"DVD DL above 4.8 GiB", "DVD+R DL", 4173824, 4718592, 2500, 600, 800, " 2x", " 24x", " 2GB", " 8GB", -1},
        {"DVD of 4.5-4.8 GiB widened", "DVD+R", 2400000, 2400000, 2500, 600, 800, " 2x", " 24x", " 1GB", " 4GB", -1},
        {"CD", "CD-R", 359845, 460800, 5000, 200, 300, " 4x", " 48x", " 200MB", " 800MB", 1},
        {"HD at the threshold", "HD DVD-R", 9961472, 9961472, 2500, 1000, 1500, " 2x", " 24x", " 4GB", " 16GB", -1},
        {"HD above it", "HD DVD-R", 9961473, 18874368, 2500, 1000, 1500, " 2x", " 24x", " 8GB", " 32GB", -1},
        {"BD single layer", "BD-R", 12219392, 14155776, 2500, 850, 1250, " 2x", " 24x", " 6GB", " 24GB", 0},
        {"BD dual layer", "BD-R DL", 24438784, 28311552, 2500, 850, 1250, " 2x", " 24x", " 12GB", " 48GB", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnFields fields = FieldsFor(c.MediaType, c.Capacity);
        RecordingControls controls;
        DrawSpeedFrame(fields, controls);

        EXPECT_EQ(std::tuple(fields.ChartWidth, fields.SpeedChartHeight, fields.RpmBase, fields.RpmSpan),
                  std::tuple(c.Width, c.Height, c.Base, c.Span));
        EXPECT_EQ((std::vector{controls.Label3[1], controls.Label3[12], controls.Label5[0], controls.Label5[1],
                               controls.Label5[4]}),
                  (std::vector<std::string>{c.Speed1, c.Speed12, "", c.Size1, c.Size4}));
        EXPECT_EQ(controls.Speed().ScaleWidth(), static_cast<float>(c.Width));
        EXPECT_EQ(controls.Speed().ScaleHeight(), c.Height);

        const Grid dark = GridOf(controls.Speed(), GridColour);
        const Grid major = GridOf(controls.Speed(), MajorGridColour);
        ASSERT_EQ(dark.Horizontal.size(), 25u);
        EXPECT_EQ(dark.Horizontal.back(), c.Height);
        EXPECT_EQ(dark.Horizontal.front(), c.Height / 25.0f);
        EXPECT_TRUE(major.Horizontal.empty());
        // The 45th line lies on the right edge, and the single-precision
        // counter reaches it for some widths only.
        EXPECT_TRUE(dark.Vertical.size() == 44u || dark.Vertical.size() == 45u);
        EXPECT_TRUE(c.EdgeLine < 0 || dark.Vertical.size() == 44u + static_cast<unsigned>(c.EdgeLine));
        EXPECT_NEAR(dark.Vertical.front(), c.Width / 45, c.Width * 1e-7);
        EXPECT_EQ(major.Vertical.size(), 9u);
        EXPECT_NEAR(major.Vertical.front(), c.Width / 9, c.Width * 1e-7);
    }
}

TEST(SpeedFrame, UnknownMediaAndFailures)
{
    BurnFields fields = FieldsFor("CD-R");
    RecordingControls controls;
    DrawSpeedFrame(fields, controls);

    // Lower case matches no row: the previous scale and captions stay.
    fields.MediaType = "cd-r";
    fields.SectorSize = 0;
    fields.MediaCapacity = 500000;
    controls.Label3[1] = "kept";
    DrawSpeedFrame(fields, controls);
    EXPECT_EQ(std::tuple(fields.SpeedChartHeight, fields.RpmBase, controls.Label3[1]), std::tuple(5000, 200, "kept"));
    EXPECT_DOUBLE_EQ(fields.ChartWidth, 500000);

    const std::vector<std::tuple<const char*, BurnFields>> failures = {
        {"sector size of 0", FieldsFor("DVD+R", 2295104, 0)},
        {"CD with a sector size of 0", FieldsFor("CD-R", 0, 0)},
        {"no width at all", FieldsFor("BD-R", 0, -2048)},
        {"width beyond a single", FieldsFor("BD-R", 1e300)},
        {"capacity times sector size overflows", FieldsFor("BD-R", 1e307)},
        {"width too small for the grid", FieldsFor("XY", 0, 2048, 1e-44)},
    };
    for (auto [name, bad] : failures) {
        SCOPED_TRACE(name);
        RecordingControls c;
        EXPECT_THROW(DrawSpeedFrame(bad, c), PassFailure);
    }
}

TEST(PercentFrame, GridUnderTheSpeedGrid)
{
    BurnFields fields = FieldsFor("CD-R");
    RecordingControls controls;
    DrawSpeedFrame(fields, controls);
    DrawPercentFrame(fields, controls);

    const Grid dark = GridOf(controls.Percent(), GridColour);
    const Grid major = GridOf(controls.Percent(), MajorGridColour);
    EXPECT_EQ(dark.Horizontal, (std::vector<float>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(major.Horizontal, (std::vector<float>{200, 400, 600, 800, 1000}));
    EXPECT_EQ(dark.Vertical, GridOf(controls.Speed(), GridColour).Vertical);
    EXPECT_EQ(major.Vertical, GridOf(controls.Speed(), MajorGridColour).Vertical);
    EXPECT_EQ(controls.Percent().ScaleHeight(), 1000);

    // Dark lines first, then the major ones over them.
    const auto& lines = controls.Percent().Lines;
    const auto isMajor = [](const Segment& s) { return s.Colour == MajorGridColour; };
    EXPECT_TRUE(std::all_of(std::find_if(lines.begin(), lines.end(), isMajor), lines.end(), isMajor));

    const auto once = lines;
    DrawPercentFrame(fields, controls);
    EXPECT_EQ(controls.Percent().Lines, once);
}

TEST(ZoomedFrames, GridAndCaptionsInStepsOfTheWholeViewsUnits)
{
    // 2048-byte DVD sectors: 524,288 a GB; the view runs from 1.0109 to 1.2398 GB.
    constexpr double Sectors = 524288;
    struct Case {
        const char* Name;
        ZoomRange Zoom;
        std::optional<ZoomRange> Shown;
        std::vector<std::string> Captions;
        std::size_t MinorLines;
    };
    const Case cases[] = {
        {"inside the disc", {530000, 650000}, ZoomRange{530000, 650000}, {" 1.05GB", " 1.1GB", " 1.15GB", " 1.2GB"}, 45},
        {"cut at the chart's end", {2300000, 2400000}, ZoomRange{2300000, 2359296}, {" 4.4GB", " 4.45GB", " 4.5GB"}, 23},
        {"the whole chart is no zoom", {-1, 3e6}, std::nullopt, {}, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnFields fields = FieldsFor("DVD-R");
        fields.Zoom = c.Zoom;
        RecordingControls controls;
        DrawSpeedFrame(fields, controls);
        DrawPercentFrame(fields, controls);
        EXPECT_EQ(fields.Zoom, c.Shown);
        const ZoomRange view = c.Shown.value_or(ZoomRange{0, 2359296});
        for (testing::RecordingSurface* chart : {&controls.Speed(), &controls.Percent()}) {
            EXPECT_EQ(chart->ScaleLeft(), static_cast<float>(view.Left));
            EXPECT_EQ(chart->ScaleWidth(), static_cast<float>(view.Width()));
            const auto across = std::pair(static_cast<float>(view.Left), static_cast<float>(view.Right));
            for (const Segment& s : chart->Lines)
                EXPECT_TRUE(s.Y1 != s.Y2 || std::pair(s.X1, s.X2) == across);
            EXPECT_EQ(GridOf(*chart, GridColour).Vertical.size(), c.MinorLines);
        }
        std::vector<std::string> texts;
        for (const AxisCaption& caption : controls.ZoomCaptions) {
            texts.push_back(caption.Text);
            const double gb = std::stod(caption.Text);
            EXPECT_NEAR(caption.Centre, (gb * Sectors - view.Left) / view.Width(), 1e-9);
        }
        EXPECT_EQ(texts, c.Captions);
        const Grid major = GridOf(controls.Speed(), MajorGridColour);
        ASSERT_EQ(major.Vertical.size(), c.Shown ? c.Captions.size() : 9u);
        if (c.Shown) {
            EXPECT_NEAR(major.Vertical.front(), std::stod(c.Captions.front()) * Sectors, 0.1);
        }
    }
}

} // namespace
} // namespace velantro
