#include "charts/chartlayout.h"

#include "vocabulary/twips.h"

#include <algorithm>
#include <cmath>

namespace velantro {

namespace {

PlacedCaption Place(const std::string& text, int left, int top, int width)
{
    return {text, TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(AxisLabelHeight)};
}

} // namespace

std::vector<PlacedCaption> SizeCaptionPlaces(const std::vector<AxisCaption>& captions, bool atLayout)
{
    std::vector<PlacedCaption> placed;
    const int innerLeft = TwipsToPixels(SpeedChartBox.Left) + ChartBorderPixels;
    const int innerWidth = TwipsToPixels(SpeedChartBox.Width) - 2 * ChartBorderPixels;
    const int width = TwipsToPixels(SizeAxisWidth(1));
    const int clientWidth = TwipsToPixels(ClientWidthTwips);
    for (std::size_t i = 0; i < captions.size() && i < 5; ++i) {
        if (atLayout) {
            placed.push_back(Place(captions[i].Text, SizeAxisLefts[i], SizeAxisTop, SizeAxisWidth(static_cast<int>(i))));
            continue;
        }
        const int centre = innerLeft + static_cast<int>(std::lround(captions[i].Centre * innerWidth));
        placed.push_back({captions[i].Text, std::clamp(centre - width / 2, 0, clientWidth - width),
                          TwipsToPixels(SizeAxisTop), width, TwipsToPixels(AxisLabelHeight)});
    }
    return placed;
}

std::vector<PlacedCaption> ChartCaptionPlaces(const ChartScale& scale, const std::vector<AxisCaption>& sizes,
                                              bool atLayout)
{
    std::vector<PlacedCaption> placed;
    for (std::size_t i = 1; i <= 12; ++i) {
        placed.push_back(Place(scale.SpeedCaptions[i], SpeedAxisLeft, SpeedAxisTops[i], SideAxisWidth));
        placed.push_back(Place(scale.RpmCaptions[i], RpmAxisLeft, SpeedAxisTops[i], SideAxisWidth));
    }
    for (const PlacedCaption& size : SizeCaptionPlaces(sizes, atLayout))
        placed.push_back(size);
    for (std::size_t i = 0; i < 5; ++i) {
        placed.push_back(Place(PercentCaptions[i], SpeedAxisLeft, PercentAxisTops[i], SideAxisWidth));
        placed.push_back(Place(PercentCaptions[i], RpmAxisLeft, PercentAxisTops[i], SideAxisWidth));
    }
    return placed;
}

} // namespace velantro
