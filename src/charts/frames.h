#pragma once

namespace velantro {

struct WindowFields;
class WindowControls;

// Picks the speed chart's scale from MediaType, SectorSize and MediaCapacity,
// clears the chart and draws its grid and axis captions. Throws PassFailure
// when the scale cannot be made (a sector size of 0, a width that no
// single-precision number holds).
void DrawSpeedFrame(WindowFields& fields, WindowControls& controls);

// Clears the percent chart and draws its grid over the speed chart's width.
void DrawPercentFrame(const WindowFields& fields, WindowControls& controls);

} // namespace velantro
