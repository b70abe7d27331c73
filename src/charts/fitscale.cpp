#include "charts/fitscale.h"

#include <algorithm>
#include <cmath>

namespace velantro {

FitScale FitScaleFor(double peak, double finest, double coarsest)
{
    if (!std::isfinite(peak) || peak < 0)
        peak = 0;
    double decade = std::pow(10.0, std::floor(std::log10(finest)));
    for (;;) {
        for (const double mantissa : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0}) {
            const double step = mantissa * decade;
            if (step < finest * (1 - 1e-9))
                continue;
            if (step >= coarsest || step * CaptionStepsPerScale > peak)
                return {std::min(step, coarsest), std::min(step, coarsest) * CaptionStepsPerScale};
        }
        decade *= 10;
    }
}

// The speed chart holds 100 units to 1x in 16 bits: at most 312.5x.
FitScale FitSpeedScale(double peakSpeed)
{
    return FitScaleFor(peakSpeed, 0.1, 25);
}

FitScale FitRpmScale(double peakRpm)
{
    return FitScaleFor(peakRpm, 10, 1e6);
}

} // namespace velantro
