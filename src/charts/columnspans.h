#pragma once

#include "charts/surface.h"

#include <array>

namespace velantro {

// Merges the segments of a series that stay within one pixel column into one
// vertical span before they reach the picture: the one-pixel lines inside a
// column cover exactly the rows between their extreme ends. A re-plot of a
// million samples then draws a few thousand lines, and the picture is the
// same, pixel for pixel, as when every segment is drawn. Where a segment
// touches a held span of another colour, what it covers is drawn first, so
// the later colour stays on top as before. A target without pixels gets
// every segment as it comes.
class ColumnSpans : public Surface {
public:
    explicit ColumnSpans(Surface& target);

    // Draws what is held back. Every operation but Line does it first.
    void Flush();

    void Cls() override;
    void SetScaleWidth(float width) override;
    void SetScaleHeight(float height) override;
    void SetScaleLeft(float left) override;
    float ScaleLeft() const override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    double Width() const override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void SetCurrentX(double x) override;
    void SetCurrentY(double y) override;
    double TextWidth(const std::string& text) const override;
    void Print(const std::string& text) override;
    std::int32_t Point(float x, float y) const override;
    const PixelGrid* Pixels() const override;

private:
    // One colour's segments in one column: X is any of their ends, TopY and
    // BottomY the ends on the extreme rows, EndX and EndY the last segment's
    // second end, on EndRow: where a series' next segment starts.
    struct Span {
        Colour SpanColour;
        int Column, Top, Bottom, EndRow;
        float X, TopY, BottomY, EndX, EndY;
    };

    // Enough for the series of one chart and the few a crossing leaves behind.
    static constexpr int MostHeld = 8;

    static bool Touches(const Span& span, Colour colour, int left, int right, int top, int bottom, int reach);
    // Whether a held span after `index` touches the pixels given.
    bool TouchedAfter(int index, Colour colour, int left, int right, int top, int bottom, int reach) const;
    // Adds a segment within the span's column, rows r1 (y1) to r2 (y2).
    static void Grow(Span& span, int r1, float y1, int r2, float y2, float x2);
    // Draws the held spans up to and including index `last`, oldest first.
    void FlushThrough(int last) const;

    Surface& target_;
    const PixelGrid* grid_;
    // Drawing held back is no state a reader may see: Point flushes it.
    mutable std::array<Span, MostHeld> held_{};
    mutable int count_ = 0;
};

} // namespace velantro
