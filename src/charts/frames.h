#pragma once

namespace velantro {

struct BurnFields;
class BurnControls;

// Picks the speed chart's scale from MediaType, SectorSize and MediaCapacity,
// clears Picture1 and draws its grid and axis captions. Throws PassFailure
// when the scale cannot be made (a sector size of 0, a width that no
// single-precision number holds).
void DrawSpeedFrame(BurnFields& fields, BurnControls& controls);

// Clears Picture2 and draws its grid over the speed chart's width.
void DrawPercentFrame(const BurnFields& fields, BurnControls& controls);

} // namespace velantro
