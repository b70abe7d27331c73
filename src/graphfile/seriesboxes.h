#pragma once

#include "vocabulary/series.h"

#include <set>

namespace velantro {

class WindowControls;

// Enabling ticks the boxes as well, but those of `hidden`; disabling leaves
// them ticked or not.
void EnableAllSeries(WindowControls& controls, const std::set<Series>& hidden = {});
void DisableWriteSeries(WindowControls& controls);
void DisableVerifySeries(WindowControls& controls);

} // namespace velantro
