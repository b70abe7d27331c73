#pragma once

#include <functional>
#include <string>

namespace velantro {

constexpr int InfoValueCount = 17;

inline constexpr const char* InfoCaptionTexts[InfoValueCount] = {
    "Firmware",       "Volume Label", "Media ID",    "Media Type",     "Book Type",      "Capacity",
    "Data Sectors",   "Data Type",    "Burn Time",   "Date/Time",      "Sample Rate",    "Speed Selected",
    "Speed Start",    "Speed Avg",    "Speed End",   "Speed Max",      "Write Test Mode",
};

// The locale's general date-time form of a file's date text; a text that is
// not a date comes back unchanged.
using DateFormatter = std::function<std::string(const std::string&)>;

} // namespace velantro
