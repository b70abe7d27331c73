#include "compare/compareset.h"

#include "charts/chartscale.h"
#include "graphfile/samplescan.h"
#include "vocabulary/textrules.h"

#include <algorithm>
#include <functional>
#include <new>
#include <system_error>
#include <thread>

namespace velantro {

namespace {

// Percent of a file's data: as narrow as the sector minimum on a large DVD.
constexpr double MinimumZoomShare = 0.05;
constexpr double WholeShare = 100;
constexpr double BufferTop = 100;

bool Wanted(CompareSeries series, GraphSection section)
{
    return (series == CompareSeries::VerifySpeed) == (section == GraphSection::Verify);
}

double ValueOf(CompareSeries series, const PlotPoint& point)
{
    return series == CompareSeries::WriteBuffer ? point.First : point.Speed;
}

void ReadLine(CompareFile& file, CompareSeries series, CompareAxis axis, ZoomRange view, int columns)
{
    try {
        file.Line = ColumnSummary(view.Left, view.Right, columns);
        const bool share = axis == CompareAxis::ShareOfData;
        SampleScan scan;
        if (scan.Open(file.Path)) {
            while (scan.Next()) {
                if (!Wanted(series, scan.Section()))
                    continue;
                const PlotPoint& point = scan.Point();
                file.HasSeries = true;
                file.Line.Add(share ? point.Sector / file.DataSectors * WholeShare : point.Sector,
                              ValueOf(series, point));
            }
        }
        if (scan.HasError())
            file.Error = scan.ErrorString();
    } catch (const std::bad_alloc&) {
        file.Error = "out of memory";
    }
    if (!file.Drawn())
        file.Line = {};
}


} // namespace

void CompareSet::Add(const std::string& path)
{
    CompareFile file;
    file.Path = path;
    files_.push_back(std::move(file));
}

void CompareSet::Remove(std::size_t index)
{
    if (index < files_.size())
        files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t CompareSet::FreeSlots() const
{
    const auto held = std::count_if(files_.begin(), files_.end(), [](const CompareFile& file) {
        return file.Slot >= 0;
    });
    return MaxCompareFiles - std::min<std::size_t>(static_cast<std::size_t>(held), MaxCompareFiles);
}

std::size_t CompareSet::DrawnCount() const
{
    return static_cast<std::size_t>(std::count_if(files_.begin(), files_.end(), [](const CompareFile& file) {
        return file.Drawn();
    }));
}

void CompareSet::Rebuild(CompareSeries series, CompareAxis axis, const ZoomRange& wanted, int columns)
{
    series_ = series;
    axis_ = axis;
    ReadHeaders();
    // A file rejected part-way through, or without the series, may have been
    // the one that set the axis' width: then the others are read again over
    // the narrower axis.
    bool linesRead = false;
    for (;;) {
        SetLimits(linesRead);
        view_ = wanted.Width() > 0 ? ClampZoom(wanted, limits_) : WholeRange(limits_);
        ReadLines(columns);
        linesRead = true;
        const double whole = limits_.Whole;
        SetLimits(true);
        if (limits_.Whole == whole)
            break;
    }
    GiveSlots();
}

void CompareSet::GiveSlots()
{
    for (CompareFile& file : files_) {
        if (!file.Drawn() || file.Slot >= 0)
            continue;
        for (int slot = 0; slot < MaxCompareFiles && file.Slot < 0; ++slot) {
            if (std::none_of(files_.begin(), files_.end(), [&](const CompareFile& other) { return other.Slot == slot; }))
                file.Slot = slot;
        }
        if (file.Slot < 0) {
            file.NoColour = true;
            file.Error = "no colour left: at most " + std::to_string(MaxCompareFiles) + " files are drawn";
            file.Line = {};
        }
    }
}

void CompareSet::ReadHeaders()
{
    for (CompareFile& file : files_) {
        file.Error.clear();
        file.NoColour = false;
        file.Line = {};
        file.HasSeries = false;
        SampleScan scan;
        if (!scan.Open(file.Path)) {
            file.Error = scan.ErrorString();
            continue;
        }
        const GraphHeader& header = scan.Header();
        file.Drive = Cp1252ToUtf8(header.Drive);
        file.MediaId = Cp1252ToUtf8(header.MediaId);
        file.SpeedSelected = header.Block == SpeedBlockKind::Write ? Cp1252ToUtf8(header.SpeedSelected) : "";
        file.Date = Cp1252ToUtf8(header.Date);
        file.ChartWidth = scan.Scale().Width;
        file.DataSectors = scan.Media().DataSectors;
        file.SectorSize = scan.Media().SectorSize;
        file.SpeedChartHeight = scan.Scale().SpeedHeight;
        if (axis_ == CompareAxis::ShareOfData && !(file.DataSectors > 0))
            file.Error = "no data size to take shares of";
    }
}

void CompareSet::SetLimits(bool linesRead)
{
    // With nothing to draw, the empty frame of a freshly started window.
    static const ChartScale startup = ScaleFor(StartupMedia);
    double widest = 0;
    double fastest = 0;
    axisSectorSize_ = StartupMedia.SectorSize;
    for (const CompareFile& file : files_) {
        if (!file.Drawn())
            continue;
        // Before its first reading a file may have the series. A verify-only
        // BD shown with the write speed must not squash the others' lines.
        if (linesRead && !file.HasSeries)
            continue;
        if (file.ChartWidth > widest) {
            widest = file.ChartWidth;
            axisSectorSize_ = file.SectorSize;
        }
        // A CD without a verify section need not halve the DVDs' verify lines.
        if (file.HasSeries)
            fastest = std::max(fastest, static_cast<double>(file.SpeedChartHeight));
    }
    if (axis_ == CompareAxis::Sectors)
        limits_ = {widest > 0 ? widest : startup.Width, MinimumZoomSectors};
    else
        limits_ = {WholeShare, MinimumZoomShare};
    // Speed charts are 100 units to 1x.
    if (series_ == CompareSeries::WriteBuffer)
        top_ = BufferTop;
    else
        top_ = (fastest > 0 ? fastest : startup.SpeedHeight) / 100;
}

void CompareSet::ReadLines(int columns)
{
    // The files have nothing in common: each is read on a thread of its own,
    // into its own summary, and the window waits for them all.
    std::vector<std::thread> readers;
    for (CompareFile& file : files_) {
        if (!file.Drawn())
            continue;
        try {
            readers.emplace_back(ReadLine, std::ref(file), series_, axis_, view_, columns);
        } catch (const std::system_error&) {
            ReadLine(file, series_, axis_, view_, columns);
        }
    }
    for (std::thread& reader : readers)
        reader.join();
}

} // namespace velantro
