#include "charts/readout.h"
#include "charts/seriescolours.h"

#include <gtest/gtest.h>

namespace velantro {
namespace {

TEST(Readout, Captions)
{
    const auto c = [](Colour colour) { return static_cast<std::int32_t>(colour); };
    const std::vector<std::tuple<Chart, std::int32_t, float, float, char32_t, std::optional<std::string>>> cases = {
        {Chart::Speed, c(SeriesColour[0]), 1234567.8f, 1700, U'.', "Sector  1234567\r\nWrite Speed 8.00"},
        {Chart::Speed, c(SeriesColour[1]), 1234567.8f, 1700, U'.', "Sector  1234567\r\nWrite RPM 12030.08"},
        {Chart::Speed, c(SeriesColour[4]), 10, 1704, U'.', "Sector  10\r\nVerify Speed 7.96"},
        {Chart::Speed, c(SeriesColour[5]), 0.5f, 2000, U'.', "Sector  0\r\nVerify RPM 7518.80"},
        {Chart::Percent, c(SeriesColour[6]), 5, 750, U'.', "Sector  5\r\nVerify CPU 25.00%"},
        {Chart::Percent, c(SeriesColour[3]), 5, 15, U'.', "Sector  5\r\nWrite Buffer 98.50%"},
        {Chart::Percent, c(SeriesColour[2]), 5, 1000, U'.', "Sector  5\r\nWrite CPU 0.00%"},
        {Chart::Speed, c(SeriesColour[0]), 10, 1704, U',', "Sector  10\r\nWrite Speed 7,96"},
        {Chart::Speed, c(SeriesColour[0]), 12219390.5f, 2450, U'.', "Sector  1.221939E+07\r\nWrite Speed 0.50"},
        // Nothing over markers, grid, background, outside, or a colour of the other chart.
        {Chart::Speed, c(LayerBreakColour), 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(DataEndColour), 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(GridColour), 10, 10, U'.', std::nullopt},
        {Chart::Speed, 0, 10, 10, U'.', std::nullopt},
        {Chart::Speed, -1, 10, 10, U'.', std::nullopt},
        {Chart::Percent, c(SeriesColour[0]), 10, 10, U'.', std::nullopt},
        {Chart::Speed, c(SeriesColour[6]), 10, 10, U'.', std::nullopt},
    };
    for (const auto& [chart, colour, x, y, separator, caption] : cases)
        EXPECT_EQ(ReadoutCaption(chart, colour, x, y, 2500, separator), caption) << std::hex << colour;
}

TEST(Readout, FixedTwoDecimals)
{
    EXPECT_EQ(FixedTwo(0.125, U'.'), "0.13");
    EXPECT_EQ(FixedTwo(0.004, U'.'), "0.00");
    EXPECT_EQ(FixedTwo(12345.678, U'.'), "12345.68");
    EXPECT_EQ(FixedTwo(-1.5, U'.'), "-1.50");
    EXPECT_EQ(FixedTwo(7.96, U'\u066B'), "7\u066B96");
}

TEST(Readout, PlacementBesideThePointer)
{
    // Chart 1000 x 500, box 100 x 50: the gap is 10 across and 5 down.
    const std::vector<std::tuple<const char*, float, float, float, float>> cases = {
        {"middle", 400, 200, 410, 205},
        {"near the right edge", 900, 200, 790, 205},
        {"near the bottom edge", 400, 460, 410, 405},
        {"exactly at the right limit", 890, 0, 900, 5},
    };
    for (const auto& [name, x, y, left, top] : cases) {
        const ReadoutPlace place = PlaceReadout(x, y, 100, 50, 1000, 500);
        EXPECT_FLOAT_EQ(place.Left, left) << name;
        EXPECT_FLOAT_EQ(place.Top, top) << name;
    }
}

} // namespace
} // namespace velantro
