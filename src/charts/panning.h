#pragma once

#include "vocabulary/zoomrange.h"

#include <cmath>

namespace velantro {

// A pan step (a notch of a horizontal wheel, Left or Right) moves a view by
// this share of its width.
inline constexpr double PanStepShare = 0.1;

// A press that moves less than this many logical pixels along the axis is a
// click that wobbled, not a drag.
inline constexpr double LeastDragPixels = 3;

inline bool IsDragAcross(double from, double to)
{
    return std::abs(to - from) >= LeastDragPixels;
}

// The view moved by `steps` pan steps (positive: towards the disc's end),
// its width kept, stopped at either end of the limits.
ZoomRange PanZoom(const ZoomRange& view, double steps, const ZoomLimits& limits);

} // namespace velantro
