#include "charts/seriespens.h"

#include <cmath>
#include <limits>
#include <optional>

namespace velantro {

namespace {

constexpr float Infinity = std::numeric_limits<float>::infinity();

// The smallest float whose image under a non-decreasing `map` reaches
// `target`, stepped to from a guess; none when the guess is too far off.
template <class Map>
std::optional<float> FirstReaching(Map map, double target, double guess)
{
    auto value = static_cast<float>(guess);
    for (int step = 0; step < 256 && std::isfinite(value); ++step) {
        if (map(value) >= target) {
            const float below = std::nextafter(value, -Infinity);
            if (!(map(below) >= target))
                return value;
            value = below;
        } else {
            value = std::nextafter(value, Infinity);
        }
    }
    return std::nullopt;
}

} // namespace

SeriesPens::SeriesPens(Surface& chart) : chart_(chart)
{
    const PixelGrid* grid = chart.Pixels();
    // A chart with no scale yet draws nothing, and one turned over is not
    // what the pens are for: their Line knows.
    if (!grid || !(grid->XFactor > 0) || !(grid->YFactor > 0))
        return;
    grid_ = *grid;
    canvas_ = chart.Canvas();
    if (!canvas_.Bits)
        return;
    // The first and last floats a map takes within [low, high].
    const auto within = [](auto map, double low, double high, double guessLow, double guessHigh,
                           float& first, float& last) {
        const auto from = FirstReaching(map, low, guessLow);
        const auto beyond = FirstReaching(map, std::nextafter(high, HUGE_VAL), guessHigh);
        if (!from || !beyond)
            return false;
        first = *from;
        last = std::nextafter(*beyond, -Infinity);
        return true;
    };
    constexpr double margin = PixelGrid::ClipMargin;
    const auto x = [this](float value) { return grid_.X(value); };
    const double right = grid_.Width + margin;
    if (!within(x, -margin, right, grid_.Left - margin / grid_.XFactor, grid_.Left + right / grid_.XFactor,
                leftmost_, rightmost_)) {
        leftmost_ = -Infinity;
        rightmost_ = Infinity;
    }
    const auto y = [this](float value) { return grid_.Y(value); };
    const double bottom = grid_.Height + margin;
    if (!within(y, -margin, bottom, -margin / grid_.YFactor, bottom / grid_.YFactor, lowest_, highest_))
        lowest_ = highest_ = 0;
    // Rows more than the pen's reach and a row apart, with float noise to spare.
    nearness_ = static_cast<float>((grid_.PenWidth + 2) / grid_.YFactor);
}

SeriesPens::~SeriesPens()
{
    Flush();
}

void SeriesPens::AddSeries(int slot, Colour colour, bool shown)
{
    if (!shown || count_ == MostSeries)
        return;
    Series& series = series_[static_cast<std::size_t>(count_++)];
    series.Slot = slot;
    series.SeriesColour = colour;
    series.Pixel = 0xFF000000u | colour;
}

void SeriesPens::Flush()
{
    for (int i = 0; i < count_; ++i) {
        Series& series = series_[static_cast<std::size_t>(i)];
        if (series.Held) {
            DrawSpan(series);
            series.Held = false;
        }
    }
}

void SeriesPens::DrawSpan(const Series& series) const
{
    PlotColumn(canvas_, column_, PixelGrid::Index(grid_.Y(series.Low)), PixelGrid::Index(grid_.Y(series.High)),
               series.Pixel, grid_.PenWidth);
}

bool SeriesPens::HoldColumn(int column)
{
    // Every sample of such a column lies within the clip box.
    if (column < -1 || column > grid_.Width + 1)
        return false;
    if (column == column_ && columnStart_ < columnEnd_)
        return true;
    Flush();
    column_ = column;
    const auto nudged = [this](float value) { return grid_.X(value) + PixelGrid::Nudge; };
    const auto edge = [&](int at) {
        return FirstReaching(nudged, at, grid_.Left + (at - PixelGrid::Nudge) / grid_.XFactor);
    };
    const auto start = edge(column);
    const auto end = edge(column + 1);
    columnStart_ = start && end ? *start : 0;
    columnEnd_ = start && end ? *end : 0;
    return true;
}

void SeriesPens::Segment(int index, float x1, float y1, float x2, float y2)
{
    Series& series = series_[static_cast<std::size_t>(index)];
    if (!canvas_.Bits) {
        chart_.Line(x1, y1, x2, y2, series.SeriesColour);
        return;
    }
    const double ax = grid_.X(x1);
    const double ay = grid_.Y(y1);
    const double bx = grid_.X(x2);
    const double by = grid_.Y(y2);
    if (!grid_.Unclipped(ax, ay, bx, by)) {
        // Wholly beyond one side the chart draws nothing; else it clips.
        if (grid_.Misses(ax, ay, bx, by))
            return;
        Flush();
        chart_.Line(x1, y1, x2, y2, series.SeriesColour);
        return;
    }
    const int column = PixelGrid::Index(ax);
    if (column != PixelGrid::Index(bx) || !HoldColumn(column)) {
        Flush();
        PlotLine(canvas_, column, PixelGrid::Index(ay), PixelGrid::Index(bx), PixelGrid::Index(by), series.Pixel,
                 grid_.PenWidth);
        return;
    }
    const float low = std::min(y1, y2);
    const float high = std::max(y1, y2);
    if (TouchesOthers(index, low, high))
        Flush();
    if (series.Held && y1 >= series.Low && y1 <= series.High) {
        series.Low = std::min(series.Low, low);
        series.High = std::max(series.High, high);
        return;
    }
    // A span clear of the others may go out now as well as later.
    if (series.Held)
        DrawSpan(series);
    series.Held = true;
    series.Low = low;
    series.High = high;
}

} // namespace velantro
