#pragma once

#include <cmath>

namespace velantro {

// Where a picture's user coordinates fall on its image pixels. The picture
// box draws through it, and whatever must agree with that drawing pixel for
// pixel computes with it too.
struct PixelGrid {
    double Left = 0;    // user X at the left edge
    double XFactor = 0; // image pixels per user unit
    double YFactor = 0;
    int Width = 0;      // image pixels
    int Height = 0;
    int PenWidth = 1;   // one screen pixel, in image pixels

    // Lines are clipped to this many pixels around the image.
    static constexpr double ClipMargin = 2;

    double X(float x) const { return (x - Left) * XFactor; }
    double Y(float y) const { return y * YFactor; }

    // User coordinates turned into pixels carry float noise; without the
    // nudge a pointer on pixel i could read pixel i - 1.
    static constexpr double Nudge = 1e-3;
    // Truncation corrected to the floor: the same as std::floor, which
    // costs a call where SSE4.1 is not assumed.
    static int Index(double v)
    {
        const double nudged = v + Nudge;
        const int index = static_cast<int>(nudged);
        return nudged < index ? index - 1 : index;
    }
    // The same for v >= 0, where truncation is the floor: the hot path.
    static int IndexOnImage(double v) { return static_cast<int>(v + Nudge); }

    // Wholly beyond one side of the clip box: nothing of the line is drawn.
    bool Misses(double x1, double y1, double x2, double y2) const
    {
        const double left = -ClipMargin, top = -ClipMargin;
        const double right = Width + ClipMargin, bottom = Height + ClipMargin;
        return (x1 < left && x2 < left) || (x1 > right && x2 > right) || (y1 < top && y2 < top) ||
               (y1 > bottom && y2 > bottom);
    }

    // Both ends within the clip box: the line is drawn as it is, unclipped,
    // and only its pixels on the image show.
    bool Unclipped(double x1, double y1, double x2, double y2) const
    {
        const double left = -ClipMargin, top = -ClipMargin;
        const double right = Width + ClipMargin, bottom = Height + ClipMargin;
        return x1 >= left && x1 <= right && x2 >= left && x2 <= right && y1 >= top && y1 <= bottom && y2 >= top &&
               y2 <= bottom;
    }

    // Both ends on the image: the line is drawn as it is, unclipped.
    bool Holds(double x1, double y1, double x2, double y2) const
    {
        return x1 >= 0 && x1 < Width && x2 >= 0 && x2 < Width && y1 >= 0 && y1 < Height && y2 >= 0 && y2 < Height;
    }
};

} // namespace velantro
