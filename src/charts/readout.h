#pragma once

#include "charts/nearestsample.h"
#include "charts/surface.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velantro {

enum class Chart { Speed, Percent };

// The readout caption for the pixel colour under the pointer (none outside
// the picture), or nothing when the colour is no series colour.
// decimalSeparator is the system's.
std::optional<std::string> ReadoutCaption(Chart chart, std::optional<Colour> colour, float x, float y,
                                          std::int16_t speedChartHeight, char32_t decimalSeparator,
                                          double rpmTop = 0);

// In a zoomed view: the series under the pointer by its colour, and the
// sector and value of its plotted sample nearest to the pointer's sector.
std::optional<std::string> ZoomedReadoutCaption(Chart chart, std::optional<Colour> colour, float x,
                                                const NearestSamples& samples, char32_t decimalSeparator);

// Two digits after the separator, at least one before it.
std::string FixedTwo(double value, char32_t decimalSeparator);

struct ReadoutPlace {
    float Left;
    float Top;
};

// Beside the pointer, flipped left or up where the box would cross the
// right or bottom edge. All values in the chart's user scale.
ReadoutPlace PlaceReadout(float x, float y, float boxWidth, float boxHeight, float scaleWidth,
                          float scaleHeight);

} // namespace velantro
