#include "compare/comparelayout.h"

#include "charts/readout.h"
#include "charts/sizeunits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velantro {

namespace {

constexpr int MostXCaptions = 10;
constexpr int MostYCaptions = 13;
// Room for a caption of "4.5GB" and a gap on a narrow plot, in logical pixels.
constexpr int XCaptionRoom = 64;

// A caption number: no noise digits, "." as the main window's captions have.
std::string Number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

std::string Trimmed(const std::string& text)
{
    const auto blank = [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && blank(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

std::string SeriesTitle(CompareSeries series)
{
    switch (series) {
    case CompareSeries::WriteSpeed:
        return "Write Speed";
    case CompareSeries::VerifySpeed:
        return "Verify Speed";
    case CompareSeries::WriteBuffer:
        break;
    }
    return "Write Buffer";
}

} // namespace

Colour CompareColour(int slot)
{
    return ComparePalette[static_cast<std::size_t>(std::clamp(slot, 0, MaxCompareFiles - 1))];
}

double CompareSectorSize(const CompareSet& set)
{
    return set.AxisSectorSize() > 0 ? set.AxisSectorSize() : 2048;
}

std::string_view CompareSectorUnit(const CompareSet& set)
{
    return SizeUnitFor({}, set.Limits().Whole * CompareSectorSize(set));
}

CompareUnit CompareUnitOf(const CompareSet& set)
{
    if (set.Axis() == CompareAxis::ShareOfData)
        return {1, "%"};
    const bool gigabytes = CompareSectorUnit(set) == "GB";
    return {(gigabytes ? GiB : MiB) / CompareSectorSize(set), gigabytes ? "GB" : "MB"};
}

CompareAxes CompareAxesOf(const CompareSet& set, int plotWidth, int plotHeight, double ratio)
{
    CompareAxes axes;
    const CompareUnit unit = CompareUnitOf(set);
    const ZoomRange& view = set.View();
    const ColumnSummary columns(view.Left, view.Right, plotWidth);
    const RowScale rows{set.Top(), plotHeight};
    const std::string suffix = set.Series() == CompareSeries::WriteBuffer ? "%" : "x";

    const int mostX = std::clamp(static_cast<int>(plotWidth / ratio / XCaptionRoom), 2, MostXCaptions);
    const double xStep = CaptionStep({view.Left / unit.PerUnit, view.Right / unit.PerUnit}, mostX);
    for (double k = std::ceil(view.Left / unit.PerUnit / xStep); xStep > 0 && k * xStep <= view.Right / unit.PerUnit;
         ++k) {
        const double value = k * xStep;
        axes.X.push_back({static_cast<int>(PixelPlace(columns.PixelX(value * unit.PerUnit))),
                          value == 0 && set.Axis() == CompareAxis::Sectors ? "0" : Number(value) + unit.Name});
    }
    const double yStep = CaptionStep({0, set.Top()}, MostYCaptions);
    for (double k = 0; yStep > 0 && k * yStep <= set.Top(); ++k)
        axes.Y.push_back({static_cast<int>(PixelPlace(rows.Row(k * yStep))), Number(k * yStep) + suffix});

    axes.XTitle = set.Axis() == CompareAxis::Sectors ? "Sectors on the disc, as data size (" + unit.Name + ")"
                                                     : "Share of each file's data (%)";
    axes.YTitle = set.Series() == CompareSeries::WriteBuffer ? "Buffer (%)" : "Speed (x)";
    axes.Title = SeriesTitle(set.Series());
    return axes;
}

std::string CompareLegendText(const CompareFile& file, const std::string& fileName, const std::string& date)
{
    std::string parts;
    for (const std::string& part : {file.Drive, file.MediaId, file.SpeedSelected, date}) {
        const std::string text = Trimmed(part);
        if (text.empty())
            continue;
        if (!parts.empty())
            parts += ", ";
        parts += text;
    }
    return fileName + ": " + parts;
}

std::string CompareEntryText(const CompareSet& set, const CompareFile& file, const std::string& fileName,
                             const std::string& date)
{
    std::string text = CompareLegendText(file, fileName, date);
    if (file.Line.Empty())
        text += set.Series() == CompareSeries::VerifySpeed ? " (no verify samples)" : " (no write samples)";
    return text;
}

} // namespace velantro
