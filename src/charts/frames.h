#pragma once

#include "charts/chartscale.h"

#include <cstdint>
#include <optional>

namespace velantro {

class Surface;

// Clears the speed chart and draws its grid: the whole disc's, or the zoomed
// view's with lines at the captions' steps. Throws PassFailure when the
// whole disc's grid cannot be drawn (a width too wide or too narrow for
// single precision).
void DrawSpeedFrame(Surface& chart, const ChartScale& scale, std::int16_t sectorSize,
                    const std::optional<ZoomRange>& zoom);

// Clears the percent chart and draws its grid over the speed chart's width.
void DrawPercentFrame(Surface& chart, const ChartScale& scale, std::int16_t sectorSize,
                      const std::optional<ZoomRange>& zoom);

// Throws as DrawSpeedFrame would for the whole disc, drawing nothing.
void CheckWholeView(const ChartScale& scale);

} // namespace velantro
