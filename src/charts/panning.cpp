#include "charts/panning.h"

#include <algorithm>
#include <cmath>

namespace velantro {

ZoomRange PanZoom(const ZoomRange& view, double steps, const ZoomLimits& limits)
{
    const ZoomRange from = ClampZoom(view, limits);
    if (!std::isfinite(steps))
        return from;
    const double width = from.Width();
    const double left = std::clamp(from.Left + steps * PanStepShare * width, 0.0, std::max(0.0, limits.Whole - width));
    return {left, left + width};
}

} // namespace velantro
