#pragma once

#include "charts/surface.h"
#include "compare/compareset.h"

#include <string>
#include <vector>

namespace velantro {

// What the compare picture shows, whoever draws it: the window and --compare
// with their painter, the page on its canvas and in its text.

// Okabe-Ito without its yellow, the pale ones darkened to stand out from the
// white background at 3:1 or more, and a dark grey.
inline constexpr Colour ComparePalette[MaxCompareFiles] = {
    Rgb(0, 114, 178), Rgb(213, 94, 0),  Rgb(0, 158, 115),  Rgb(195, 110, 160),
    Rgb(0, 0, 0),     Rgb(190, 130, 0), Rgb(60, 150, 200), Rgb(100, 100, 100),
};
inline constexpr Colour CompareBackground = Rgb(255, 255, 255);
inline constexpr Colour CompareGrid = Rgb(224, 224, 224);
inline constexpr Colour CompareFrame = Rgb(128, 128, 128);
inline constexpr Colour CompareInk = Rgb(32, 32, 32);

// The colour of a file's slot (CompareFile::Slot).
Colour CompareColour(int slot);

// Captions of the sector axis in MB or GB, as the main window writes them.
struct CompareUnit {
    double PerUnit; // axis units (sectors or percent) per caption unit
    std::string Name;
};
CompareUnit CompareUnitOf(const CompareSet& set);
// Bytes per sector of the axis' captions.
double CompareSectorSize(const CompareSet& set);
// "MB" or "GB", as the main charts caption the widest file.
std::string_view CompareSectorUnit(const CompareSet& set);

// A grid line and its caption, in device pixels from the plot's left or top.
struct CompareTick {
    int Pixel;
    std::string Text;
};

struct CompareAxes {
    std::vector<CompareTick> X;
    std::vector<CompareTick> Y;
    std::string XTitle;
    std::string YTitle;
    std::string Title;
};

// The grid and captions of a plot of the given device pixels, at the device
// pixel ratio (the room a caption needs is in logical pixels).
CompareAxes CompareAxesOf(const CompareSet& set, int plotWidth, int plotHeight, double ratio);

// The legend entry: the file's name, drive, media ID, selected speed and the
// date as the locale writes it.
std::string CompareLegendText(const CompareFile& file, const std::string& fileName, const std::string& date);
// The same, and what the file lacks of the series drawn.
std::string CompareEntryText(const CompareSet& set, const CompareFile& file, const std::string& fileName,
                             const std::string& date);

} // namespace velantro
