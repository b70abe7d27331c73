// What the page's worker calls: the main window's part, without a window.
// Every answer is a JSON text the page shows as it is; the chart pixels are
// read straight from memory.

#include "charts/frames.h"
#include "charts/imagesurface.h"
#include "charts/panning.h"
#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "compare/comparelayout.h"
#include "compare/compareset.h"
#include "compare/compareview.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"
#include "report/reportformats.h"
#include "vocabulary/textrules.h"
#include "vocabulary/windowfields.h"
#include "vocabulary/zoomrange.h"

#include <emscripten/emscripten.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace velantro {

namespace {

// The inner areas of the window's two charts at scale 1, in pixels.
constexpr int ChartWidth = 429;
constexpr int SpeedChartPixels = 397;
constexpr int PercentChartPixels = 157;

// The window's controls: the load pass draws the charts into images and
// leaves the texts for the page.
class PageControls : public HeadlessControls {
public:
    explicit PageControls(int ratio)
        : speed_(ChartWidth, SpeedChartPixels, Rgb(0, 0, 0), ratio),
          percent_(ChartWidth, PercentChartPixels, Rgb(0, 0, 0), ratio)
    {
        percent_.SetScaleHeight(PercentChartHeight);
        enabled_.fill(true);
    }

    Surface& SpeedChart() override { return speed_; }
    Surface& PercentChart() override { return percent_; }
    void SetSeriesEnabled(Series series, bool enabled) override { enabled_[SeriesIndex(series)] = enabled; }
    void SetSpeedAxisCaption(int index, const std::string& caption) override
    {
        speedCaptions_.at(static_cast<std::size_t>(index)) = caption;
    }
    void SetSizeAxisCaption(int index, const std::string& caption) override
    {
        sizeCaptions_.at(static_cast<std::size_t>(index)) = caption;
    }
    void SetZoomCaptions(const std::vector<AxisCaption>& captions) override { zoomCaptions_ = captions; }

    ImageSurface& Chart(int index) { return index == 2 ? percent_ : speed_; }

    nlohmann::json State() const
    {
        nlohmann::json zoom = nlohmann::json::array();
        for (const AxisCaption& caption : zoomCaptions_)
            zoom.push_back({{"centre", caption.Centre}, {"text", caption.Text}});
        return {{"ticked", Shown},
                {"enabled", enabled_},
                {"averaged", AveragedChosen},
                {"blockSize", BlockSizeChosen},
                {"speedCaptions", speedCaptions_},
                {"sizeCaptions", sizeCaptions_},
                {"zoomCaptions", zoom},
                {"drive", TrimBlanks(DriveText())}};
    }

private:
    ImageSurface speed_;
    ImageSurface percent_;
    std::array<bool, SeriesCount> enabled_{};
    // Index 0 of each is unused, as in the window.
    std::array<std::string, 13> speedCaptions_{"", "2x", "4x", "6x", "8x", "10x", "12x",
                                               "14x", "16x", "18x", "20x", "22x", "24x"};
    std::array<std::string, 5> sizeCaptions_{"0", "1GB", "2GB", "3GB", "4GB"};
    std::vector<AxisCaption> zoomCaptions_;
};

struct Page {
    explicit Page(int ratio) : Controls(ratio), Fields(StartupFields())
    {
        DrawSpeedFrame(Fields, Controls);
        DrawPercentFrame(Fields, Controls);
    }

    PageControls Controls;
    WindowFields Fields;
    std::string Rejected; // why the last file was turned away
};

std::unique_ptr<Page> page;

// The comparison the page shows, and the picture of its plot.
struct ComparePage {
    CompareView View;
    std::unique_ptr<ImageSurface> Plot;
    int Ratio = 1;
    std::string Added; // the word for files left out of the last batch
};
std::unique_ptr<ComparePage> compare;

std::string ColourText(Colour colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour));
    return text;
}
std::string answer;

const char* Answer(std::string text)
{
    answer = std::move(text);
    return answer.c_str();
}

