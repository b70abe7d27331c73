#include "graphfile/samplepeaks.h"

#include "graphfile/samplescan.h"

#include <algorithm>

namespace velantro {

std::optional<SamplePeaks> PeaksOf(const std::string& path, const std::optional<ZoomRange>& within)
{
    SampleScan scan;
    if (!scan.Open(path))
        return std::nullopt;
    SamplePeaks peaks;
    while (scan.Next()) {
        const PlotPoint& point = scan.Point();
        if (within && (point.Sector < within->Left || point.Sector > within->Right))
            continue;
        peaks.Speed = std::max(peaks.Speed, point.Speed);
        peaks.Rpm = std::max(peaks.Rpm, point.Rpm);
    }
    if (scan.HasError())
        return std::nullopt;
    return peaks;
}

} // namespace velantro
