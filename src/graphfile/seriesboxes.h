#pragma once

namespace velantro {

class BurnControls;

// Check1(0..3) are the write series, Check1(4..6) the verify series.
// Ticks each series but those whose bit is set in `hidden`.
void EnableAllSeries(BurnControls& controls, unsigned hidden = 0);
void DisableWriteSeries(BurnControls& controls);
void DisableVerifySeries(BurnControls& controls);

} // namespace velantro
