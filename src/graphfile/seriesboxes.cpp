#include "graphfile/seriesboxes.h"

#include "graphfile/burncontrols.h"

namespace velantro {

void EnableAllSeries(BurnControls& controls, unsigned hidden)
{
    for (int i = 0; i <= 6; ++i) {
        controls.SetCheck1Enabled(i, true);
        controls.SetCheck1Value(i, (hidden >> i) & 1U ? 0 : 1);
    }
}

void DisableWriteSeries(BurnControls& controls)
{
    for (int i = 0; i <= 3; ++i)
        controls.SetCheck1Enabled(i, false);
}

void DisableVerifySeries(BurnControls& controls)
{
    for (int i = 4; i <= 6; ++i)
        controls.SetCheck1Enabled(i, false);
}

} // namespace velantro
