#pragma once

#include "vocabulary/series.h"
#include "vocabulary/zoomrange.h"

#include <array>
#include <optional>
#include <vector>

namespace velantro {

// A sample as a zoomed chart draws it: its sector and its value (speed in
// 1x, RPM, percent).
struct SeriesSample {
    double Sector = 0;
    double Value = 0;
};

// For the readout of a zoomed view: per series and pixel column, the sample
// plotted nearest to the column's middle. Memory grows with the columns,
// not with the file.
class NearestSamples {
public:
    NearestSamples() = default;
    NearestSamples(const ZoomRange& view, int columns);

    void Add(Series series, double sector, double value);
    // The kept sample of the series nearest to a sector in the view; none
    // where the series has none or the sector lies outside the view.
    std::optional<SeriesSample> Nearest(Series series, double sector) const;

private:
    long Column(double sector) const;

    ZoomRange view_;
    long columns_ = 0;
    std::array<std::vector<std::optional<SeriesSample>>, SeriesCount> kept_;
};

} // namespace velantro
