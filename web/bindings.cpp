// What the page's worker calls: the main window's part, without a window.
// Every answer is a JSON text the page shows as it is; the chart pixels are
// read straight from memory.

#include "charts/chartlayout.h"
#include "graphfile/infopanel.h"
#include "vocabulary/twips.h"
#include "charts/imagesurface.h"
#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "compare/comparelayout.h"
#include "compare/compareset.h"
#include "compare/compareview.h"
#include "graphfile/headless.h"
#include "graphfile/graphview.h"
#include "report/reportformats.h"
#include "vocabulary/textrules.h"
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

// The page's charts: the window's inner chart areas as images, the text
// panels kept by the view itself.
struct Page {
    explicit Page(int ratio)
        : Speed(ChartPixelWidth, SpeedChartPixelHeight, Rgb(0, 0, 0), ratio),
          Percent(ChartPixelWidth, PercentChartPixelHeight, Rgb(0, 0, 0), ratio),
          View({&Speed, &Percent, &Panels.DrivePanel, &Panels.InfoValuesPanel})
    {
    }

    ImageSurface Speed;
    ImageSurface Percent;
    DiscardSurfaces Panels;
    GraphView View;
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

nlohmann::json Captions(const std::vector<AxisCaption>& captions)
{
    nlohmann::json list = nlohmann::json::array();
    for (const AxisCaption& caption : captions)
        list.push_back({{"centre", caption.Centre}, {"text", caption.Text}});
    return list;
}

nlohmann::json State()
{
    const GraphView& view = page->View;
    const ViewOptions& options = view.Options();
    nlohmann::json values = nlohmann::json::array();
    for (const std::string& value : view.InfoValues())
        values.push_back(TrimBlanks(value));
    nlohmann::json state = {{"ticked", options.Shown},
                            {"enabled", view.Enabled()},
                            {"averaged", options.Averaged},
                            {"blockSize", options.BlockSize},
                            {"fit", options.Fit},
                            {"speedCaptions", view.Scale().SpeedCaptions},
                            {"rpmCaptions", view.Scale().RpmCaptions},
                            {"sizeCaptions", Captions(view.SizeCaptions())},
                            {"drive", TrimBlanks(view.Drive())},
                            {"values", values},
                            {"captions", InfoCaptionTexts},
                            {"loaded", view.HasFile()},
                            {"zoomed", view.Zoom().has_value()},
                            {"rejected", page->Rejected},
                            {"passes", view.Passes()}};
    state["fileNote"] = view.DecimalComma() ? DecimalCommaText : "";
    if (view.Zoom())
        state["zoom"] = {view.Zoom()->Left, view.Zoom()->Right};
    if (const auto note = view.AboveScaleNote())
        state["note"] = {
            {"text", note->Text}, {"left", note->Left}, {"top", note->Top}, {"colour", ColourText(AboveTheScaleColour)}};
    nlohmann::json colours = nlohmann::json::array();
    for (const Colour colour : SeriesColour)
        colours.push_back(ColourText(colour));
    state["colours"] = colours;
    for (ImageSurface* image : {&page->Speed, &page->Percent}) {
        state[image == &page->Speed ? "speed" : "percent"] = {
            {"width", image->ImageWidth()},
            {"height", image->ImageHeight()},
            {"pixels", reinterpret_cast<std::uintptr_t>(image->Bits().data())}};
    }
    return state;
}

// A pass's outcome as the page shows it: a rejection names its reason.
const char* Answer(const LoadOutcome& outcome)
{
    if (outcome.Loaded)
        page->Rejected.clear();
    else if (!outcome.Reason.empty())
        page->Rejected = outcome.Reason;
    nlohmann::json state = State();
    if (!outcome.Loaded && !outcome.Reason.empty())
        state["message"] = {{"title", FileErrorTitle}, {"text", FileErrorText}};
    return Answer(state);
}

Chart ChartOf(int index)
{
    return index == 2 ? Chart::Percent : Chart::Speed;
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
    const DateFormatter date = [](const std::string& text) { return text; };
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
    return Answer(page->View.Open(path));
}

// The options as the user set them; shown holds a bit a series, in the boxes' order.
EMSCRIPTEN_KEEPALIVE const char* velantro_options(int averaged, int blockSize, int shown, int fit)
{
    ViewOptions options = page->View.Options();
    options.Averaged = averaged != 0;
    options.BlockSize = blockSize;
    options.Fit = fit != 0;
    for (const Series series : AllSeries)
        options.Shown[SeriesIndex(series)] = ((shown >> SeriesIndex(series)) & 1) != 0;
    return Answer(page->View.SetOptions(options));
}

// Positions are shares of a chart's width or height from its left or top edge.

// Wheel notches at x, forward positive.
EMSCRIPTEN_KEEPALIVE const char* velantro_wheel(double x, double notches)
{
    GraphView& view = page->View;
    view.ZoomAround(view.UserX(Chart::Speed, x), notches);
    return Answer(view.Last());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_drag(double from, double to)
{
    GraphView& view = page->View;
    view.ZoomToDrag(view.UserX(Chart::Speed, from), view.UserX(Chart::Speed, to), (to - from) * ChartPixelWidth);
    return Answer(view.Last());
}

// Pan steps as the window takes them from Left, Right and the wheel along
// the disc: positive towards its end; a view of the whole disc stays.
EMSCRIPTEN_KEEPALIVE const char* velantro_pan(double steps)
{
    page->View.Pan(steps);
    return Answer(page->View.Last());
}

// Touch: fingers spread `factor` times apart about x; a slide along the
// disc by a share of the chart's width.
EMSCRIPTEN_KEEPALIVE const char* velantro_pinch(double x, double factor)
{
    GraphView& view = page->View;
    view.Pinch(view.UserX(Chart::Speed, x), factor);
    return Answer(view.Last());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_slide(double share)
{
    page->View.Slide(share);
    return Answer(page->View.Last());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_whole()
{
    page->View.ZoomTo(std::nullopt);
    return Answer(page->View.Last());
}

// The readout at a pointer on a chart (1 speed, 2 percent), and where a box
// of the given size goes beside it.
EMSCRIPTEN_KEEPALIVE const char* velantro_readout(int chart, double x, double y, double boxWidth, double boxHeight)
{
    const GraphView& view = page->View;
    const Chart kind = ChartOf(chart);
    const ImageSurface& image = kind == Chart::Speed ? page->Speed : page->Percent;
    const float userX = view.UserX(kind, x), userY = view.UserY(kind, y);
    const std::optional<std::string> caption = view.ReadoutAt(kind, userX, userY, U'.');
    if (!caption)
        return Answer(nlohmann::json());
    const ReadoutPlace place = view.PlaceReadoutBox(kind, userX, userY, static_cast<float>(boxWidth * image.UserWidth()),
                                                    static_cast<float>(boxHeight * image.UserHeight()));
    return Answer(nlohmann::json{{"caption", *caption},
                                 {"left", place.Left / image.UserWidth()},
                                 {"top", place.Top / image.UserHeight()}});
}

// The picture of the charts as the window lays them out, in pixels of its
// client area at scale 1: the charts' inner areas, every caption beside them
// with the box it is centred in, and the text panels' boxes and rows.
EMSCRIPTEN_KEEPALIVE const char* velantro_picture()
{
    const GraphView& view = page->View;
    const auto box = [](const TwipsBox& b, int inset = 0) {
        return nlohmann::json{{"left", TwipsToPixels(b.Left) + inset},
                              {"top", TwipsToPixels(b.Top) + inset},
                              {"width", TwipsToPixels(b.Width) - 2 * inset},
                              {"height", TwipsToPixels(b.Height) - 2 * inset}};
    };
    const auto inGroup = [&](const TwipsBox& b) {
        return box({FileInfoGroupBox.Left + b.Left, FileInfoGroupBox.Top + b.Top, b.Width, b.Height});
    };
    nlohmann::json captions = nlohmann::json::array();
    for (const PlacedCaption& caption :
         ChartCaptionPlaces(view.Scale(), view.SizeCaptions(), view.SizeCaptionsAtLayout()))
        captions.push_back({{"text", caption.Text},
                            {"left", caption.Left},
                            {"top", caption.Top},
                            {"width", caption.Width},
                            {"height", caption.Height}});
    return Answer(nlohmann::json{
        {"width", TwipsToPixels(ClientWidthTwips)},
        {"height", TwipsToPixels(ClientHeightTwips)},
        {"speed", box(SpeedChartBox, ChartBorderPixels)},
        {"percent", box(PercentChartBox, ChartBorderPixels)},
        {"drive", box(DriveBox)},
        {"infoCaptions", inGroup(InfoCaptionsBox)},
        {"infoValues", inGroup(InfoValuesBox)},
        {"rowHeight", TwipsToPixels(static_cast<int>(InfoRowTwips))},
        {"captions", captions}});
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
