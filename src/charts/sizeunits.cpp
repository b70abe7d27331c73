#include "charts/sizeunits.h"

#include "vocabulary/floatchars.h"
#include "vocabulary/textrules.h"

#include <charconv>
#include <cmath>

namespace velantro {

std::string_view SizeUnitFor(std::string_view mediaType, double bytes)
{
    const std::string_view code = mediaType.substr(0, 2);
    if (code == "CD")
        return "MB";
    if (code == "DV" || code == "HD" || code == "BD")
        return "GB";
    return std::abs(bytes) >= GiB ? "GB" : "MB";
}

std::string SizeText(double bytes, std::string_view unit)
{
    const bool gigabytes = unit == "GB";
    char digits[64];
    const auto result = FloatToChars(std::begin(digits), std::end(digits), bytes / (gigabytes ? GiB : MiB),
                                      std::chars_format::fixed, gigabytes ? 2 : 1);
    if (result.ec != std::errc())
        return "? " + std::string(unit);
    return std::string(digits, result.ptr) + " " + std::string(unit);
}

std::string CaptionNumber(double value)
{
    std::string text = NumberText(value);
    const std::size_t point = text.find('.');
    if (point != std::string::npos && (point == 0 || text[point - 1] == ' ' || text[point - 1] == '-'))
        text.insert(point, 1, '0');
    return text;
}

} // namespace velantro
