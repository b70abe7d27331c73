#include "charts/columnspans.h"

#include <algorithm>
#include <cmath>

namespace velantro {

ColumnSpans::ColumnSpans(Surface& target) : target_(target), grid_(target.Pixels()) {}

void ColumnSpans::FlushThrough(int last) const
{
    if (last < 0)
        return;
    for (int i = 0; i <= last; ++i) {
        const Span& span = held_[static_cast<std::size_t>(i)];
        target_.Line(span.X, span.TopY, span.X, span.BottomY, span.SpanColour);
    }
    std::copy(held_.begin() + last + 1, held_.begin() + count_, held_.begin());
    count_ -= last + 1;
}

void ColumnSpans::Flush()
{
    FlushThrough(count_ - 1);
}

void ColumnSpans::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    const PixelGrid* grid = grid_;
    if (!grid || grid->XFactor == 0 || grid->YFactor == 0) {
        Flush();
        target_.Line(x1, y1, x2, y2, colour);
        return;
    }
    const double ax = grid->X(x1);
    const double ay = grid->Y(y1);
    const double bx = grid->X(x2);
    const double by = grid->Y(y2);
    if (!grid->Holds(ax, ay, bx, by)) {
        // What the target would not draw at all needs no order kept.
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
            grid->Misses(ax, ay, bx, by))
            return;
        Flush();
        target_.Line(x1, y1, x2, y2, colour);
        return;
    }

    const int c1 = PixelGrid::Index(ax);
    const int c2 = PixelGrid::Index(bx);
    const int r1 = PixelGrid::Index(ay);
    const int r2 = PixelGrid::Index(by);
    const int left = std::min(c1, c2);
    const int right = std::max(c1, c2);
    const int top = std::min(r1, r2);
    const int bottom = std::max(r1, r2);
    // A thicker pen widens every pixel to the right and down alike.
    const int reach = grid->PenWidth - 1;

    int mine = count_ - 1;
    while (mine >= 0 && held_[static_cast<std::size_t>(mine)].SpanColour != colour)
        --mine;
    int covered = count_ - 1;
    while (covered >= 0) {
        const Span& span = held_[static_cast<std::size_t>(covered)];
        if (span.SpanColour != colour && span.Column <= right + reach && left <= span.Column + reach &&
            span.Top <= bottom + reach && top <= span.Bottom + reach)
            break;
        --covered;
    }

    if (left == right && mine >= 0 && covered < mine) {
        Span& span = held_[static_cast<std::size_t>(mine)];
        if (span.Column == left && top <= span.Bottom + 1 && bottom >= span.Top - 1) {
            if (top < span.Top) {
                span.Top = top;
                span.TopY = r1 < r2 ? y1 : y2;
            }
            if (bottom > span.Bottom) {
                span.Bottom = bottom;
                span.BottomY = r1 < r2 ? y2 : y1;
            }
            return;
        }
    }

    // The colour's older span and whatever it covers go out first; the
    // series has moved on, and the list stays short.
    FlushThrough(std::max(covered, mine));
    if (left != right) {
        target_.Line(x1, y1, x2, y2, colour);
        return;
    }
    if (count_ == MostHeld)
        FlushThrough(0);
    held_[static_cast<std::size_t>(count_++)] = {colour, left, top, bottom, x1, r1 < r2 ? y1 : y2, r1 < r2 ? y2 : y1};
}

void ColumnSpans::Cls()
{
    count_ = 0;
    target_.Cls();
}

void ColumnSpans::SetScaleWidth(float width)
{
    Flush();
    target_.SetScaleWidth(width);
}

void ColumnSpans::SetScaleHeight(float height)
{
    Flush();
    target_.SetScaleHeight(height);
}

void ColumnSpans::SetScaleLeft(float left)
{
    Flush();
    target_.SetScaleLeft(left);
}

float ColumnSpans::ScaleLeft() const
{
    return target_.ScaleLeft();
}

float ColumnSpans::ScaleWidth() const
{
    return target_.ScaleWidth();
}

float ColumnSpans::ScaleHeight() const
{
    return target_.ScaleHeight();
}

double ColumnSpans::Width() const
{
    return target_.Width();
}

void ColumnSpans::SetCurrentX(double x)
{
    target_.SetCurrentX(x);
}

void ColumnSpans::SetCurrentY(double y)
{
    target_.SetCurrentY(y);
}

double ColumnSpans::TextWidth(const std::string& text) const
{
    return target_.TextWidth(text);
}

void ColumnSpans::Print(const std::string& text)
{
    Flush();
    target_.Print(text);
}

std::int32_t ColumnSpans::Point(float x, float y) const
{
    FlushThrough(count_ - 1);
    return target_.Point(x, y);
}

const PixelGrid* ColumnSpans::Pixels() const
{
    return grid_;
}

} // namespace velantro
