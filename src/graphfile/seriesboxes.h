#pragma once

namespace velantro {

class BurnControls;

// Check1(0..3) are the write series, Check1(4..6) the verify series.
void EnableAllSeries(BurnControls& controls);
void DisableWriteSeries(BurnControls& controls);
void DisableVerifySeries(BurnControls& controls);

} // namespace velantro
