#pragma once

#include "charts/chartscale.h"
#include "charts/nearestsample.h"
#include "graphfile/graphreader.h"
#include "vocabulary/infocaptions.h"
#include "vocabulary/series.h"
#include "vocabulary/zoomrange.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace velantro {

class Surface;

// Said in the speed chart when every sample lies above its scale.
inline constexpr const char* AboveTheScaleText =
    "Every sample lies above this scale: Tools > Fit Speed Scale shows them.";
// Where it stands: a fiftieth of the chart's width in, halfway down.
inline constexpr int AboveTheScaleLeftParts = 50;
inline constexpr int AboveTheScaleTopParts = 2;

inline constexpr const char* FileErrorTitle = "IBG file error";
inline constexpr const char* FileErrorText =
    "An error occurred while opening the selected file\r\n\r\nIt does not appear to be a valid .ibg file.";

// Columns of a zoomed view's readout samples: finer than any chart's pixels.
inline constexpr int ReadoutColumns = 2048;

// How a file is shown: raw samples or block averages, the series ticked,
// the scale fitted to the samples shown, the sectors shown (none: all).
struct ViewOptions {
    bool Averaged = true;
    int BlockSize = 10;
    std::array<bool, SeriesCount> Shown{true, true, true, true, true, true, true};
    bool Fit = false;
    std::optional<ZoomRange> Zoom;
};

// What a view draws on: the two charts and the two text panels.
struct ViewSurfaces {
    Surface* SpeedChart = nullptr;
    Surface* PercentChart = nullptr;
    Surface* DrivePanel = nullptr;
    Surface* InfoValuesPanel = nullptr;
};

struct LoadOutcome {
    bool Loaded = false;
    DataPresent Sections = DataPresent::None;
    // Why the file was rejected, for messages that can say more; empty when no pass ran.
    std::string Reason;
    // What the pass found, for a file it read to its end.
    MediaFacts Media;
    ChartScale Scale;
    // The zoom as drawn: cut to the chart, none for the whole disc.
    std::optional<ZoomRange> Zoom;
    std::array<std::string, InfoValueCount> InfoValues{};
    std::string Drive;
    // Every sample plotted lies above the speed chart's scale.
    bool AboveScale = false;
    // The verify samples were written with a decimal comma (DecimalCommaText).
    bool DecimalComma = false;
    // A zoomed view's plotted samples nearest each pixel column, for its readout.
    std::optional<NearestSamples> Samples;
};

// Reads the file from top to bottom once, printing the panels and drawing
// every ticked series as it goes. A failure stops it where it is; what was
// drawn so far stays.
LoadOutcome LoadGraphFile(const std::string& path, const ViewOptions& options, const ViewSurfaces& surfaces,
                          const DateFormatter& generalDate);

} // namespace velantro
