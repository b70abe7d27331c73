#include "app/picturebox.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace velantro {
namespace {

constexpr Colour Yellow = Rgb(255, 255, 0);
constexpr Colour Teal = Rgb(0, 128, 128);

// A 200 x 100 pixel chart scaled to 1000 x 500 units: 5 units a pixel.
struct Chart {
    QWidget Parent;
    PictureBox* Box = new PictureBox(&Parent, QRect(0, 0, 200, 100), Qt::black, PictureBox::Border::None);
    Chart() { Box->SetScaleWidth(1000); Box->SetScaleHeight(500); }
    QRgb Pixel(int x, int y) const { return Box->Image().pixel(x, y) & 0xFFFFFFu; }
};

TEST(PictureBox, LinesLandOnScaledPixels)
{
    // P: a pixel the line covers, Q: one it leaves black.
    struct Case { float X1, Y1, X2, Y2; int Px, Py, Qx, Qy; };
    const Case cases[] = {
        {0, 100, 1000, 100, 199, 20, 0, 19},
        {500, 0, 500, 500, 100, 99, 101, 50},
        // Far outside on one end: the visible part keeps its slope.
        {0, 0, 1e7f, 5e6f, 150, 75, 150, 70},
        {-1e30f, 250, 1e30f, 250, 10, 50, 10, 49},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.X1 << "," << c.Y1 << " - " << c.X2 << "," << c.Y2);
        Chart chart;
        chart.Box->Line(c.X1, c.Y1, c.X2, c.Y2, Yellow);
        EXPECT_EQ(chart.Pixel(c.Px, c.Py), Yellow);
        EXPECT_EQ(chart.Pixel(c.Qx, c.Qy), 0u);
    }
}

TEST(PictureBox, PointReadsExactColourUntilCls)
{
    Chart chart;
    chart.Box->Line(0, 250, 1000, 250, Teal);
    struct Case { float X, Y; std::int32_t Expected; };
    const Case cases[] = {
        {0, 250, static_cast<std::int32_t>(Teal)}, {999, 252, static_cast<std::int32_t>(Teal)},
        {500, 240, 0}, {-1, 250, -1}, {1000, 250, -1}, {500, 500, -1}, {1e30f, 1e30f, -1}, {NAN, 250, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chart.Box->Point(c.X, c.Y), c.Expected) << c.X << "," << c.Y;

    chart.Box->SetCurrentX(300);
    chart.Box->SetCurrentY(200);
    chart.Box->Cls();
    EXPECT_EQ(chart.Box->CurrentX(), 0);
    EXPECT_EQ(chart.Box->CurrentY(), 0);
    QImage blank(chart.Box->Image().size(), chart.Box->Image().format());
    blank.fill(Qt::black);
    EXPECT_EQ(chart.Box->Image(), blank);
}

TEST(PictureBox, ScaleMapsOntoTheInnerArea)
{
    QWidget parent;
    PictureBox box(&parent, QRect(8, 8, 433, 401), Qt::black, PictureBox::Border::Sunken);
    const QSize inner = box.InnerSize();
    EXPECT_LT(inner.width(), 433);
    EXPECT_EQ(box.Image().size(), inner);
    // Twips until a frame sets a scale of its own.
    EXPECT_FLOAT_EQ(box.ScaleWidth(), inner.width() * 15.0f);
    box.SetScaleWidth(2359296);
    box.SetScaleHeight(2500);
    EXPECT_NEAR(box.PixelsToUserX(inner.width()), 2359296, 1e-6);
    EXPECT_NEAR(box.UserToPixelsY(2500), inner.height(), 1e-9);
}

} // namespace
} // namespace velantro
