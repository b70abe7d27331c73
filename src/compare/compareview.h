#pragma once

#include "charts/surface.h"
#include "compare/comparelayout.h"
#include "compare/compareset.h"
#include "vocabulary/infocaptions.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velantro {

// The plot's size in logical pixels where a face lays out nothing of its own
// (the page): as wide as that of --compare.
inline constexpr int CompareShownWidth = 880;
inline constexpr int CompareShownHeight = 420;

// What adding a batch of files came to, for the word the face says.
struct CompareAdded {
    std::size_t Drawn = 0;      // new lines on the chart
    std::size_t Unreadable = 0; // listed with their reason, no colour taken
    std::vector<std::string> Duplicates; // already compared (same device and inode)
    std::size_t NoRoom = 0;     // readable, but every colour was held
};

// The word for what was left out of a batch; empty when nothing was.
std::string CompareAddedText(const CompareAdded& added);

// One line of the readout: a file's value at the place, in its colour.
struct CompareReadoutValue {
    std::size_t File;
    Colour Ink;
    std::string Name;
    std::string Value;
};

struct CompareReadout {
    std::string Place;
    std::vector<CompareReadoutValue> Values;
};

struct CompareLegendEntry {
    std::size_t File;
    Colour Ink;
    std::string Text;
};

// The date as the face's locale writes it.

// A comparison as every face shows it: the window, --compare and the page
// hand it sizes, clicks and wheel notches, and paint what it draws and says.
// Places on the plot are device pixels from its top left corner.
class CompareView {
public:
    // Adds the files in order as long as colours are free; a file already in
    // the comparison is refused, one that cannot be read is listed with its
    // reason and takes no colour. Reads the files again.
    CompareAdded Add(const std::vector<std::string>& paths);
    void Remove(std::size_t index);

    // The plot's size in device pixels, and the ratio to logical ones (the
    // room a caption or a drag needs is logical).
    void SetPlot(int width, int height, double ratio);
    int PlotWidth() const { return width_; }
    int PlotHeight() const { return height_; }
    void SetSeries(CompareSeries series);
    // Sectors and shares are different axes: a zoom of one means nothing on the other.
    void SetAxis(CompareAxis axis);
    // The stretch to show, cut to the axis when the files are read.
    void SetRange(const ZoomRange& range) { wanted_ = range; }
    // Reads every file again for the choices, the zoom and the plot's width.
    void Rebuild();

    const CompareSet& Set() const { return set_; }
    bool Zoomed() const { return wanted_.Width() > 0; }

    // The place on the axis in the middle of the pixel column under x.
    double AxisPlace(double x) const;
    // Each returns whether the view changed (and the lines were read again).
    bool Wheel(double x, double notches);
    // A drag from and to x, ignored when shorter than a drag.
    bool Drag(double from, double to);
    // Pan steps towards the end of the axis; the whole axis stays.
    bool Pan(double steps);
    bool ShowWhole();
    bool ZoomTo(const ZoomRange& range);
    // Whether a press that moved from one x to another is a drag.
    bool IsDrag(double from, double to) const;

    CompareAxes Axes() const;
    std::vector<CompareLegendEntry> Legend(const DateFormatter& date) const;
    // Nothing outside the plot or with no file drawn.
    std::optional<CompareReadout> ReadoutAt(double x, double y, char32_t decimalSeparator) const;
    // The place under x as the readout writes it.
    std::string PlaceText(double place, char32_t decimalSeparator) const;
    std::string ValueText(double value, char32_t decimalSeparator) const;

    // The grid and the files' lines onto a surface of the plot's pixels,
    // whose pen is one screen pixel wide.
    void Draw(Surface& plot) const;

private:
    CompareSet set_;
    CompareSeries series_ = CompareSeries::WriteSpeed;
    CompareAxis axis_ = CompareAxis::Sectors;
    // The stretch asked for; empty for the whole axis.
    ZoomRange wanted_;
    int width_ = 1;
    int height_ = 1;
    double ratio_ = 1;
};

// The file's name without its folder, as the legend and the readout name it.
std::string CompareFileName(const CompareFile& file);

} // namespace velantro
