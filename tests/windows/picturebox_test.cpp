#include "windows/picturebox.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace velantro {
namespace {

constexpr Colour Yellow = Rgb(255, 255, 0);

// A 200 x 100 pixel chart scaled to 1000 x 500 units: 5 units a pixel.
struct Chart {
    QWidget Parent;
    PictureBox* Box = new PictureBox(&Parent, QRect(0, 0, 200, 100), Qt::black, PictureBox::Border::None);
    Chart() { Box->SetUserScale(0, 1000, 500); }
};

TEST(PictureBox, LinesLandOnScaledPixels)
{
    // A line, P a pixel it covers, Q one it leaves black. Far outside on one end, the visible part keeps its slope.
    const std::vector<std::array<float, 8>> cases = {{0, 100, 1000, 100, 199, 20, 0, 19},
                                                     {500, 0, 500, 500, 100, 99, 101, 50},
                                                     {0, 0, 1e7f, 5e6f, 150, 75, 150, 70},
                                                     {-1e30f, 250, 1e30f, 250, 10, 50, 10, 49}};
    for (const auto& [x1, y1, x2, y2, px, py, qx, qy] : cases) {
        Chart chart;
        chart.Box->Line(x1, y1, x2, y2, Yellow);
        EXPECT_EQ(chart.Box->Image().pixel(px, py) & 0xFFFFFFu, Yellow) << x1 << "," << y1 << " " << x2 << "," << y2;
        EXPECT_EQ(chart.Box->Image().pixel(qx, qy) & 0xFFFFFFu, 0u) << x1 << "," << y1 << " " << x2 << "," << y2;
    }
}

// The exact colour in user units, none outside, until Clear clears the picture.
TEST(PictureBox, ColourAtReadsExactColourUntilCleared)
{
    Chart chart;
    chart.Box->Line(0, 250, 1000, 250, Yellow);
    const std::optional<Colour> none;
    const std::vector<std::tuple<float, float, std::optional<Colour>>> cases = {
        {0, 250, Yellow}, {999, 252, Yellow}, {500, 240, 0}, {-1, 250, none}, {1000, 250, none}, {500, 500, none},
        {1e30f, 1e30f, none}, {NAN, 250, none},
    };
    for (const auto& [x, y, expected] : cases)
        EXPECT_EQ(chart.Box->ColourAt(x, y), expected) << x << "," << y;
    chart.Box->Clear();
    EXPECT_EQ(chart.Box->ColourAt(0, 250), Colour{0});
}

} // namespace
} // namespace velantro
