#pragma once

#include "charts/nearestsample.h"
#include "graphfile/graphreader.h"

#include <optional>
#include <string>

namespace velantro {

// Said in the speed chart when every sample lies above its scale.
inline constexpr const char* AboveTheScaleText =
    "Every sample lies above this scale: Tools > Fit Speed Scale shows them.";

struct WindowFields;
class WindowControls;

struct LoadOutcome {
    bool Loaded = false;
    DataPresent Sections = DataPresent::None;
    std::string Reason; // why the file was rejected, for messages that can say more
    // A zoomed view's plotted samples nearest each pixel column, for its readout.
    std::optional<NearestSamples> Samples;
    bool DecimalComma = false; // the verify samples were written with one (DecimalCommaText)
};

// Columns of a zoomed view's readout samples: finer than any chart's pixels.
inline constexpr int ReadoutColumns = 2048;

inline constexpr const char* FileErrorTitle = "IBG file error";
inline constexpr const char* FileErrorText =
    "An error occurred while opening the selected file\r\n\r\nIt does not appear to be a valid .ibg file.";

// Reads GraphFilePath from top to bottom once, printing the panels and
// drawing every ticked series as it goes. Every failure takes one path: the
// file error message, and GraphFilePath back to LoadedFilePath.
LoadOutcome LoadGraphFile(WindowFields& fields, WindowControls& controls);

} // namespace velantro
