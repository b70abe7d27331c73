#include "charts/columnsummary.h"

#include "charts/clipline.h"

#include <algorithm>
#include <cmath>

namespace velantro {

double RowScale::Row(double value) const
{
    // Rounded to the nearest row by the floor in PixelPlace.
    return (Top - value) / Top * (Rows - 1) + 0.5;
}

double PixelPlace(double v)
{
    return std::abs(v) < 1e6 ? std::floor(v) : v;
}

bool ClipSegment(PixelSegment& s, double width, double height)
{
    if (!std::isfinite(s.X1) || !std::isfinite(s.Y1) || !std::isfinite(s.X2) || !std::isfinite(s.Y2))
        return false;
    return ClipLine(s.X1, s.Y1, s.X2, s.Y2, -2, -2, width + 2, height + 2);
}

ColumnSummary::ColumnSummary(double left, double right, int columns)
    : left_(left),
      right_(right),
      columns_(std::max(columns, 1)),
      factor_(right > left ? columns_ / (right - left) : 0),
      slots_(static_cast<std::size_t>(columns_) + 4)
{
}

double ColumnSummary::PixelX(double x) const
{
    return (x - left_) * factor_;
}

std::size_t ColumnSummary::SlotOf(double x) const
{
    const double p = PixelX(x);
    if (!(p >= -1))
        return 0;
    if (p >= columns_ + 1)
        return slots_.size() - 1;
    return static_cast<std::size_t>(std::floor(p) + 2);
}

void ColumnSummary::Add(double x, double value)
{
    ColumnValues& slot = slots_[SlotOf(x)];
    if (!slot.Used) {
        slot = {true, false, x, value, value, value, x, value};
    } else {
        slot.Several = true;
        slot.Min = std::min(slot.Min, value);
        slot.Max = std::max(slot.Max, value);
        slot.LastX = x;
        slot.Last = value;
    }
    empty_ = false;
}

std::vector<PixelSegment> ColumnSummary::Segments(const RowScale& rows) const
{
    std::vector<PixelSegment> segments;
    const ColumnValues* previous = nullptr;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const ColumnValues& slot = slots_[i];
        if (!slot.Used)
            continue;
        const double firstX = PixelPlace(PixelX(slot.FirstX));
        const double firstY = PixelPlace(rows.Row(slot.First));
        if (previous)
            segments.push_back({PixelPlace(PixelX(previous->LastX)), PixelPlace(rows.Row(previous->Last)), firstX,
                                firstY});
        // A lone point is drawn only as an end of its segments, except the
        // line's first, which the pass joins to itself.
        if (!Far(i) && (slot.Several || !previous)) {
            const double column = static_cast<double>(i) - 2;
            segments.push_back({column, PixelPlace(rows.Row(slot.Max)), column, PixelPlace(rows.Row(slot.Min))});
        }
        previous = &slot;
    }
    return segments;
}

std::optional<double> ColumnSummary::ValueAt(double x) const
{
    const double p = PixelX(x);
    if (!(p >= 0 && p < columns_))
        return std::nullopt;
    const std::size_t at = SlotOf(x);
    if (slots_[at].Used)
        return slots_[at].Last;
    const ColumnValues* before = nullptr;
    for (std::size_t i = at; i-- > 0;) {
        if (slots_[i].Used) {
            before = &slots_[i];
            break;
        }
    }
    const ColumnValues* after = nullptr;
    for (std::size_t i = at + 1; i < slots_.size(); ++i) {
        if (slots_[i].Used) {
            after = &slots_[i];
            break;
        }
    }
    if (!before || !after)
        return std::nullopt;
    const double span = after->FirstX - before->LastX;
    if (!(span > 0))
        return before->Last;
    return before->Last + (after->First - before->Last) * ((x - before->LastX) / span);
}

} // namespace velantro
