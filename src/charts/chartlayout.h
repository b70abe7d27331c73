#pragma once

#include "charts/chartscale.h"

#include <string>
#include <vector>

namespace velantro {

// The window as designed on a 96-dpi screen, in twips: where the charts, the
// text panels and the captions beside the charts stand in its client area.
// The window lays itself out with it, and the page composes its picture of
// the charts with it.
struct TwipsBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

inline constexpr int ClientWidthTwips = 10575;
inline constexpr int ClientHeightTwips = 8895;
inline constexpr TwipsBox SpeedChartBox{3720, 120, 6495, 6015};
inline constexpr TwipsBox PercentChartBox{3720, 6360, 6495, 2415};
// Inside the info group, which stands at (120, 120).
inline constexpr TwipsBox FileInfoGroupBox{120, 120, 3255, 5775};
inline constexpr TwipsBox InfoCaptionsBox{120, 720, 1215, 4935};
inline constexpr TwipsBox InfoValuesBox{1320, 720, 1815, 4935};
inline constexpr TwipsBox DriveBox{240, 480, 3015, 375};
// The sunken border around each chart's picture, in pixels.
inline constexpr int ChartBorderPixels = 2;

inline constexpr int AxisLabelHeight = 255;
inline constexpr int SideAxisWidth = 375;
inline constexpr int SpeedAxisLeft = 3360;
inline constexpr int RpmAxisLeft = 10200;
inline constexpr int SpeedAxisTops[13] = {0, 5520, 5040, 4560, 4080, 3600, 3120, 2650, 2170, 1690, 1210, 745, 265};
inline constexpr int SizeAxisLefts[5] = {3540, 4800, 6240, 7680, 9120};
inline constexpr int SizeAxisTop = 6120;
constexpr int SizeAxisWidth(int index)
{
    return index == 0 ? 375 : 735;
}
inline constexpr int PercentAxisTops[5] = {8640, 8185, 7705, 7240, 6760};
inline constexpr const char* PercentCaptions[5] = {"0%", "20%", "40%", "60%", "80%"};

// A caption and the box it is centred in, in pixels of the client area.
struct PlacedCaption {
    std::string Text;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The size captions' boxes: at the layout's five places, or each centred on
// its place along the speed chart's inner width, kept within the client.
std::vector<PlacedCaption> SizeCaptionPlaces(const std::vector<AxisCaption>& captions, bool atLayout);

// Every caption beside the charts as the window shows them: speed and RPM
// from the bottom, the sizes, the percents on both sides.
std::vector<PlacedCaption> ChartCaptionPlaces(const ChartScale& scale, const std::vector<AxisCaption>& sizes,
                                              bool atLayout);

} // namespace velantro
