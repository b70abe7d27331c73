#include "graphfile/seriesboxes.h"

#include "vocabulary/windowcontrols.h"

namespace velantro {

void EnableAllSeries(WindowControls& controls, const std::set<Series>& hidden)
{
    for (const Series series : AllSeries) {
        controls.SetSeriesEnabled(series, true);
        controls.SetSeriesShown(series, hidden.count(series) == 0);
    }
}

void DisableWriteSeries(WindowControls& controls)
{
    for (const Series series : {Series::WriteSpeed, Series::WriteRpm, Series::WriteCpu, Series::WriteBuffer})
        controls.SetSeriesEnabled(series, false);
}

void DisableVerifySeries(WindowControls& controls)
{
    for (const Series series : {Series::VerifySpeed, Series::VerifyRpm, Series::VerifyCpu})
        controls.SetSeriesEnabled(series, false);
}

} // namespace velantro
