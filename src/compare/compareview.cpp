#include "compare/compareview.h"

#include "charts/columnsummary.h"
#include "charts/panning.h"
#include "charts/readout.h"
#include "charts/sizeunits.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace velantro {

namespace {

// The same file under two names is one file: the device and inode say so.
std::optional<std::pair<dev_t, ino_t>> Identity(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return std::pair{status.st_dev, status.st_ino};
}

std::string Counted(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string CompareFileName(const CompareFile& file)
{
    return file.Path.substr(file.Path.find_last_of('/') + 1);
}

std::string CompareAddedText(const CompareAdded& added)
{
    std::string text;
    if (added.NoRoom > 0)
        text = "At most " + std::to_string(MaxCompareFiles) + " graph files can be compared: " +
               Counted(added.NoRoom, "of them was", "of them were") + " not added.";
    if (const std::size_t twice = added.Duplicates.size(); twice > 0) {
        if (!text.empty())
            text += "\n";
        text += Counted(twice, "file is", "files are") + " already compared and " + (twice == 1 ? "was" : "were") +
                " not added again.";
    }
    return text;
}

CompareAdded CompareView::Add(const std::vector<std::string>& paths)
{
    CompareAdded added;
    std::vector<std::pair<dev_t, ino_t>> known;
    for (const CompareFile& file : set_.Files()) {
        if (const auto identity = Identity(file.Path))
            known.push_back(*identity);
    }
    const std::size_t before = set_.Files().size();
    for (const std::string& path : paths) {
        const auto identity = Identity(path);
        if (identity && std::find(known.begin(), known.end(), *identity) != known.end()) {
            added.Duplicates.push_back(path);
            continue;
        }
        if (identity)
            known.push_back(*identity);
        set_.Add(path);
    }
    if (set_.Files().size() == before)
        return added;
    Rebuild();
    // Files read whole but left without a colour are not kept: the axis is
    // read again without them.
    for (std::size_t i = set_.Files().size(); i-- > before;) {
        const CompareFile& file = set_.Files()[i];
        if (file.NoColour) {
            ++added.NoRoom;
            set_.Remove(i);
        } else if (file.Drawn()) {
            ++added.Drawn;
        } else {
            ++added.Unreadable;
        }
    }
    if (added.NoRoom > 0)
        Rebuild();
    return added;
}

void CompareView::Remove(std::size_t index)
{
    if (index >= set_.Files().size())
        return;
    set_.Remove(index);
    Rebuild();
}

void CompareView::SetPlot(int width, int height, double ratio)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    ratio_ = ratio > 0 ? ratio : 1;
}

void CompareView::SetSeries(CompareSeries series)
{
    series_ = series;
}

void CompareView::SetAxis(CompareAxis axis)
{
    if (axis != axis_)
        wanted_ = {};
    axis_ = axis;
}

void CompareView::Rebuild()
{
    set_.Rebuild(series_, axis_, wanted_, width_);
    if (Zoomed())
        wanted_ = ShowsWhole(set_.View(), set_.Limits()) ? ZoomRange{} : set_.View();
}

double CompareView::AxisPlace(double x) const
{
    const ZoomRange& view = set_.View();
    return view.Left + (std::floor(x) + 0.5) / width_ * view.Width();
}

bool CompareView::ZoomTo(const ZoomRange& range)
{
    const ZoomRange clamped = ClampZoom(range, set_.Limits());
    const ZoomRange wanted = ShowsWhole(clamped, set_.Limits()) ? ZoomRange{} : clamped;
    if (wanted == wanted_)
        return false;
    wanted_ = wanted;
    Rebuild();
    return true;
}

bool CompareView::Wheel(double x, double notches)
{
    return notches != 0 && ZoomTo(ZoomAround(set_.View(), AxisPlace(x), notches, set_.Limits()));
}

bool CompareView::IsDrag(double from, double to) const
{
    return IsDragAcross(from / ratio_, to / ratio_);
}

bool CompareView::Drag(double from, double to)
{
    if (!IsDrag(from, to))
        return false;
    return ZoomTo(ZoomToDrag(set_.View(), AxisPlace(from), AxisPlace(to), set_.Limits()));
}

bool CompareView::Pan(double steps)
{
    return Zoomed() && ZoomTo(PanZoom(set_.View(), steps, set_.Limits()));
}

bool CompareView::ShowWhole()
{
    return ZoomTo(WholeRange(set_.Limits()));
}

CompareAxes CompareView::Axes() const
{
    return CompareAxesOf(set_, width_, height_, ratio_);
}

std::vector<CompareLegendEntry> CompareView::Legend(const DateFormatter& date) const
{
    std::vector<CompareLegendEntry> entries;
    for (std::size_t i = 0; i < set_.Files().size(); ++i) {
        const CompareFile& file = set_.Files()[i];
        if (file.Drawn())
            entries.push_back({i, CompareColour(file.Slot),
                               CompareEntryText(set_, file, CompareFileName(file), date(file.Date))});
    }
    return entries;
}

std::string CompareView::ValueText(double value, char32_t decimalSeparator) const
{
    return FixedTwo(value, decimalSeparator) + (set_.Series() == CompareSeries::WriteBuffer ? "%" : "x");
}

std::string CompareView::PlaceText(double place, char32_t decimalSeparator) const
{
    if (set_.Axis() == CompareAxis::ShareOfData)
        return FixedTwo(place, decimalSeparator) + "% of the data";
    const double sector = std::floor(place);
    return "Sector " + std::to_string(static_cast<long long>(sector)) + " (" +
           SizeText(sector * CompareSectorSize(set_), CompareSectorUnit(set_)) + ")";
}

std::optional<CompareReadout> CompareView::ReadoutAt(double x, double y, char32_t decimalSeparator) const
{
    if (!(x >= 0 && x < width_ && y >= 0 && y < height_) || set_.DrawnCount() == 0)
        return std::nullopt;
    const double place = AxisPlace(x);
    CompareReadout readout{PlaceText(place, decimalSeparator), {}};
    for (std::size_t i = 0; i < set_.Files().size(); ++i) {
        const CompareFile& file = set_.Files()[i];
        const std::optional<double> value = file.Drawn() ? file.Line.ValueAt(place) : std::nullopt;
        if (value)
            readout.Values.push_back(
                {i, CompareColour(file.Slot), CompareFileName(file), ValueText(*value, decimalSeparator)});
    }
    return readout;
}

void CompareView::Draw(Surface& plot) const
{
    plot.Clear();
    plot.SetUserScale(0, static_cast<float>(width_), static_cast<float>(height_));
    const auto line = [&plot](double x1, double y1, double x2, double y2, Colour colour) {
        plot.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2),
                  colour);
    };
    const CompareAxes axes = Axes();
    for (const CompareTick& tick : axes.X)
        line(tick.Pixel, 0, tick.Pixel, height_ - 1, CompareGrid);
    for (const CompareTick& tick : axes.Y)
        line(0, tick.Pixel, width_ - 1, tick.Pixel, CompareGrid);
    const RowScale rows{set_.Top(), height_};
    for (const CompareFile& file : set_.Files()) {
        if (!file.Drawn())
            continue;
        for (PixelSegment segment : file.Line.Segments(rows)) {
            if (ClipSegment(segment, width_, height_))
                line(std::floor(segment.X1), std::floor(segment.Y1), std::floor(segment.X2), std::floor(segment.Y2),
                     CompareColour(file.Slot));
        }
    }
}

} // namespace velantro
