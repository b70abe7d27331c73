#pragma once

#include "vocabulary/series.h"
#include "vocabulary/zoomrange.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace velantro {

constexpr int InfoValueCount = 17;

inline constexpr const char* InfoCaptionTexts[InfoValueCount] = {
    "Firmware",       "Volume Label", "Media ID",    "Media Type",     "Book Type",      "Capacity",
    "Data Sectors",   "Data Type",    "Burn Time",   "Date/Time",      "Sample Rate",    "Speed Selected",
    "Speed Start",    "Speed Avg",    "Speed End",   "Speed Max",      "Write Test Mode",
};

// State the main window shares between opening, the load pass, the frames and
// the readouts. Texts are UTF-8.
struct WindowFields {
    std::string GraphFilePath;   // "" means no file is loaded
    std::string LoadedFilePath;  // last file whose pass ran to its end
    std::string GraphFolder;
    std::string CaptureBaseName;
    std::string CaptureFolder;
    std::string CapturePath;

    std::string MediaType;
    std::int16_t SectorSize = 0;
    double MediaCapacity = 0;
    double DataSectors = 0;
    // 0..16 hold the captions until the first load, then the values.
    std::array<std::string, 18> InfoCaptions{};

    double ChartWidth = 0;
    std::int16_t SpeedChartHeight = 0;
    std::int16_t RpmBase = 0;
    std::int16_t RpmSpan = 0;
    // The sectors both charts show when zoomed; the frames cut it to the chart.
    std::optional<ZoomRange> Zoom;
    // The speed and RPM scales from the samples shown instead of the media;
    // the pass finds their peaks before it draws the frame.
    bool FitSpeedScale = false;
    double PeakSpeed = 0;
    double PeakRpm = 0;
    // The RPM at the top of the speed chart; 0 for the media's own scale.
    double RpmTop = 0;
    // The series a new file leaves unticked: a command's --hide, set before
    // its one pass. The window leaves it empty.
    std::set<Series> HiddenOnLoad;
};

// The values a freshly started window holds before anything is drawn.
WindowFields StartupFields();

} // namespace velantro
