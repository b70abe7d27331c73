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

// Whether a held span of another colour and the pixels from left to right,
// top to bottom (the pen's reach included) have a pixel in common.
bool ColumnSpans::Touches(const Span& span, Colour colour, int left, int right, int top, int bottom, int reach)
{
    return span.SpanColour != colour && span.Column <= right && left <= span.Column + reach && span.Top <= bottom &&
           top <= span.Bottom + reach;
}

void ColumnSpans::Flush()
{
    FlushThrough(count_ - 1);
}

bool ColumnSpans::TouchedAfter(int index, Colour colour, int left, int right, int top, int bottom, int reach) const
{
    for (int i = index + 1; i < count_; ++i) {
        if (Touches(held_[static_cast<std::size_t>(i)], colour, left, right, top, bottom, reach))
            return true;
    }
    return false;
}

void ColumnSpans::Grow(Span& span, int r1, float y1, int r2, float y2, float x2)
{
    if (std::min(r1, r2) < span.Top) {
        span.Top = std::min(r1, r2);
        span.TopY = r1 < r2 ? y1 : y2;
    }
    if (std::max(r1, r2) > span.Bottom) {
        span.Bottom = std::max(r1, r2);
        span.BottomY = r1 < r2 ? y2 : y1;
    }
    span.EndX = x2;
    span.EndY = y2;
    span.EndRow = r2;
}

void ColumnSpans::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    const PixelGrid* grid = grid_;
    if (!grid || grid->XFactor == 0 || grid->YFactor == 0) {
        Flush();
        target_.Line(x1, y1, x2, y2, colour);
        return;
    }
    // A thicker pen widens every pixel to the right and down alike.
    const int reach = grid->PenWidth - 1;
    int mine = count_ - 1;
    while (mine >= 0 && held_[static_cast<std::size_t>(mine)].SpanColour != colour)
        --mine;

    // The common case: the series goes on from where its span ended, within
    // the span's column, with nothing held after it underneath.
    if (mine >= 0) {
        Span& span = held_[static_cast<std::size_t>(mine)];
        if (x1 == span.EndX && y1 == span.EndY) {
            const double bx = grid->X(x2);
            const double by = grid->Y(y2);
            // Rows just below the image, where zero values lie, are drawn unclipped too.
            if (bx >= 0 && bx < grid->Width && by >= 0 && by <= grid->Height + PixelGrid::ClipMargin &&
                PixelGrid::IndexOnImage(bx) == span.Column) {
                // The first end lies in the span already: only the second can widen it.
                const int r2 = PixelGrid::IndexOnImage(by);
                if (mine == count_ - 1 || !TouchedAfter(mine, colour, span.Column, span.Column + reach,
                                                        std::min(span.EndRow, r2), std::max(span.EndRow, r2) + reach,
                                                        reach)) {
                    if (r2 < span.Top) {
                        span.Top = r2;
                        span.TopY = y2;
                    } else if (r2 > span.Bottom) {
                        span.Bottom = r2;
                        span.BottomY = y2;
                    }
                    span.EndX = x2;
                    span.EndY = y2;
                    span.EndRow = r2;
                    return;
                }
            }
        }
    }

    const double ax = grid->X(x1);
    const double ay = grid->Y(y1);
    const double bx = grid->X(x2);
    const double by = grid->Y(y2);
    if (!grid->Unclipped(ax, ay, bx, by)) {
        // What the target would not draw at all needs no order kept.
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
            grid->Misses(ax, ay, bx, by))
            return;
        // Clipped by the target, drawn within the box of its ends all the
        // same; a box beyond an edge by more than the pen's reach shows nothing.
        const auto index = [](double v, int size) {
            return PixelGrid::Index(std::clamp(v, -PixelGrid::ClipMargin, size + PixelGrid::ClipMargin));
        };
        const int left = index(std::min(ax, bx), grid->Width);
        const int right = index(std::max(ax, bx), grid->Width);
        const int top = index(std::min(ay, by), grid->Height);
        const int bottom = index(std::max(ay, by), grid->Height);
        const int before = reach / 2;
        if (right + reach - before < 0 || left - before >= grid->Width || bottom + reach - before < 0 ||
            top - before >= grid->Height)
            return;
        int covered = count_ - 1;
        while (covered >= 0 && !Touches(held_[static_cast<std::size_t>(covered)], colour, left, right + reach, top,
                                        bottom + reach, reach))
            --covered;
        FlushThrough(covered);
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
    if (left == right && mine >= 0) {
        Span& span = held_[static_cast<std::size_t>(mine)];
        if (span.Column == left && top <= span.Bottom + 1 && bottom >= span.Top - 1 &&
            !TouchedAfter(mine, colour, left, right + reach, top, bottom + reach, reach)) {
            Grow(span, r1, y1, r2, y2, x2);
            return;
        }
    }
    int covered = count_ - 1;
    while (covered >= 0 && !Touches(held_[static_cast<std::size_t>(covered)], colour, left, right + reach, top,
                                    bottom + reach, reach))
        --covered;

    // The colour's older span and whatever it covers go out first; the
    // series has moved on, and the list stays short.
    FlushThrough(std::max(covered, mine));
    if (left != right) {
        target_.Line(x1, y1, x2, y2, colour);
        return;
    }
    if (count_ == MostHeld)
        FlushThrough(0);
    Span& span = held_[static_cast<std::size_t>(count_++)];
    span = {colour, left, r1, r1, r1, x1, y1, y1, x1, y1};
    Grow(span, r1, y1, r2, y2, x2);
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
