#include "app/picturebox.h"
#include "charts/columnspans.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace velantro {
namespace {

// Random series drawn segment by segment into one chart and through the
// spans into another: the pictures must not differ in a single pixel, at
// any device pixel ratio the process runs at.
TEST(ColumnSpans, SamePixelsAsEverySegment)
{
    struct Case {
        const char* Name;
        float Left, Width; // the chart's user scale
        double From, To;   // sectors the samples run over
        int Samples;
        double Step;       // largest change of a value between samples
        bool Edges = false; // values stop just beyond the top and bottom edges
    };
    const Case cases[] = {
        {"thousands of samples a column, series crossing", 0, 2359296, 0, 2359296, 60000, 40},
        {"zoomed: a left edge, samples beyond both sides", 1e6f, 50000, 0.9e6, 1.1e6, 30000, 60},
        {"values beyond the top and the bottom", 0, 1000, 0, 1000, 20000, 900},
        {"a few samples a column", 0, 1000, 0, 1000, 2000, 200},
        {"values resting on the edges", 0, 1000, 0, 1000, 40000, 100, true},
    };
    // The first and the last line share a colour and their sectors; the others
    // are each a little ahead of the one before.
    constexpr Colour Colours[] = {Rgb(255, 255, 0), Rgb(0, 255, 0), Rgb(255, 255, 255), Rgb(255, 0, 0),
                                  Rgb(255, 255, 0)};
    constexpr int Lines = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QWidget parent;
        PictureBox plain(&parent, QRect(0, 0, 429, 157), Qt::black, PictureBox::Border::None);
        PictureBox merged(&parent, QRect(0, 0, 429, 157), Qt::black, PictureBox::Border::None);
        ColumnSpans spans(merged);
        for (Surface* chart : {static_cast<Surface*>(&plain), static_cast<Surface*>(&spans)}) {
            chart->SetScaleLeft(c.Left);
            chart->SetScaleWidth(c.Width);
            chart->SetScaleHeight(1000);
        }
        std::mt19937 random(7);
        std::uniform_real_distribution<double> change(-c.Step, c.Step);
        std::uniform_int_distribution<int> now(0, 199);
        float previousX[Lines] = {};
        float previousY[Lines] = {300, 450, 500, 700, 350};
        for (int i = 0; i <= c.Samples; ++i) {
            // Now and then a sample goes back a little, as a new section does.
            const double x = c.From + (c.To - c.From) * i / c.Samples - (now(random) == 0 ? c.Width / 100 : 0);
            for (int s = 0; s < Lines; ++s) {
                const auto ahead = static_cast<float>(x + s % 4 * c.Width / 1000);
                float y = static_cast<float>(previousY[s] + change(random));
                if (c.Edges)
                    y = std::clamp(y, -5.0f, 1000.0f);
                if (i > 0) {
                    plain.Line(previousX[s], previousY[s], ahead, y, Colours[s]);
                    spans.Line(previousX[s], previousY[s], ahead, y, Colours[s]);
                }
                previousX[s] = ahead;
                previousY[s] = y;
            }
        }
        spans.Flush();
        EXPECT_EQ(plain.Image(), merged.Image());
    }
}

} // namespace
} // namespace velantro