const char* Answer(const nlohmann::json& json)
{
    return Answer(json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

nlohmann::json State()
{
    nlohmann::json state = page->Controls.State();
    nlohmann::json values = nlohmann::json::array();
    const bool loaded = !page->Fields.LoadedFilePath.empty();
    for (int i = 0; i < InfoValueCount; ++i)
        values.push_back(loaded ? TrimBlanks(page->Fields.InfoCaptions[static_cast<std::size_t>(i)]) : "");
    state["values"] = values;
    state["captions"] = InfoCaptionTexts;
    state["loaded"] = loaded;
    state["zoomed"] = page->Fields.Zoom.has_value();
    if (page->Fields.Zoom)
        state["zoom"] = {page->Fields.Zoom->Left, page->Fields.Zoom->Right};
    state["rejected"] = page->Rejected;
    nlohmann::json colours = nlohmann::json::array();
    for (const Colour colour : SeriesColour)
        colours.push_back(ColourText(colour));
    state["colours"] = colours;
    for (int chart = 1; chart <= 2; ++chart) {
        ImageSurface& image = page->Controls.Chart(chart);
        state[chart == 1 ? "speed" : "percent"] = {
            {"width", image.ImageWidth()},
            {"height", image.ImageHeight()},
            {"pixels", reinterpret_cast<std::uintptr_t>(image.Bits().data())}};
    }
    return state;
}

// Reads the file again with the options as they stand.
void Plot()
{
    Page& p = *page;
    if (p.Fields.GraphFilePath.empty())
        return;
    const LoadOutcome outcome = LoadGraphFile(p.Fields, p.Controls);
    p.Rejected = outcome.Loaded ? "" : outcome.Reason;
}

ZoomRange ChartRange()
{
    return page->Fields.Zoom.value_or(WholeRange({page->Fields.ChartWidth}));
}

void ZoomCharts(std::optional<ZoomRange> range)
{
    WindowFields& fields = page->Fields;
    if (fields.GraphFilePath.empty())
        return;
    const ZoomLimits limits{fields.ChartWidth};
    if (range && ShowsWhole(ClampZoom(*range, limits), limits))
        range.reset();
    if (range == fields.Zoom)
        return;
    fields.Zoom = range;
    Plot();
}

// The user X under a pointer at x logical pixels from the chart's left edge.
float UserX(double x)
{
    const ImageSurface& chart = page->Controls.Chart(1);
    return static_cast<float>(chart.ScaleLeft() + x * chart.ScaleWidth() / ChartWidth);
}

// The comparison as the page shows it: the plot's pixels and its texts.
const char* CompareAnswer()
{
    if (!compare)
        return Answer(nlohmann::json());
    const CompareView& view = compare->View;
    const int width = view.PlotWidth();
    const int height = view.PlotHeight();
    compare->Plot = std::make_unique<ImageSurface>(width, height, CompareBackground);
    compare->Plot->SetPenWidth(compare->Ratio);
    view.Draw(*compare->Plot);
    const CompareAxes axes = view.Axes();
    nlohmann::json xTicks = nlohmann::json::array();
    for (const CompareTick& tick : axes.X)
        xTicks.push_back({{"centre", static_cast<double>(tick.Pixel) / width}, {"text", tick.Text}});
    nlohmann::json yTicks = nlohmann::json::array();
    for (const CompareTick& tick : axes.Y)
        yTicks.push_back({{"centre", static_cast<double>(tick.Pixel) / height}, {"text", tick.Text}});
    nlohmann::json legend = nlohmann::json::array();
    const DateFormat date = [](const std::string& text) { return HeadlessControls().GeneralDate(text); };
    for (const CompareLegendEntry& entry : view.Legend(date))
        legend.push_back({{"text", entry.Text}, {"colour", ColourText(entry.Ink)}});
    nlohmann::json rejected = nlohmann::json::array();
    for (const CompareFile& file : view.Set().Files()) {
        if (!file.Drawn())
            rejected.push_back({{"name", CompareFileName(file)}, {"reason", file.Error}});
    }
    const ZoomRange& shown = view.Set().View();
    return Answer(nlohmann::json{
        {"plot",
         {{"width", width},
          {"height", height},
          {"pixels", reinterpret_cast<std::uintptr_t>(compare->Plot->Bits().data())}}},
        {"title", axes.Title},
        {"xTitle", axes.XTitle},
        {"yTitle", axes.YTitle},
        {"xTicks", xTicks},
        {"yTicks", yTicks},
        {"legend", legend},
        {"rejected", rejected},
        {"added", compare->Added},
        {"zoomed", view.Zoomed()},
        {"range", {shown.Left, shown.Right}}});
}

} // namespace

} // namespace velantro

