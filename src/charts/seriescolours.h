#pragma once

#include "charts/surface.h"
#include "vocabulary/series.h"

namespace velantro {

// Indexed by Series.
constexpr Colour SeriesColour[SeriesCount] = {
    Rgb(255, 255, 0),   // write speed
    Rgb(0, 255, 0),     // write RPM
    Rgb(0, 0, 255),     // write CPU %
    Rgb(255, 255, 255), // write buffer %
    Rgb(0, 255, 255),   // verify speed
    Rgb(255, 0, 255),   // verify RPM
    Rgb(255, 0, 0),     // verify CPU %
};

constexpr Colour ColourOf(Series series)
{
    return SeriesColour[SeriesIndex(series)];
}

// One step away from a series colour, so a readout over a marker shows nothing.
constexpr Colour LayerBreakColour = Rgb(255, 255, 1);
constexpr Colour DataEndColour = Rgb(255, 1, 1);

constexpr Colour GridColour = Rgb(64, 64, 64);
// A note in the speed chart: light on its black, no series' colour.
constexpr Colour AboveTheScaleColour = Rgb(224, 224, 224);
constexpr Colour MajorGridColour = Rgb(128, 128, 128);

constexpr int PercentChartHeight = 1000;

} // namespace velantro
