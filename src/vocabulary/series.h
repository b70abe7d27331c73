#pragma once

#include <array>

namespace velantro {

// The seven series, in the order of the series boxes and their colours.
enum class Series { WriteSpeed, WriteRpm, WriteCpu, WriteBuffer, VerifySpeed, VerifyRpm, VerifyCpu };

constexpr int SeriesCount = 7;

constexpr std::array<Series, SeriesCount> AllSeries = {
    Series::WriteSpeed,  Series::WriteRpm,  Series::WriteCpu,  Series::WriteBuffer,
    Series::VerifySpeed, Series::VerifyRpm, Series::VerifyCpu,
};

constexpr std::size_t SeriesIndex(Series series)
{
    return static_cast<std::size_t>(series);
}

constexpr bool IsWriteSeries(Series series)
{
    return series < Series::VerifySpeed;
}

} // namespace velantro
