#include "charts/frames.h"

#include "charts/seriescolours.h"
#include "charts/surface.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

namespace velantro {

namespace {

// A step that rounds to 0 would never advance the grid loops.
float GridStep(double step)
{
    const float single = ToSingle(step);
    if (single == 0)
        throw PassFailure("chart too narrow");
    return single;
}

// The user scale of a chart showing the zoom: X from its left edge.
void SetZoomScale(Surface& chart, const ZoomRange& view, float height)
{
    chart.SetUserScale(ToSingle(view.Left), ToSingle(view.Width()), height);
}

} // namespace

void CheckWholeView(const ChartScale& scale)
{
    ToSingle(scale.Width);
    GridStep(scale.Width / 45);
    GridStep(scale.Width / 45 * 5);
}

void DrawSpeedFrame(Surface& chart, const ChartScale& scale, std::int16_t sectorSize,
                    const std::optional<ZoomRange>& zoom)
{
    chart.Clear();
    const auto height = static_cast<float>(scale.SpeedHeight);
    if (zoom) {
        const ZoomRange& view = *zoom;
        SetZoomScale(chart, view, height);
        const float h = height / 25;
        for (float y = h; h > 0 && y <= height; y += h)
            chart.Line(ToSingle(view.Left), y, ToSingle(view.Right), y, GridColour);
        const ZoomGrid grid = GridFor(scale, sectorSize, view);
        for (const float x : grid.Minor)
            chart.Line(x, 0, x, height, GridColour);
        for (const float x : grid.Major)
            chart.Line(x, 0, x, height, MajorGridColour);
        return;
    }
    const float width = ToSingle(scale.Width);
    chart.SetUserScale(0, width, height);

    // Only a window that never drew its start-up frame has no height.
    const float h = height / 25;
    for (float y = h; h > 0 && y <= height; y += h)
        chart.Line(0, y, width, y, GridColour);
    const float w = GridStep(scale.Width / 45);
    for (float x = w; x <= scale.Width; x += w)
        chart.Line(x, 0, x, height, GridColour);
    const float major = GridStep(scale.Width / 45 * 5);
    for (float x = major; x <= scale.Width; x += major)
        chart.Line(x, 0, x, height, MajorGridColour);
}

void DrawPercentFrame(Surface& chart, const ChartScale& scale, std::int16_t sectorSize,
                      const std::optional<ZoomRange>& zoom)
{
    chart.Clear();
    constexpr auto height = static_cast<float>(PercentChartHeight);
    if (zoom) {
        const ZoomRange& view = *zoom;
        SetZoomScale(chart, view, height);
        const float left = ToSingle(view.Left);
        const float right = ToSingle(view.Right);
        const ZoomGrid grid = GridFor(scale, sectorSize, view);
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
    const float width = ToSingle(scale.Width);
    chart.SetUserScale(0, width, height);

    for (float y = 100; y <= height; y += 100)
        chart.Line(0, y, width, y, GridColour);
    const float w = GridStep(scale.Width / 45);
    for (float x = w; x <= width; x += w)
        chart.Line(x, 0, x, height, GridColour);
    for (float y = 200; y <= height; y += 200)
        chart.Line(0, y, width, y, MajorGridColour);
    const float major = GridStep(scale.Width / 45 * 5);
    for (float x = major; x <= width; x += major)
        chart.Line(x, 0, x, height, MajorGridColour);
}

} // namespace velantro
