#pragma once

#include "charts/pixelcanvas.h"
#include "charts/pixelgrid.h"
#include "charts/surface.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace velantro {

// Draws the series of one chart a sample at a time, as the chart's Line
// would draw each segment, pixel for pixel, but fast enough for a million
// samples. A whole disc puts thousands of samples in each pixel column, and
// the one-pixel lines a series draws within a column cover exactly the rows
// between their extreme ends: each series holds the lowest and highest value
// it reached in the column and sets that span into the chart's pixels when
// the samples move on. Spans of different series never touch while held: a
// segment that would touch another's span has what is held drawn first, so
// the later colour stays on top as before. Which column a sample falls in is
// decided by the column's exact edges in user units, found once a column.
// Lines across columns are set straight into the pixels; only segments that
// need clipping reach the chart's Line, and a chart without pixels gets every
// segment so. The pens keep the chart's scale as it was when they were made;
// what they hold is drawn by Flush and at the end of their life.
class SeriesPens {
public:
    static constexpr int MostSeries = 4;

    explicit SeriesPens(Surface& chart);
    ~SeriesPens();
    SeriesPens(const SeriesPens&) = delete;
    SeriesPens& operator=(const SeriesPens&) = delete;

    // The next series, drawn after those added before; `slot` is where its
    // values stand in the arrays Lines gets. A series not shown is skipped.
    void AddSeries(int slot, Colour colour, bool shown = true);

    // For each series shown, the segment from (x1, from[slot]) to
    // (x2, to[slot]).
    void Lines(float x1, const float* from, float x2, const float* to)
    {
        // Samples beyond one side of a zoomed chart draw nothing.
        if ((x1 < leftmost_ && x2 < leftmost_) || (x1 > rightmost_ && x2 > rightmost_))
            return;
        // The common case: both ends in the column held, each series going
        // on from within its span, clear of the others.
        const bool inColumn = x1 >= columnStart_ && x1 < columnEnd_ && x2 >= columnStart_ && x2 < columnEnd_;
        for (int i = 0; i < count_; ++i) {
            Series& series = series_[static_cast<std::size_t>(i)];
            const float y1 = from[series.Slot];
            const float y2 = to[series.Slot];
            if (inColumn && series.Held && y1 >= series.Low && y1 <= series.High && y2 >= lowest_ &&
                y2 <= highest_ && !TouchesOthers(i, std::min(y1, y2), std::max(y1, y2))) {
                series.Low = std::min(series.Low, y2);
                series.High = std::max(series.High, y2);
                continue;
            }
            Segment(i, x1, y1, x2, y2);
        }
    }

    // Draws what is held.
    void Flush();

private:
    struct Series {
        int Slot = 0;
        Colour SeriesColour = 0;
        std::uint32_t Pixel = 0;
        // The span held in the column: the values from Low to High.
        bool Held = false;
        float Low = 0;
        float High = 0;
    };

    // Whether values from low to high come near a span another series holds.
    bool TouchesOthers(int index, float low, float high) const
    {
        for (int i = 0; i < count_; ++i) {
            const Series& other = series_[static_cast<std::size_t>(i)];
            if (i != index && other.Held && low - nearness_ <= other.High && high + nearness_ >= other.Low)
                return true;
        }
        return false;
    }

    // Any segment, exactly as the chart would draw it.
    void Segment(int index, float x1, float y1, float x2, float y2);
    // Holds spans in the column, with its edges, when all of it lies within
    // the clip box; what is held elsewhere goes out first.
    bool HoldColumn(int column);
    // A series' span, as the lines within its column set it.
    void DrawSpan(const Series& series) const;

    Surface& chart_;
    PixelGrid grid_;
    PixelCanvas canvas_;
    std::array<Series, MostSeries> series_{};
    int count_ = 0;
    // The column the spans are held in, and the user X from which samples
    // fall in it up to before the next; empty while there is none.
    int column_ = 0;
    float columnStart_ = 0;
    float columnEnd_ = 0;
    // The user coordinates within the chart's clip box, where it draws a
    // line as it is.
    float leftmost_ = -std::numeric_limits<float>::infinity();
    float rightmost_ = std::numeric_limits<float>::infinity();
    float lowest_ = 0;
    float highest_ = 0;
    // A distance in values beyond which two spans share no pixel.
    float nearness_ = 0;
};

} // namespace velantro
