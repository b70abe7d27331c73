#include "windows/picturebox.h"
#include "charts/seriespens.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace velantro {
namespace {

// Random series drawn segment by segment into one chart and a sample at a
// time through pens into another: the pictures must not differ in a single pixel, at any
// device pixel ratio the process runs at.
TEST(SeriesPens, SamePixelsAsTheChartsLines)
{
    struct Case {
        const char* Name;
        float Left, Width; // the chart's user scale
        double From, To;   // sectors the samples run over
        int Samples;
        double Step;       // largest change of a value between samples
        float Low = 50, High = 950; // where the values stop
        int JumpOneIn = 200; // segments that start away from the last one's end
    };
    const Case cases[] = {
        {"thousands of samples a column, series crossing", 0, 2359296, 0, 2359296, 60000, 40},
        {"zoomed: a left edge, samples beyond both sides", 1e6f, 50000, 0.9e6, 1.1e6, 30000, 60},
        {"values beyond the top and the bottom", 0, 1000, 0, 1000, 20000, 900, -3000, 4000},
        {"a few samples a column", 0, 1000, 0, 1000, 2000, 200},
        {"values resting on the edges", 0, 1000, 0, 1000, 40000, 100, -5, 1000},
        {"segments apart in a column", 0, 1000, 0, 1000, 4000, 20, 50, 950, 3},
    };
    // A chart's worth of series sharing their sectors; the first and the
    // last share a colour.
    constexpr Colour Colours[] = {Rgb(255, 255, 0), Rgb(0, 255, 0), Rgb(255, 0, 0), Rgb(255, 255, 0)};
    constexpr int Lines = SeriesPens::MostSeries;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QWidget parent;
        PictureBox plain(&parent, QRect(0, 0, 429, 157), Qt::black, PictureBox::Border::None);
        PictureBox direct(&parent, QRect(0, 0, 429, 157), Qt::black, PictureBox::Border::None);
        for (PictureBox* chart : {&plain, &direct})
            chart->SetUserScale(c.Left, c.Width, 1000);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> change(-c.Step, c.Step);
        std::uniform_int_distribution<int> now(0, 199);
        std::uniform_int_distribution<int> jump(0, c.JumpOneIn - 1);
        SeriesPens pens(direct);
        for (int s = 0; s < Lines; ++s)
            pens.AddSeries(s, Colours[s]);
        float previousX = 0;
        // Series start a pixel apart, and wander.
        float previousY[Lines] = {300, 306, 312, 318};
        for (int i = 0; i <= c.Samples; ++i) {
            // Now and then a sample goes back a little, as a new section does.
            const auto x = static_cast<float>(c.From + (c.To - c.From) * i / c.Samples -
                                              (now(random) == 0 ? c.Width / 10 : 0));
            // Now and then segments start away from the last ones' ends.
            if (jump(random) == 0)
                previousX += static_cast<float>(c.Width / 2000);
            float nextY[Lines] = {};
            for (int s = 0; s < Lines; ++s) {
                nextY[s] = std::clamp(static_cast<float>(previousY[s] + change(random)), c.Low, c.High);
                if (jump(random) == 0)
                    previousY[s] += static_cast<float>(change(random) * 5);
                if (i > 0)
                    plain.Line(previousX, previousY[s], x, nextY[s], Colours[s]);
            }
            if (i > 0)
                pens.Lines(previousX, previousY, x, nextY);
            previousX = x;
            std::copy(std::begin(nextY), std::end(nextY), previousY);
        }
        pens.Flush();
        EXPECT_EQ(plain.Image(), direct.Image());
    }
}

} // namespace
} // namespace velantro
