#include "charts/readout.h"

#include "charts/seriescolours.h"
#include "vocabulary/floatchars.h"
#include "vocabulary/textrules.h"

#include <array>
#include <charconv>
#include <cmath>

namespace velantro {

namespace {

struct ReadoutRow {
    Chart OnChart;
    Colour SeriesColour;
    const char* Name;
    enum class Value { Speed, Rpm, Percent } Kind;
    const char* Suffix;
    Series Shown; // whose box shows it
};

constexpr ReadoutRow ReadoutRows[] = {
    {Chart::Speed, SeriesColour[0], "Write Speed ", ReadoutRow::Value::Speed, "", Series::WriteSpeed},
    {Chart::Speed, SeriesColour[1], "Write RPM ", ReadoutRow::Value::Rpm, "", Series::WriteRpm},
    {Chart::Speed, SeriesColour[4], "Verify Speed ", ReadoutRow::Value::Speed, "", Series::VerifySpeed},
    {Chart::Speed, SeriesColour[5], "Verify RPM ", ReadoutRow::Value::Rpm, "", Series::VerifyRpm},
    {Chart::Percent, SeriesColour[3], "Write Buffer ", ReadoutRow::Value::Percent, "%", Series::WriteBuffer},
    {Chart::Percent, SeriesColour[2], "Write CPU ", ReadoutRow::Value::Percent, "%", Series::WriteCpu},
    {Chart::Percent, SeriesColour[6], "Verify CPU ", ReadoutRow::Value::Percent, "%", Series::VerifyCpu},
};

double ReadoutValue(ReadoutRow::Value kind, float y, std::int16_t speedChartHeight, double rpmTop)
{
    // The speed and percent readouts are single precision, the RPM double.
    const float fromBottom = static_cast<float>(speedChartHeight) - y;
    switch (kind) {
    case ReadoutRow::Value::Speed:
        return fromBottom / 100.0f;
    case ReadoutRow::Value::Rpm:
        if (rpmTop > 0)
            return fromBottom / speedChartHeight * rpmTop;
        return fromBottom / (speedChartHeight * 0.0000266);
    case ReadoutRow::Value::Percent:
        break;
    }
    return (static_cast<float>(PercentChartHeight) - y) / 10.0f;
}

} // namespace

std::string FixedTwo(double value, char32_t decimalSeparator)
{
    if (!std::isfinite(value))
        return std::string("0").append(CodePointToUtf8(decimalSeparator)).append("00");
    // Halves round away from zero.
    const double hundredths = std::round(std::fabs(value) * 100);
    std::array<char, 400> buffer{};
    const auto end = FloatToChars(buffer.data(), buffer.data() + buffer.size(), hundredths,
                                   std::chars_format::fixed, 0).ptr;
    std::string digits(buffer.data(), end);
    if (digits.size() < 3)
        digits.insert(digits.begin(), 3 - digits.size(), '0');
    std::string text = value < 0 && hundredths != 0 ? "-" : "";
    text += digits.substr(0, digits.size() - 2);
    text += CodePointToUtf8(decimalSeparator);
    text += digits.substr(digits.size() - 2);
    return text;
}

std::optional<std::string> ZoomedReadoutCaption(Chart chart, std::optional<Colour> colour, float x,
                                                const NearestSamples& samples, char32_t decimalSeparator)
{
    if (!colour)
        return std::nullopt;
    for (const ReadoutRow& row : ReadoutRows) {
        if (row.OnChart != chart || row.SeriesColour != *colour)
            continue;
        const std::optional<SeriesSample> sample = samples.Nearest(row.Shown, x);
        if (!sample)
            return std::nullopt;
        return "Sector " + SingleText(static_cast<float>(std::floor(sample->Sector))) + "\r\n" + row.Name +
               FixedTwo(sample->Value, decimalSeparator) + row.Suffix;
    }
    return std::nullopt;
}

std::optional<std::string> ReadoutCaption(Chart chart, std::optional<Colour> colour, float x, float y,
                                          std::int16_t speedChartHeight, char32_t decimalSeparator, double rpmTop)
{
    if (!colour)
        return std::nullopt;
    for (const ReadoutRow& row : ReadoutRows) {
        if (row.OnChart != chart || row.SeriesColour != *colour)
            continue;
        return "Sector " + SingleText(std::floor(x)) + "\r\n" + row.Name +
               FixedTwo(ReadoutValue(row.Kind, y, speedChartHeight, rpmTop), decimalSeparator) + row.Suffix;
    }
    return std::nullopt;
}

ReadoutPlace PlaceReadout(float x, float y, float boxWidth, float boxHeight, float scaleWidth,
                          float scaleHeight)
{
    const double gapX = scaleWidth * 0.01;
    const double gapY = scaleHeight * 0.01;
    ReadoutPlace place{};
    place.Left = static_cast<float>(boxWidth + x + gapX) > scaleWidth ? static_cast<float>(x - boxWidth - gapX)
                                                                       : static_cast<float>(x + gapX);
    place.Top = static_cast<float>(boxHeight + y + gapY) > scaleHeight ? static_cast<float>(y - boxHeight - gapY)
                                                                        : static_cast<float>(y + gapY);
    return place;
}

} // namespace velantro