using namespace velantro;

extern "C" {

// A fresh window at a device pixel ratio; the state as start-up shows it.
EMSCRIPTEN_KEEPALIVE const char* velantro_start(int ratio)
{
    page = std::make_unique<Page>(ratio < 1 ? 1 : ratio);
    return Answer(State());
}

// Opens a file on the whole disc; one that fails leaves the view as it was.
EMSCRIPTEN_KEEPALIVE const char* velantro_open(const char* path)
{
    WindowFields& fields = page->Fields;
    const std::optional<ZoomRange> shown = std::exchange(fields.Zoom, std::nullopt);
    fields.GraphFilePath = path;
    const LoadOutcome outcome = LoadGraphFile(fields, page->Controls);
    page->Rejected = outcome.Loaded ? "" : outcome.Reason;
    if (!outcome.Loaded)
        fields.Zoom = shown;
    nlohmann::json state = State();
    if (!outcome.Loaded)
        state["message"] = {{"title", FileErrorTitle}, {"text", FileErrorText}};
    return Answer(state);
}

// The options as the user set them; shown holds a bit a series, in the boxes' order.
EMSCRIPTEN_KEEPALIVE const char* velantro_options(int averaged, int blockSize, int shown)
{
    PageControls& controls = page->Controls;
    controls.AveragedChosen = averaged != 0;
    controls.BlockSizeChosen = blockSize;
    for (const Series series : AllSeries)
        controls.Shown[SeriesIndex(series)] = ((shown >> SeriesIndex(series)) & 1) != 0;
    Plot();
    return Answer(State());
}

// Wheel notches at x logical pixels, forward positive.
EMSCRIPTEN_KEEPALIVE const char* velantro_wheel(double x, double notches)
{
    ZoomCharts(ZoomAround(ChartRange(), UserX(x), notches, {page->Fields.ChartWidth}));
    return Answer(State());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_drag(double from, double to)
{
    if (std::abs(to - from) >= LeastDragPixels)
        ZoomCharts(ZoomToDrag(ChartRange(), UserX(from), UserX(to), {page->Fields.ChartWidth}));
    return Answer(State());
}

// Pan steps as the window takes them from Left, Right and the wheel along
// the disc: positive towards its end; a view of the whole disc stays.
EMSCRIPTEN_KEEPALIVE const char* velantro_pan(double steps)
{
    if (page->Fields.Zoom)
        ZoomCharts(PanZoom(*page->Fields.Zoom, steps, {page->Fields.ChartWidth}));
    return Answer(State());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_whole()
{
    ZoomCharts(std::nullopt);
    return Answer(State());
}

// The readout at a pointer on a chart (1 speed, 2 percent), in logical pixels.
EMSCRIPTEN_KEEPALIVE const char* velantro_readout(int chart, double x, double y)
{
    ImageSurface& image = page->Controls.Chart(chart);
    const float userX = UserX(x);
    const auto userY = static_cast<float>(y * image.ScaleHeight() / (chart == 1 ? SpeedChartPixels : PercentChartPixels));
    const auto caption = ReadoutCaption(chart == 1 ? Chart::Speed : Chart::Percent, image.Point(userX, userY), userX,
                                        userY, page->Fields.SpeedChartHeight, U'.');
    return Answer(caption ? nlohmann::json(*caption) : nlohmann::json());
}

// The burn report of a file as --report gives it: "text", "json" or "csv".
EMSCRIPTEN_KEEPALIVE const char* velantro_report(const char* path, const char* format)
{
    const BurnReport report = ReadBurnReport(path, [](const std::string& text) { return text; });
    return Answer(ReportDocument(report, format));
}

// The files' lines over one axis, as --compare draws them; paths is a JSON
// array of the files' paths, which stay readable while they are compared.
// The series and the axis as velantro_compare_choose takes them.
EMSCRIPTEN_KEEPALIVE const char* velantro_compare(const char* paths, int series, int axis, int ratio)
{
    compare = std::make_unique<ComparePage>();
    compare->Ratio = ratio < 1 ? 1 : ratio;
    CompareView& view = compare->View;
    view.SetPlot(CompareShownWidth * compare->Ratio, CompareShownHeight * compare->Ratio, compare->Ratio);
    view.SetSeries(static_cast<CompareSeries>(std::clamp(series, 0, 2)));
    view.SetAxis(axis == 1 ? CompareAxis::ShareOfData : CompareAxis::Sectors);
    std::vector<std::string> files;
    const nlohmann::json names = nlohmann::json::parse(paths, nullptr, false);
    for (const nlohmann::json& path : names.is_array() ? names : nlohmann::json::array()) {
        if (path.is_string())
            files.push_back(path.get<std::string>());
    }
    compare->Added = CompareAddedText(view.Add(files));
    return CompareAnswer();
}

// The series (0 write speed, 1 verify speed, 2 write buffer) and the axis
// (0 sectors, 1 share of each file's data).
EMSCRIPTEN_KEEPALIVE const char* velantro_compare_choose(int series, int axis)
{
    if (!compare)
        return Answer(nlohmann::json());
    compare->View.SetSeries(static_cast<CompareSeries>(std::clamp(series, 0, 2)));
    compare->View.SetAxis(axis == 1 ? CompareAxis::ShareOfData : CompareAxis::Sectors);
    compare->View.Rebuild();
    return CompareAnswer();
}

// Wheel notches at x logical pixels from the plot's left, forward positive.
EMSCRIPTEN_KEEPALIVE const char* velantro_compare_wheel(double x, double notches)
{
    if (compare)
        compare->View.Wheel(x * compare->Ratio, notches);
    return CompareAnswer();
}

EMSCRIPTEN_KEEPALIVE const char* velantro_compare_drag(double from, double to)
{
    if (compare)
        compare->View.Drag(from * compare->Ratio, to * compare->Ratio);
    return CompareAnswer();
}

// Pan steps towards the end of the axis, from Left, Right or the wheel along it.
EMSCRIPTEN_KEEPALIVE const char* velantro_compare_pan(double steps)
{
    if (compare)
        compare->View.Pan(steps);
    return CompareAnswer();
}

EMSCRIPTEN_KEEPALIVE const char* velantro_compare_whole()
{
    if (compare)
        compare->View.ShowWhole();
    return CompareAnswer();
}

// The readout at a point of the plot in logical pixels; null outside it.
EMSCRIPTEN_KEEPALIVE const char* velantro_compare_readout(double x, double y)
{
    const std::optional<CompareReadout> readout =
        compare ? compare->View.ReadoutAt(x * compare->Ratio, y * compare->Ratio, U'.') : std::nullopt;
    if (!readout)
        return Answer(nlohmann::json());
    nlohmann::json values = nlohmann::json::array();
    for (const CompareReadoutValue& value : readout->Values)
        values.push_back({{"colour", ColourText(value.Ink)}, {"name", value.Name}, {"value", value.Value}});
    return Answer(nlohmann::json{{"place", readout->Place}, {"values", values}});
}

} // extern "C"
