#include "app/picturebox.h"

#include <QFontMetrics>
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
    PictureBox* Box;
    Chart() : Box(new PictureBox(&Parent, QRect(0, 0, 200, 100), Qt::black, PictureBox::Border::None))
    {
        Box->SetScaleWidth(1000);
        Box->SetScaleHeight(500);
    }
    QRgb Pixel(int x, int y) const { return Box->Image().pixel(x, y) & 0xFFFFFFu; }
};

TEST(PictureBoxSurface, LinesLandOnScaledPixels)
{
    struct Case {
        float X1, Y1, X2, Y2;
        int Px, Py; // a pixel the line covers
        int Qx, Qy; // a pixel it leaves black
    };
    const Case cases[] = {
        {0, 100, 1000, 100, 0, 20, 0, 19},
        {0, 100, 1000, 100, 199, 20, 100, 21},
        {500, 0, 500, 500, 100, 0, 99, 50},
        {500, 0, 500, 500, 100, 99, 101, 50},
        {0, 0, 1000, 500, 50, 25, 50, 30},
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

TEST(PictureBoxSurface, PointReadsImageOrMinusOne)
{
    Chart chart;
    chart.Box->Line(0, 250, 1000, 250, Teal);
    struct Case {
        float X, Y;
        std::int32_t Expected;
    };
    const Case cases[] = {
        {0, 250, static_cast<std::int32_t>(Teal)},
        {999, 252, static_cast<std::int32_t>(Teal)},
        {500, 240, 0},
        {-1, 250, -1},
        {1000, 250, -1},
        {500, -0.5f, -1},
        {500, 500, -1},
        {1e30f, 1e30f, -1},
        {NAN, 250, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.X << "," << c.Y);
        EXPECT_EQ(chart.Box->Point(c.X, c.Y), c.Expected);
    }
}

TEST(PictureBoxSurface, ClsErasesAndHomesPrintPosition)
{
    Chart chart;
    chart.Box->Line(0, 0, 1000, 500, Yellow);
    chart.Box->SetCurrentX(300);
    chart.Box->SetCurrentY(200);
    chart.Box->Cls();
    EXPECT_EQ(chart.Box->CurrentX(), 0);
    EXPECT_EQ(chart.Box->CurrentY(), 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(chart.Pixel(x, y), 0u) << x << "," << y;
}

TEST(PictureBoxSurface, TextPanelsMeasureInTwips)
{
    QWidget parent;
    struct Case {
        PictureBox::Border Border;
        const char* Text;
    };
    const Case cases[] = {
        {PictureBox::Border::None, "Write Test Mode"},
        {PictureBox::Border::None, ""},
        {PictureBox::Border::Sunken, "MODE1/2048"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        PictureBox panel(&parent, QRect(8, 48, 121, 329), QColor(240, 240, 240), c.Border);
        EXPECT_EQ(panel.Width(), 1815);
        EXPECT_DOUBLE_EQ(panel.ScaleWidth(), panel.InnerSize().width() * 15.0);
        const QFontMetrics metrics(panel.font());
        EXPECT_DOUBLE_EQ(panel.TextWidth(c.Text), metrics.horizontalAdvance(QString::fromUtf8(c.Text)) * 15.0);
    }
}

TEST(PictureBoxSurface, PrintDrawsAtPositionAndMovesToNextLine)
{
    QWidget parent;
    PictureBox panel(&parent, QRect(0, 0, 120, 100), Qt::white, PictureBox::Border::None);
    struct Case {
        double X, Y; // twips
        const char* Text;
    };
    const Case cases[] = {{0, 0, "Firmware"}, {450, 285, "1.02"}, {150, 4560, "Write Test Mode"}};
    const QFontMetrics metrics(panel.font());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        panel.Cls();
        panel.SetCurrentX(c.X);
        panel.SetCurrentY(c.Y);
        panel.Print(c.Text);
        EXPECT_EQ(panel.CurrentX(), 0);
        EXPECT_DOUBLE_EQ(panel.CurrentY(), c.Y + metrics.height() * 15.0);

        // Ink lies right of and below the print position, within one text line.
        const int left = static_cast<int>(c.X / 15);
        const int top = static_cast<int>(c.Y / 15);
        bool inkInside = false;
        bool inkOutside = false;
        const QImage& image = panel.Image();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu)
                    continue;
                const bool inside = x >= left && x <= left + metrics.horizontalAdvance(c.Text) && y >= top &&
                                    y < top + metrics.height();
                (inside ? inkInside : inkOutside) = true;
            }
        }
        EXPECT_EQ(inkInside, image.height() > top);
        EXPECT_FALSE(inkOutside);
    }
}

TEST(PictureBoxSurface, BorderLeavesInnerAreaForTheScale)
{
    QWidget parent;
    PictureBox chart(&parent, QRect(248, 8, 433, 401), Qt::black, PictureBox::Border::Sunken);
    EXPECT_EQ(chart.Width(), 6495);
    EXPECT_EQ(chart.InnerSize(), QSize(429, 397));
    EXPECT_EQ(chart.Image().size(), QSize(429, 397));
    chart.SetScaleWidth(2359296);
    chart.SetScaleHeight(2500);
    EXPECT_NEAR(chart.PixelsToUserX(429), 2359296, 1e-6);
    EXPECT_NEAR(chart.UserToPixelsY(2500), 397, 1e-9);
}

} // namespace
} // namespace velantro
