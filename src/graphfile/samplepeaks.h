#pragma once

#include "charts/chartscale.h"
#include "vocabulary/zoomrange.h"

#include <optional>
#include <string>

namespace velantro {

// The highest speed and RPM of the samples of a file within a stretch of
// sectors (all of them without one), read as the load pass reads them.
std::optional<SamplePeaks> PeaksOf(const std::string& path, const std::optional<ZoomRange>& within);

} // namespace velantro
