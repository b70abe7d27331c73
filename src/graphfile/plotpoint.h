#pragma once

#include "charts/chartscale.h"
#include "graphfile/graphreader.h"

namespace velantro {

// One plotted point: a sample, or the mean of a block of samples. First and
// Second as in RawSample.
struct PlotPoint {
    double Sector = 0;
    double Speed = 0;
    double Rpm = 0;
    double First = 0;
    double Second = 0;
    // Where the values land on the charts' user scales: the sector, the
    // speed chart's heights (speed, RPM) and the percent chart's (First,
    // Second), in pairs as the pens take them.
    float X = 0;
    float SpeedHeights[2] = {};
    float PercentHeights[2] = {};
};

// Turns samples into chart values on the scale the frames chose. Every
// sample must map into the charts, drawn or not, so that raw and averaged
// plots, every choice of series and every other reader accept the same files.
class SampleMapping {
public:
    // A layer break of 0 or less means a single-layer disc.
    SampleMapping(const ChartScale& scale, double capacity, double layerBreak);

    // Throws PassFailure for a sample that does not map. Fills a point in
    // place, field by field: a copy of a whole just stored field by field
    // would wait for those stores to land, and so would one wide load of
    // the reader's fields.
    void Map(const RawSample& sample, bool firstSample, PlotPoint& point) const
    {
        Map(sample.Speed, sample.Sector, sample.First, sample.Second, firstSample, point);
    }
    // Sets the chart places from the values, as Map does; throws the same.
    void Place(PlotPoint& point) const;

    float SpeedY(double speed) const;
    float RpmY(double rpm) const;
    static float PercentY(double percent);

private:
    void Map(double speed, double sector, double first, double second, bool firstSample, PlotPoint& point) const;
    double RpmEstimate(double speed, double sector, bool firstSample) const;

    double capacity_;
    double layerBreak_;
    double chartHeight_;
    double rpmBase_;
    double rpmSpan_;
    double rpmTop_;
};

} // namespace velantro
