#include "charts/nearestsample.h"
#include "charts/panning.h"
#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "vocabulary/zoomrange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

namespace velantro {
namespace {

const ZoomLimits Disc{1'000'000};
const ZoomRange Whole{0, 1'000'000};

void ExpectRange(const ZoomRange& got, const ZoomRange& expected)
{
    EXPECT_NEAR(got.Left, expected.Left, 1e-6);
    EXPECT_NEAR(got.Right, expected.Right, 1e-6);
}

TEST(ZoomRange, WheelNotchesAroundThePointer)
{
    struct Case { const char* Name; ZoomRange View; double At, Notches; ZoomRange Expected; };
    const Case cases[] = {
        {"in: the sector keeps its place", Whole, 250'000, 1, {125'000, 625'000}},
        {"two notches in", Whole, 500'000, 2, {375'000, 625'000}},
        {"out again", {125'000, 625'000}, 250'000, -1, Whole},
        {"out stops at the whole disc", Whole, 0, -3, Whole},
        {"out near the right edge shifts inside", {900'000, 1'000'000}, 990'000, -2, {600'000, 1'000'000}},
        {"in stops at the minimum", {1'000, 2'024}, 1'500, 1, {1'000, 2'024}},
        {"in to the minimum", {1'000, 3'000}, 2'000, 1, {1'488, 2'512}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectRange(ZoomAround(c.View, c.At, c.Notches, Disc), c.Expected);
    }
    EXPECT_TRUE(ShowsWhole(ZoomAround({125'000, 625'000}, 250'000, -1, Disc), Disc));
}

TEST(ZoomRange, DragsAndClamps)
{
    const ZoomRange view{100'000, 300'000};
    struct Case { const char* Name; ZoomRange Got, Expected; };
    const Case cases[] = {
        {"drag right to left", ZoomToDrag(view, 250'000, 150'000, Disc), {150'000, 250'000}},
        {"drag beyond the view", ZoomToDrag(view, 50'000, 200'000, Disc), {100'000, 200'000}},
        {"short drag widened about its centre", ZoomToDrag(view, 199'995, 200'005, Disc), {199'488, 200'512}},
        {"beyond both ends", ClampZoom({-5, 2e6}, Disc), Whole},
        {"past the end", ClampZoom({3e6, 4e6}, Disc), {998'976, 1'000'000}},
        {"reversed and narrow at the start", ClampZoom({600, 400}, Disc), {0, 1'024}},
        {"not a number", ClampZoom({NAN, 5}, Disc), Whole},
        {"chart narrower than the minimum", ClampZoom({10, 20}, {500}), {0, 500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectRange(c.Got, c.Expected);
    }
}

TEST(ZoomRange, CaptionStepsOfOneTwoFive)
{
    struct Case { ZoomRange Range; int Most; double Step; };
    const Case cases[] = {
        {{0, 4.5}, 5, 1}, {{1.01, 1.24}, 5, 0.05}, {{0.3, 2.2}, 5, 0.5}, {{0, 900}, 5, 200}, {{3, 3}, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(CaptionStep(c.Range, c.Most), c.Step) << c.Range.Left << ".." << c.Range.Right;
}

TEST(ZoomRange, PanByTenthsWithinTheDisc)
{
    struct Case { const char* Name; ZoomRange View; double Steps; ZoomRange Expected; };
    const Case cases[] = {
        {"a step right", {100'000, 200'000}, 1, {110'000, 210'000}},
        {"two steps left", {100'000, 200'000}, -2, {80'000, 180'000}},
        {"stops at the start", {5'000, 105'000}, -1, {0, 100'000}},
        {"stops at the end", {895'000, 995'000}, 1, {900'000, 1'000'000}},
        {"the whole disc stays", Whole, 3, Whole},
        {"a view beyond the disc is cut to it first", {950'000, 1'050'000}, -1, {945'000, 995'000}},
        {"not a number", {100'000, 200'000}, NAN, {100'000, 200'000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectRange(PanZoom(c.View, c.Steps, Disc), c.Expected);
    }
}

// A zoomed readout gives the plotted sample nearest the pointer's sector,
// of the series asked for, however many columns away.
TEST(ZoomRange, NearestSampleOfASeries)
{
    NearestSamples samples({1000, 2000}, 10); // columns 100 sectors wide
    using enum Series;
    for (const auto& [series, sector, value] : std::vector<std::tuple<Series, double, double>>{
             {WriteSpeed, 1010, 1}, {WriteSpeed, 1049, 2}, {WriteSpeed, 1160, 3}, {WriteSpeed, 1990, 4},
             {WriteBuffer, 1500, 50}, {WriteSpeed, 900, 9}, {WriteSpeed, 2000, 9}})
        samples.Add(series, sector, value);
    const std::vector<std::tuple<Series, double, std::optional<double>>> cases = {
        {WriteSpeed, 1050, 2}, // the one nearest its column's middle
        {WriteSpeed, 1100, 2}, // 1049 is nearer than 1160
        {WriteSpeed, 1140, 3},
        {WriteSpeed, 1300, 3}, // the nearest, a column away
        {WriteSpeed, 1950, 4},
        {WriteBuffer, 1450, 50},
        {WriteRpm, 1050, std::nullopt}, // another series
        {WriteSpeed, 999, std::nullopt}, // outside the view
    };
    for (const auto& [series, sector, value] : cases) {
        SCOPED_TRACE(sector);
        const std::optional<SeriesSample> found = samples.Nearest(series, sector);
        EXPECT_EQ(found ? std::optional(found->Value) : std::nullopt, value);
    }
    // The readout names the series under the pointer by its colour.
    const auto caption = [&](Chart chart, Colour colour, float x) {
        return ZoomedReadoutCaption(chart, static_cast<std::int32_t>(colour), x, samples, U',');
    };
    EXPECT_EQ(caption(Chart::Speed, SeriesColour[0], 1100), "Sector  1049\r\nWrite Speed 2,00");
    EXPECT_EQ(caption(Chart::Percent, SeriesColour[3], 1450), "Sector  1500\r\nWrite Buffer 50,00%");
    EXPECT_EQ(caption(Chart::Speed, SeriesColour[3], 1450), std::nullopt);
    EXPECT_EQ(caption(Chart::Speed, SeriesColour[0], 990), std::nullopt);
}

} // namespace
} // namespace velantro
