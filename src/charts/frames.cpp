#include "charts/frames.h"

#include "charts/fitscale.h"
#include "charts/seriescolours.h"
#include "charts/sizeunits.h"
#include "charts/surface.h"
#include "vocabulary/zoomrange.h"
#include "vocabulary/windowcontrols.h"
#include "vocabulary/windowfields.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

#include <cmath>
#include <string_view>
#include <vector>

namespace velantro {

namespace {

struct MediaRow {
    std::string_view Code;
    std::int16_t ChartHeight;
    std::int16_t RpmBase;
    std::int16_t RpmSpan;
    int SpeedStep;
    const char* Unit;
    double ThresholdBytes; // < 0: one width whatever the capacity
    double LowWidthBytes;
    int LowSizeStep;
    double HighWidthBytes;
    int HighSizeStep;
};

// Each width is 4.5 size-label steps: 45 grid divisions, a size label every ten.
constexpr MediaRow MediaTable[] = {
    {"CD", 5000, 200, 300, 4, "MB", -1, 900 * MiB, 200, 0, 0},
    {"DV", 2500, 600, 800, 2, "GB", 4.8 * GiB, 4.5 * GiB, 1, 9 * GiB, 2},
    {"HD", 2500, 1000, 1500, 2, "GB", 19 * GiB, 18 * GiB, 4, 36 * GiB, 8},
    {"BD", 2500, 850, 1250, 2, "GB", 28 * GiB, 27 * GiB, 6, 54 * GiB, 12},
};

const MediaRow* FindRow(const std::string& mediaType)
{
    const std::string_view code = std::string_view(mediaType).substr(0, 2);
    for (const MediaRow& row : MediaTable) {
        if (row.Code == code)
            return &row;
    }
    return nullptr;
}

double DivideBySectorSize(double bytes, std::int16_t sectorSize)
{
    if (sectorSize == 0)
        throw PassFailure("sector size of 0");
    return bytes / sectorSize;
}

// A step that rounds to 0 would never advance the grid loops.
float GridStep(double step)
{
    const float single = ToSingle(step);
    if (single == 0)
        throw PassFailure("chart too narrow");
    return single;
}

// A zoomed view's captions, one on each major line; there are five labels.
constexpr int MostZoomCaptions = 5;

// The vertical lines of a zoomed view: minor ones at a tenth of the caption
// step, major ones with a caption at every step, in the whole view's units.
struct ZoomGrid {
    std::vector<float> Minor;
    std::vector<float> Major;
    std::vector<AxisCaption> Captions;
};

ZoomGrid GridFor(const WindowFields& fields)
{
    ZoomGrid grid;
    const MediaRow* row = FindRow(fields.MediaType);
    const bool megabytes = row && std::string_view(row->Unit) == "MB";
    const double unitSectors = fields.SectorSize > 0 ? (megabytes ? MiB : GiB) / fields.SectorSize : 0;
    if (!fields.Zoom || unitSectors <= 0)
        return grid;
    const ZoomRange view = *fields.Zoom;
    const ZoomRange inUnits{view.Left / unitSectors, view.Right / unitSectors};
    const double step = CaptionStep(inUnits, MostZoomCaptions);
    const double minor = step / 10;
    if (!(minor > 0))
        return grid;
    const double first = std::ceil(inUnits.Left / minor);
    const double last = std::floor(inUnits.Right / minor);
    // Guards against ranges that lost their digits; a sane one has about 50 lines.
    if (!(last - first < 1000))
        return grid;
    for (double k = first; k <= last; ++k) {
        const double x = k * minor * unitSectors;
        grid.Minor.push_back(static_cast<float>(x));
        if (std::fmod(k, 10) != 0)
            continue;
        grid.Major.push_back(static_cast<float>(x));
        grid.Captions.push_back({(x - view.Left) / view.Width(),
                                 CaptionNumber(k / 10 * step) + (megabytes ? "MB" : "GB")});
    }
    return grid;
}

// Scales from 0 to just above the peaks of the samples shown, captioned at
// the places of the media's captions.
void FitScales(WindowFields& fields, WindowControls& controls)
{
    const FitScale speed = FitSpeedScale(fields.PeakSpeed);
    const FitScale rpm = FitRpmScale(fields.PeakRpm);
    fields.SpeedChartHeight = static_cast<std::int16_t>(std::lround(speed.Top * 100));
    fields.RpmTop = rpm.Top;
    for (int i = 1; i <= 12; ++i) {
        controls.SetSpeedAxisCaption(i, CaptionNumber(speed.Step * i) + "x");
        controls.SetRpmAxisCaption(i, TrimBlanks(CaptionNumber(rpm.Step * i / 1000)) + "K");
    }
}

// The zoom cut to the chart; none when that is the whole chart.
void ClampToChart(WindowFields& fields)
{
    if (!fields.Zoom)
        return;
    const ZoomLimits limits{fields.ChartWidth};
    fields.Zoom = ClampZoom(*fields.Zoom, limits);
    if (ShowsWhole(*fields.Zoom, limits))
        fields.Zoom.reset();
}

// The user scale of a chart showing the zoom: X from its left edge.
void SetZoomScale(Surface& chart, const ZoomRange& view)
{
    chart.SetScaleLeft(ToSingle(view.Left));
    chart.SetScaleWidth(ToSingle(view.Width()));
}

} // namespace

void DrawSpeedFrame(WindowFields& fields, WindowControls& controls)
{
    const MediaRow* row = FindRow(fields.MediaType);
    int sizeStep = 0;
    if (row) {
        fields.SpeedChartHeight = row->ChartHeight;
        fields.RpmBase = row->RpmBase;
        fields.RpmSpan = row->RpmSpan;
        if (row->ThresholdBytes < 0) {
            fields.ChartWidth = DivideBySectorSize(row->LowWidthBytes, fields.SectorSize);
            sizeStep = row->LowSizeStep;
        } else {
            const double bytes = fields.SectorSize * fields.MediaCapacity;
            if (!std::isfinite(bytes))
                throw PassFailure("capacity out of range");
            const bool low = row->ThresholdBytes >= bytes;
            fields.ChartWidth =
                DivideBySectorSize(low ? row->LowWidthBytes : row->HighWidthBytes, fields.SectorSize);
            sizeStep = low ? row->LowSizeStep : row->HighSizeStep;
        }
    }
    if (row && fields.RpmTop != 0) {
        // Back from a fitted scale to the media's.
        fields.RpmTop = 0;
        for (int i = 1; i <= 12; ++i)
            controls.SetRpmAxisCaption(i, std::to_string(3 * i) + "K");
    }
    if (fields.FitSpeedScale)
        FitScales(fields, controls);
    if (fields.ChartWidth < fields.MediaCapacity)
        fields.ChartWidth = fields.MediaCapacity;
    if (fields.ChartWidth == 0)
        throw PassFailure("chart of no width");

    ClampToChart(fields);

    Surface& chart = controls.SpeedChart();
    chart.Cls();
    const auto height = static_cast<float>(fields.SpeedChartHeight);
    chart.SetScaleHeight(height);
    if (fields.Zoom) {
        const ZoomRange& view = *fields.Zoom;
        SetZoomScale(chart, view);
        const float h = height / 25;
        for (float y = h; h > 0 && y <= height; y += h)
            chart.Line(ToSingle(view.Left), y, ToSingle(view.Right), y, GridColour);
        const ZoomGrid grid = GridFor(fields);
        for (const float x : grid.Minor)
            chart.Line(x, 0, x, height, GridColour);
        for (const float x : grid.Major)
            chart.Line(x, 0, x, height, MajorGridColour);
        controls.SetZoomCaptions(grid.Captions);
        return;
    }
    chart.SetScaleLeft(0);
    const float width = ToSingle(fields.ChartWidth);
    chart.SetScaleWidth(width);

    // Only a window that never drew its start-up frame has no height.
    const float h = height / 25;
    for (float y = h; h > 0 && y <= height; y += h)
        chart.Line(0, y, width, y, GridColour);
    const float w = GridStep(fields.ChartWidth / 45);
    for (float x = w; x <= fields.ChartWidth; x += w)
        chart.Line(x, 0, x, height, GridColour);
    const float major = GridStep(fields.ChartWidth / 45 * 5);
    for (float x = major; x <= fields.ChartWidth; x += major)
        chart.Line(x, 0, x, height, MajorGridColour);

    // An unknown media type keeps the previous scale, and so its captions.
    controls.SetZoomCaptions({});
    if (!row)
        return;
    if (!fields.FitSpeedScale) {
        for (int i = 1; i <= 12; ++i)
            controls.SetSpeedAxisCaption(i, NumberText(row->SpeedStep * i) + "x");
    }
    for (int i = 1; i <= 4; ++i)
        controls.SetSizeAxisCaption(i, NumberText(sizeStep * i) + row->Unit);
}

void DrawPercentFrame(const WindowFields& fields, WindowControls& controls)
{
    Surface& chart = controls.PercentChart();
    chart.Cls();
    constexpr auto height = static_cast<float>(PercentChartHeight);
    if (fields.Zoom) {
        const ZoomRange& view = *fields.Zoom;
        SetZoomScale(chart, view);
        chart.SetScaleHeight(PercentChartHeight);
        const float left = ToSingle(view.Left);
        const float right = ToSingle(view.Right);
        const ZoomGrid grid = GridFor(fields);
        for (float y = 100; y <= height; y += 100)
            chart.Line(left, y, right, y, GridColour);
        for (const float x : grid.Minor)
            chart.Line(x, 0, x, height, GridColour);
        for (float y = 200; y <= height; y += 200)
            chart.Line(left, y, right, y, MajorGridColour);
        for (const float x : grid.Major)
            chart.Line(x, 0, x, height, MajorGridColour);
        return;
    }
    chart.SetScaleLeft(0);
    const float width = ToSingle(fields.ChartWidth);
    chart.SetScaleWidth(width);
    chart.SetScaleHeight(PercentChartHeight);

    for (float y = 100; y <= height; y += 100)
        chart.Line(0, y, width, y, GridColour);
    const float w = GridStep(fields.ChartWidth / 45);
    for (float x = w; x <= width; x += w)
        chart.Line(x, 0, x, height, GridColour);
    for (float y = 200; y <= height; y += 200)
        chart.Line(0, y, width, y, MajorGridColour);
    const float major = GridStep(fields.ChartWidth / 45 * 5);
    for (float x = major; x <= width; x += major)
        chart.Line(x, 0, x, height, MajorGridColour);
}

} // namespace velantro
