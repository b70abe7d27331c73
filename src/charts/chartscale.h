#pragma once

#include "vocabulary/axiscaption.h"
#include "vocabulary/zoomrange.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velantro {

// What the charts' scale is made from: the header's media values.
struct MediaFacts {
    std::string MediaType; // UTF-8
    std::int16_t SectorSize = 2048;
    double Capacity = 0;
    double DataSectors = 0;
};

// Empty charts, before any file: a DVD-R's scale.
inline const MediaFacts StartupMedia{"DVD-R", 2048, 0, 0};

// The highest speed and RPM of the samples shown, for a fitted scale.
struct SamplePeaks {
    double Speed = 0;
    double Rpm = 0;
};

// The scales of both charts and the captions beside them.
struct ChartScale {
    // Sectors across the whole disc.
    double Width = 0;
    // The speed chart's user height: 100 units a 1x.
    std::int16_t SpeedHeight = 0;
    std::int16_t RpmBase = 0;
    std::int16_t RpmSpan = 0;
    // The RPM at the top of the speed chart; 0 for the media's own scale.
    double RpmTop = 0;
    // "MB" on a CD, else "GB".
    std::string Unit = "GB";
    // Speed and RPM captions 1..12 from the bottom; 0 is unused.
    std::array<std::string, 13> SpeedCaptions{};
    std::array<std::string, 13> RpmCaptions{};
    // The whole disc's size captions; on a media row's own width they stand
    // at the layout's five places (Centre 0, 1/4.5, ... 4/4.5).
    std::vector<AxisCaption> SizeCaptions;
    bool SizeCaptionsAtLayout = true;
};

// The scale for a file's media, fitted to the peaks when given. Throws
// PassFailure when no scale can be made (a sector size of 0, a width that
// no single-precision number holds). A media type of no row takes the
// start-up scale, widened to its capacity.
ChartScale ScaleFor(const MediaFacts& media, const std::optional<SamplePeaks>& fitted = std::nullopt);

// Grid lines and captions of a zoomed view, in the whole view's unit: minor
// lines at a tenth of the caption step, major ones at each caption.
struct ZoomGrid {
    std::vector<float> Minor;
    std::vector<float> Major;
    std::vector<AxisCaption> Captions;
};
ZoomGrid GridFor(const ChartScale& scale, std::int16_t sectorSize, const ZoomRange& view);

} // namespace velantro
