#pragma once

#include "charts/readout.h"
#include "graphfile/loadpass.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velantro {

// The chart areas of the window as laid out at scale 1, in pixels.
inline constexpr int ChartPixelWidth = 429;
inline constexpr int SpeedChartPixelHeight = 397;
inline constexpr int PercentChartPixelHeight = 157;

// One graph file as the charts show it: which file, how (the options), and
// every rule of viewing it: the scales, zoom, pan and drag, the readouts and
// the captions. It draws onto the surfaces it is given and answers
// questions; the window, the commands and the page only ask and paint.
class GraphView {
public:
    // Draws the empty charts of a view with no file.
    explicit GraphView(const ViewSurfaces& surfaces, DateFormatter generalDate = {});

    // A file on the whole disc; a new one with every series ticked but the
    // hidden ones.
    LoadOutcome Open(const std::string& path, const std::set<Series>& hidden = {});
    // A file with exactly these options. A file that fails leaves the view
    // on the file it showed before, drawn again whole, or empty.
    LoadOutcome Show(const std::string& path, const ViewOptions& options);
    // The file shown, drawn again with the options as they stand.
    LoadOutcome Replot();

    // Option changes re-plot the file shown; without one they only take note.
    LoadOutcome SetAveraged(bool averaged);
    LoadOutcome SetBlockSize(int blockSize);
    LoadOutcome SetSeriesShown(Series series, bool shown);
    LoadOutcome SetFit(bool fitted);
    // All of them at once, in one pass.
    LoadOutcome SetOptions(const ViewOptions& options);

    // Zoom and pan, each re-plotting when the range changes; false when it
    // did not (no file, or the same range).
    bool ZoomTo(std::optional<ZoomRange> range);
    bool ZoomAround(float x, double notches);
    // A drag between two user X positions, `pixels` apart on screen.
    bool ZoomToDrag(float from, float to, double pixels);
    bool Pan(double steps);
    // Touch: a pinch that spread the fingers `factor` times apart zooms as
    // that many times wider a view would; a slide moves the view by a share
    // of its width.
    bool Pinch(float x, double factor);
    bool Slide(double share);
    // What the last pass found, or why it failed.
    const LoadOutcome& Last() const { return last_; }
    // Passes run so far: what a face saves by joining steps into one.
    long Passes() const { return passes_; }

    bool HasFile() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    const ViewOptions& Options() const { return options_; }
    const MediaFacts& Media() const { return shown_.Media; }
    const ChartScale& Scale() const { return shown_.Scale; }
    std::optional<ZoomRange> Zoom() const { return options_.Zoom; }
    // The sectors the charts show now.
    ZoomRange Range() const;
    const std::array<bool, SeriesCount>& Enabled() const { return enabled_; }
    const std::array<std::string, InfoValueCount>& InfoValues() const { return shown_.InfoValues; }
    const std::string& Drive() const { return shown_.Drive; }
    bool AboveScale() const { return shown_.AboveScale; }
    bool DecimalComma() const { return shown_.DecimalComma; }

    // The size captions under the charts: the whole disc's, or the zoomed
    // view's; AtLayout when they stand at the window's five fixed places.
    const std::vector<AxisCaption>& SizeCaptions() const { return sizeCaptions_; }
    bool SizeCaptionsAtLayout() const { return !options_.Zoom && shown_.Scale.SizeCaptionsAtLayout; }

    // The user X or Y at a share of a chart's width or height from its left
    // or top edge: for faces that know where the pointer is, not the scale.
    float UserX(Chart chart, double share) const;
    float UserY(Chart chart, double share) const;

    // The note a chart shows when every sample lies above its scale, and its
    // place as shares of the speed chart's width and height.
    struct Note {
        std::string Text;
        double Left = 0;
        double Top = 0;
    };
    std::optional<Note> AboveScaleNote() const;

    // The readout at a pointer in a chart's user scale: the colour under it
    // on the whole disc, the nearest plotted sample when zoomed.
    std::optional<std::string> ReadoutAt(Chart chart, float x, float y, char32_t decimalSeparator) const;
    // Where a readout box of that size (user units) goes beside the pointer.
    ReadoutPlace PlaceReadoutBox(Chart chart, float x, float y, float boxWidth, float boxHeight) const;

private:
    LoadOutcome Draw(const std::string& path, const ViewOptions& options);
    void Commit(const std::string& path, const ViewOptions& options, const LoadOutcome& outcome);
    void ShowEmpty();
    void DrawEmpty();
    Surface& ChartSurface(Chart chart) const;

    ViewSurfaces surfaces_;
    DateFormatter generalDate_;
    std::string path_;
    ViewOptions options_;
    std::array<bool, SeriesCount> enabled_{true, true, true, true, true, true, true};
    std::vector<AxisCaption> sizeCaptions_;
    // What the pass of the file shown found; the empty charts' scale without one.
    LoadOutcome shown_;
    LoadOutcome last_;
    long passes_ = 0;
};

} // namespace velantro
