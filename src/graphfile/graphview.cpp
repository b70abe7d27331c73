#include "graphfile/graphview.h"

#include "charts/frames.h"
#include "charts/panning.h"
#include "charts/surface.h"

#include <cmath>
#include <utility>

namespace velantro {

namespace {

std::array<bool, SeriesCount> EnabledFor(DataPresent sections)
{
    std::array<bool, SeriesCount> enabled{};
    for (const Series series : AllSeries) {
        const bool write = IsWriteSeries(series);
        enabled[SeriesIndex(series)] = write ? sections == DataPresent::Both || sections == DataPresent::WriteOnly
                                             : sections == DataPresent::Both || sections == DataPresent::VerifyOnly;
    }
    return enabled;
}

} // namespace

GraphView::GraphView(const ViewSurfaces& surfaces, DateFormatter generalDate)
    : surfaces_(surfaces), generalDate_(std::move(generalDate))
{
    scale_ = ScaleFor(media_);
    sizeCaptions_ = scale_.SizeCaptions;
    DrawSpeedFrame(*surfaces_.SpeedChart, scale_, media_.SectorSize, std::nullopt);
    DrawPercentFrame(*surfaces_.PercentChart, scale_, media_.SectorSize, std::nullopt);
}

LoadOutcome GraphView::Open(const std::string& path, const std::set<Series>& hidden)
{
    ViewOptions options = options_;
    // The file shown, opened again, keeps its ticks.
    if (path != path_) {
        for (const Series series : AllSeries)
            options.Shown[SeriesIndex(series)] = hidden.count(series) == 0;
    }
    options.Zoom.reset();
    return Show(path, options);
}

LoadOutcome GraphView::Show(const std::string& path, const ViewOptions& options)
{
    LoadOutcome outcome = Draw(path, options);
    if (outcome.Loaded) {
        Commit(path, options, outcome);
        return outcome;
    }
    // One file on show at a time: the one before, whole, or none.
    if (HasFile() && path != path_) {
        const LoadOutcome previous = Draw(path_, options_);
        if (previous.Loaded) {
            Commit(path_, options_, previous);
            return outcome;
        }
    }
    ShowEmpty();
    return outcome;
}

LoadOutcome GraphView::Replot()
{
    return HasFile() ? Show(path_, options_) : LoadOutcome{};
}

LoadOutcome GraphView::Draw(const std::string& path, const ViewOptions& options)
{
    ++passes_;
    last_ = LoadGraphFile(path, options, surfaces_, generalDate_);
    return last_;
}

void GraphView::Commit(const std::string& path, const ViewOptions& options, const LoadOutcome& outcome)
{
    if (path != path_)
        enabled_ = EnabledFor(outcome.Sections);
    path_ = path;
    options_ = options;
    options_.Zoom = outcome.Zoom;
    media_ = outcome.Media;
    scale_ = outcome.Scale;
    infoValues_ = outcome.InfoValues;
    drive_ = outcome.Drive;
    aboveScale_ = outcome.AboveScale;
    decimalComma_ = outcome.DecimalComma;
    samples_ = outcome.Samples;
    sizeCaptions_ = options_.Zoom ? GridFor(scale_, media_.SectorSize, *options_.Zoom).Captions : scale_.SizeCaptions;
}

void GraphView::ShowEmpty()
{
    path_.clear();
    options_.Zoom.reset();
    media_ = StartupMedia;
    scale_ = ScaleFor(media_);
    sizeCaptions_ = scale_.SizeCaptions;
    enabled_.fill(true);
    infoValues_ = {};
    drive_.clear();
    aboveScale_ = false;
    decimalComma_ = false;
    samples_.reset();
    surfaces_.DrivePanel->Clear();
    surfaces_.InfoValuesPanel->Clear();
    DrawSpeedFrame(*surfaces_.SpeedChart, scale_, media_.SectorSize, std::nullopt);
    DrawPercentFrame(*surfaces_.PercentChart, scale_, media_.SectorSize, std::nullopt);
}

LoadOutcome GraphView::SetAveraged(bool averaged)
{
    ViewOptions options = options_;
    options.Averaged = averaged;
    return SetOptions(options);
}

LoadOutcome GraphView::SetBlockSize(int blockSize)
{
    ViewOptions options = options_;
    options.BlockSize = blockSize;
    return SetOptions(options);
}

LoadOutcome GraphView::SetSeriesShown(Series series, bool shown)
{
    ViewOptions options = options_;
    options.Shown[SeriesIndex(series)] = shown;
    return SetOptions(options);
}

LoadOutcome GraphView::SetFit(bool fitted)
{
    ViewOptions options = options_;
    options.Fit = fitted;
    return SetOptions(options);
}

LoadOutcome GraphView::SetOptions(const ViewOptions& options)
{
    if (HasFile())
        return Show(path_, options);
    options_ = options;
    return {};
}

ZoomRange GraphView::Range() const
{
    return options_.Zoom.value_or(WholeRange({scale_.Width}));
}

bool GraphView::ZoomTo(std::optional<ZoomRange> range)
{
    if (!HasFile())
        return false;
    const ZoomLimits limits{scale_.Width};
    if (range && ShowsWhole(ClampZoom(*range, limits), limits))
        range.reset();
    if (range == options_.Zoom)
        return false;
    ViewOptions options = options_;
    options.Zoom = range;
    Show(path_, options);
    return true;
}

bool GraphView::ZoomAround(float x, double notches)
{
    return notches != 0 && ZoomTo(velantro::ZoomAround(Range(), x, notches, {scale_.Width}));
}

bool GraphView::ZoomToDrag(float from, float to, double pixels)
{
    if (!IsDragAcross(0, pixels))
        return false;
    return ZoomTo(velantro::ZoomToDrag(Range(), from, to, {scale_.Width}));
}

bool GraphView::Pan(double steps)
{
    return options_.Zoom && steps != 0 && ZoomTo(PanZoom(*options_.Zoom, steps, {scale_.Width}));
}

bool GraphView::Pinch(float x, double factor)
{
    // A notch doubles or halves the width shown.
    return factor > 0 && std::isfinite(factor) && ZoomAround(x, std::log2(factor));
}

bool GraphView::Slide(double share)
{
    return Pan(share / PanStepShare);
}

Surface& GraphView::ChartSurface(Chart chart) const
{
    return chart == Chart::Speed ? *surfaces_.SpeedChart : *surfaces_.PercentChart;
}

float GraphView::UserX(Chart chart, double share) const
{
    const Surface& surface = ChartSurface(chart);
    return static_cast<float>(surface.UserLeft() + share * surface.UserWidth());
}

float GraphView::UserY(Chart chart, double share) const
{
    return static_cast<float>(share * ChartSurface(chart).UserHeight());
}

std::optional<GraphView::Note> GraphView::AboveScaleNote() const
{
    // Where the speed chart prints it: a fiftieth in, halfway down.
    if (!aboveScale_)
        return std::nullopt;
    return Note{AboveTheScaleText, 1.0 / 50, 0.5};
}

std::optional<std::string> GraphView::ReadoutAt(Chart chart, float x, float y, char32_t decimalSeparator) const
{
    if (!HasFile())
        return std::nullopt;
    const Surface& surface = ChartSurface(chart);
    // Zoomed, the value of the sample itself; the whole view reads the pointer's height.
    if (options_.Zoom && samples_)
        return ZoomedReadoutCaption(chart, surface.ColourAt(x, y), x, *samples_, decimalSeparator);
    return ReadoutCaption(chart, surface.ColourAt(x, y), x, y, scale_.SpeedHeight, decimalSeparator, scale_.RpmTop);
}

ReadoutPlace GraphView::PlaceReadoutBox(Chart chart, float x, float y, float boxWidth, float boxHeight) const
{
    const Surface& surface = ChartSurface(chart);
    // Placed in the chart's own width, whatever sector its left edge shows.
    return PlaceReadout(x - surface.UserLeft(), y, boxWidth, boxHeight, surface.UserWidth(), surface.UserHeight());
}

} // namespace velantro
