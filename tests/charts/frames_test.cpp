#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "graphfile/burnfields.h"
#include "graphfile/passfailure.h"
#include "support/recording.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velantro {
namespace {

using testing::RecordingControls;
using testing::Segment;

struct Grid {
    std::vector<float> Horizontal;
    std::vector<float> Vertical;
};

Grid GridOf(const testing::RecordingSurface& chart, Colour colour)
{
    Grid grid;
    for (const Segment& s : chart.LinesIn(colour)) {
        if (s.Y1 == s.Y2)
            grid.Horizontal.push_back(s.Y1);
        else
            grid.Vertical.push_back(s.X1);
    }
    return grid;
}

TEST(SpeedFrame, MediaTable)
{
    struct Case {
        const char* Name;
        std::string MediaType;
        std::int16_t SectorSize;
        double Capacity;
        double Width;
        int Height, Base, Span;
        std::string Speed1, Speed12, Size1, Size4;
        int EdgeLine; // 1 drawn, 0 not, -1 either way
    };
    const std::vector<Case> cases = {
        {"start-up DVD", "DVD-R", 2048, 0, 2359296, 2500, 600, 800, " 2x", " 24x", " 1GB", " 4GB", 1},
        {"DVD DL above 4.8 GiB", "DVD+R DL", 2048, 4173824, 4718592, 2500, 600, 800, " 2x", " 24x", " 2GB", " 8GB",
         -1},
        {"DVD between 4.5 and 4.8 GiB widened", "DVD+R", 2048, 2400000, 2400000, 2500, 600, 800, " 2x", " 24x",
         " 1GB", " 4GB", -1},
        {"CD", "CD-R", 2048, 359845, 460800, 5000, 200, 300, " 4x", " 48x", " 200MB", " 800MB", 1},
        {"HD at the threshold exactly", "HD DVD-R", 2048, 9961472, 9961472, 2500, 1000, 1500, " 2x", " 24x", " 4GB",
         " 16GB", -1},
        {"HD above the threshold", "HD DVD-R", 2048, 9961473, 18874368, 2500, 1000, 1500, " 2x", " 24x", " 8GB",
         " 32GB", -1},
        {"BD single layer", "BD-R", 2048, 12219392, 14155776, 2500, 850, 1250, " 2x", " 24x", " 6GB", " 24GB", 0},
        {"BD dual layer", "BD-R DL", 2048, 24438784, 28311552, 2500, 850, 1250, " 2x", " 24x", " 12GB", " 48GB",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnFields fields = StartupFields();
        fields.MediaType = c.MediaType;
        fields.SectorSize = c.SectorSize;
        fields.MediaCapacity = c.Capacity;
        RecordingControls controls;
        DrawSpeedFrame(fields, controls);

        EXPECT_DOUBLE_EQ(fields.ChartWidth, c.Width);
        EXPECT_EQ(fields.SpeedChartHeight, c.Height);
        EXPECT_EQ(fields.RpmBase, c.Base);
        EXPECT_EQ(fields.RpmSpan, c.Span);
        EXPECT_EQ(controls.Label3[1], c.Speed1);
        EXPECT_EQ(controls.Label3[12], c.Speed12);
        EXPECT_EQ(controls.Label5[1], c.Size1);
        EXPECT_EQ(controls.Label5[4], c.Size4);
        EXPECT_EQ(controls.Label5[0], "");
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
        if (c.EdgeLine >= 0)
            EXPECT_EQ(dark.Vertical.size(), c.EdgeLine ? 45u : 44u);
        else
            EXPECT_TRUE(dark.Vertical.size() == 44u || dark.Vertical.size() == 45u);
        EXPECT_NEAR(dark.Vertical.front(), c.Width / 45, c.Width * 1e-7);
        EXPECT_EQ(major.Vertical.size(), 9u);
        EXPECT_NEAR(major.Vertical.front(), c.Width / 9, c.Width * 1e-7);
    }
}

TEST(SpeedFrame, UnknownMediaAndFailures)
{
    BurnFields fields = StartupFields();
    RecordingControls controls;
    fields.MediaType = "CD-R";
    DrawSpeedFrame(fields, controls);

    // Lower case matches no row: the previous scale and captions stay.
    fields.MediaType = "cd-r";
    fields.SectorSize = 0;
    fields.MediaCapacity = 500000;
    controls.Label3[1] = "kept";
    DrawSpeedFrame(fields, controls);
    EXPECT_EQ(fields.SpeedChartHeight, 5000);
    EXPECT_EQ(fields.RpmBase, 200);
    EXPECT_DOUBLE_EQ(fields.ChartWidth, 500000);
    EXPECT_EQ(controls.Label3[1], "kept");

    struct Failure {
        const char* Name;
        std::string MediaType;
        std::int16_t SectorSize;
        double Capacity;
    };
    const std::vector<Failure> failures = {
        {"sector size of 0", "DVD+R", 0, 2295104},
        {"CD with a sector size of 0", "CD-R", 0, 0},
        {"no width at all", "BD-R", -2048, 0},
        {"width beyond a single", "BD-R", 2048, 1e300},
        {"capacity times sector size overflows", "BD-R", 2048, 1e307},
        {"width too small for the grid", "XY", 2048, 1e-44},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.Name);
        BurnFields bad = StartupFields();
        bad.MediaType = f.MediaType;
        bad.SectorSize = f.SectorSize;
        bad.MediaCapacity = f.Capacity;
        if (f.MediaType == "XY")
            bad.ChartWidth = 1e-44;
        RecordingControls c;
        EXPECT_THROW(DrawSpeedFrame(bad, c), PassFailure);
    }
}

TEST(PercentFrame, GridUnderTheSpeedGrid)
{
    BurnFields fields = StartupFields();
    fields.MediaType = "CD-R";
    RecordingControls controls;
    DrawSpeedFrame(fields, controls);
    DrawPercentFrame(fields, controls);

    const Grid dark = GridOf(controls.Percent(), GridColour);
    const Grid major = GridOf(controls.Percent(), MajorGridColour);
    EXPECT_EQ(dark.Horizontal, (std::vector<float>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
    EXPECT_EQ(major.Horizontal, (std::vector<float>{200, 400, 600, 800, 1000}));
    EXPECT_EQ(dark.Vertical, GridOf(controls.Speed(), GridColour).Vertical);
    EXPECT_EQ(major.Vertical, GridOf(controls.Speed(), MajorGridColour).Vertical);
    EXPECT_FLOAT_EQ(dark.Vertical[0], 10240);
    EXPECT_FLOAT_EQ(major.Vertical[0], 51200);
    EXPECT_EQ(controls.Percent().ScaleHeight(), 1000);

    // Dark lines first, then the major ones over them.
    const auto& lines = controls.Percent().Lines;
    const auto firstMajor = std::find_if(lines.begin(), lines.end(),
                                         [](const Segment& s) { return s.Colour == MajorGridColour; });
    EXPECT_TRUE(std::all_of(firstMajor, lines.end(), [](const Segment& s) { return s.Colour == MajorGridColour; }));

    const auto once = lines;
    DrawPercentFrame(fields, controls);
    EXPECT_EQ(controls.Percent().Lines, once);
}

} // namespace
} // namespace velantro
