#pragma once

namespace velantro {

class WindowControls;

// Enabling ticks the boxes as well; disabling leaves them ticked or not.
void EnableAllSeries(WindowControls& controls);
void DisableWriteSeries(WindowControls& controls);
void DisableVerifySeries(WindowControls& controls);

} // namespace velantro
