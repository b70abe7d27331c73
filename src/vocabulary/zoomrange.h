#pragma once

namespace velantro {

// Narrower views show nothing new: even the slowest burns log a sample every
// few hundred sectors, and single-precision sectors on the largest discs are
// exact only to 2.
inline constexpr double MinimumZoomSectors = 1024;

// The stretch of the X axis a chart shows, in the axis' units (sectors).
struct ZoomRange {
    double Left = 0;
    double Right = 0;

    double Width() const { return Right - Left; }
    bool operator==(const ZoomRange&) const = default;
};

// What a view may show: from 0 to Whole, never narrower than Minimum (or
// than Whole, when that is less).
struct ZoomLimits {
    double Whole = 0;
    double Minimum = MinimumZoomSectors;
};

ZoomRange WholeRange(const ZoomLimits& limits);
bool ShowsWhole(const ZoomRange& view, const ZoomLimits& limits);

// The range inside the limits nearest to the one asked for: cut to 0..Whole,
// widened about its centre to the minimum. Anything not finite gives the whole.
ZoomRange ClampZoom(const ZoomRange& wanted, const ZoomLimits& limits);

// A factor of 2 a wheel notch (positive notches zoom in), with `at` kept at
// its place in the view as far as the limits allow.
ZoomRange ZoomAround(const ZoomRange& view, double at, double notches, const ZoomLimits& limits);

// The stretch between two points of a drag, in either order, within the view.
ZoomRange ZoomToDrag(const ZoomRange& view, double from, double to, const ZoomLimits& limits);

// The finest step of 1, 2 or 5 times a power of ten that puts at most `most`
// multiples of itself into the range: where captions go. 0 for an empty range.
double CaptionStep(const ZoomRange& range, int most);

} // namespace velantro
