#include "graphfile/plotpoint.h"

#include "charts/seriescolours.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

#include <cmath>

namespace velantro {

namespace {

constexpr double RpmScale = 2.66e-5;

double Finite(double value)
{
    if (!std::isfinite(value))
        throw PassFailure("arithmetic overflow");
    return value;
}

} // namespace

SampleMapping::SampleMapping(const ChartScale& scale, double capacity, double layerBreak)
    : capacity_(capacity),
      layerBreak_(layerBreak > 0 ? layerBreak : capacity),
      chartHeight_(scale.SpeedHeight),
      rpmBase_(scale.RpmBase),
      rpmSpan_(scale.RpmSpan),
      rpmTop_(scale.RpmTop)
{
}

// The first sample of a section is always taken as before the layer break.
double SampleMapping::RpmEstimate(double speed, double sector, bool firstSample) const
{
    if (capacity_ == 0)
        throw PassFailure("MEDIA_CAPACITY is 0: there is no disc to place the samples on");
    const double f = (firstSample || sector <= layerBreak_) ? Finite((capacity_ - sector) / capacity_)
                                                            : Finite(sector / capacity_);
    return Finite(speed * (rpmSpan_ * Finite(f * f) + rpmBase_));
}

void SampleMapping::Map(double speed, double sector, double first, double second, bool firstSample,
                        PlotPoint& point) const
{
    point.Speed = speed;
    point.Sector = sector;
    point.Rpm = RpmEstimate(speed, sector, firstSample);
    point.First = first;
    point.Second = second;
    Place(point);
}

void SampleMapping::Place(PlotPoint& point) const
{
    point.X = ToSingle(point.Sector);
    point.SpeedHeights[0] = SpeedY(point.Speed);
    point.SpeedHeights[1] = RpmY(point.Rpm);
    point.PercentHeights[0] = PercentY(point.First);
    point.PercentHeights[1] = PercentY(point.Second);
}

float SampleMapping::SpeedY(double speed) const
{
    return ToSingle(chartHeight_ - 100 * speed);
}

float SampleMapping::RpmY(double rpm) const
{
    if (rpmTop_ > 0)
        return ToSingle(chartHeight_ - chartHeight_ * rpm / rpmTop_);
    return ToSingle(chartHeight_ - chartHeight_ * RpmScale * rpm);
}

float SampleMapping::PercentY(double percent)
{
    return ToSingle(PercentChartHeight - 10 * percent);
}

} // namespace velantro
