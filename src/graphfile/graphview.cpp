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
    DrawEmpty();
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
    shown_ = outcome;
    sizeCaptions_ = options_.Zoom ? GridFor(Scale(), Media().SectorSize, *options_.Zoom).Captions : Scale().SizeCaptions;
}

void GraphView::ShowEmpty()
{
    path_.clear();
    options_.Zoom.reset();
    enabled_.fill(true);
    surfaces_.DrivePanel->Clear();
    surfaces_.InfoValuesPanel->Clear();
    DrawEmpty();
}

// The charts of a view with no file, on the start-up media's scale.
void GraphView::DrawEmpty()
{
    shown_ = LoadOutcome{};
    shown_.Media = StartupMedia;
    shown_.Scale = ScaleFor(StartupMedia);
    sizeCaptions_ = Scale().SizeCaptions;
    DrawSpeedFrame(*surfaces_.SpeedChart, Scale(), Media().SectorSize, std::nullopt);
    DrawPercentFrame(*surfaces_.PercentChart, Scale(), Media().SectorSize, std::nullopt);
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
    return options_.Zoom.value_or(WholeRange({Scale().Width}));
}

bool GraphView::ZoomTo(std::optional<ZoomRange> range)
{
    if (!HasFile())
        return false;
    const ZoomLimits limits{Scale().Width};
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
    return notches != 0 && ZoomTo(velantro::ZoomAround(Range(), x, notches, {Scale().Width}));
}

bool GraphView::ZoomToDrag(float from, float to, double pixels)
{
    if (!IsDragAcross(0, pixels))
        return false;
    return ZoomTo(velantro::ZoomToDrag(Range(), from, to, {Scale().Width}));
}

bool GraphView::Pan(double steps)
{
    return options_.Zoom && steps != 0 && ZoomTo(PanZoom(*options_.Zoom, steps, {Scale().Width}));
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
    if (!AboveScale())
        return std::nullopt;
    return Note{AboveTheScaleText, 1.0 / AboveTheScaleLeftParts, 1.0 / AboveTheScaleTopParts};
}

std::optional<std::string> GraphView::ReadoutAt(Chart chart, float x, float y, char32_t decimalSeparator) const
{
    if (!HasFile())
        return std::nullopt;
    const Surface& surface = ChartSurface(chart);
    // Zoomed, the value of the sample itself; the whole view reads the pointer's height.
    if (options_.Zoom && shown_.Samples)
        return ZoomedReadoutCaption(chart, surface.ColourAt(x, y), x, *shown_.Samples, decimalSeparator);
    return ReadoutCaption(chart, surface.ColourAt(x, y), x, y, Scale().SpeedHeight, decimalSeparator, Scale().RpmTop);
}

ReadoutPlace GraphView::PlaceReadoutBox(Chart chart, float x, float y, float boxWidth, float boxHeight) const
{
    const Surface& surface = ChartSurface(chart);
    // Placed in the chart's own width, whatever sector its left edge shows.
    return PlaceReadout(x - surface.UserLeft(), y, boxWidth, boxHeight, surface.UserWidth(), surface.UserHeight());
}

} // namespace velantro
