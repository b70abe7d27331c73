#pragma once

#include <string>
#include <string_view>

namespace velantro {

// The charts caption sizes in binary units.
inline constexpr double MiB = 1048576.0;
inline constexpr double GiB = 1073741824.0;

// "MB" for the media the speed chart captions in megabytes (CDs), "GB" for
// the rest; an unknown type by the size itself.
std::string_view SizeUnitFor(std::string_view mediaType, double bytes);

// A place or size as the report and the compare readout give it, in the
// unit the charts caption: "2.10 GB", "645.3 MB".
std::string SizeText(double bytes, std::string_view unit);

// A caption number of ours: as the specified captions write numbers, with a
// zero before a leading point (" 0.6", not " .6").
std::string CaptionNumber(double value);

} // namespace velantro
