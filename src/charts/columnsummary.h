#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace velantro {

// A series' points in one pixel column, in the order the file gives them.
// First and Last keep their X, for the segments to the neighbouring columns.
struct ColumnValues {
    bool Used = false;
    bool Several = false;
    double FirstX = 0;
    double First = 0;
    double Min = 0;
    double Max = 0;
    double LastX = 0;
    double Last = 0;
};

// A straight line in pixels of the plot: whole pixels where the ends lie on
// it, the exact place where they lie far off it.
struct PixelSegment {
    double X1, Y1, X2, Y2;
};

// Values from 0 at the bottom row to Top at the top row of a plot.
struct RowScale {
    double Top = 1;
    int Rows = 1;

    // Never lower for a larger value, so a column's least and greatest
    // values give its lowest and highest rows.
    double Row(double value) const;
};

// A line of any number of points, kept as what one pixel column needs to draw
// it: within a column the drawn points join into one vertical span from the
// least to the greatest value, and each column joins the next with one
// segment from its last point to the next one's first. That draws the same
// pixels as every segment would, as long as X does not go back (the sectors
// of a burn rise). The columns just beside the view are kept too, for pens
// wider than a pixel; points farther out are kept in one slot each side, so
// the lines that leave the view keep their slope.
class ColumnSummary {
public:
    ColumnSummary() = default;
    // The view from left to right over the given number of pixel columns.
    ColumnSummary(double left, double right, int columns);

    void Add(double x, double value);

    int Columns() const { return columns_; }
    double Left() const { return left_; }
    double Right() const { return right_; }
    bool Empty() const { return empty_; }
    // Pixel X of an X value: column c holds [c, c + 1).
    double PixelX(double x) const;

    // The segments that draw the line, in pixels.
    std::vector<PixelSegment> Segments(const RowScale& rows) const;

    // The line's value at an X of the view: the last point of that column,
    // or between the neighbouring columns' points where the column holds
    // none. Nothing outside the line's extent.
    std::optional<double> ValueAt(double x) const;

private:
    // Slot 0 holds the points far left, slot c + 2 column c (-1 to Columns()),
    // the last slot the points far right.
    std::size_t SlotOf(double x) const;
    bool Far(std::size_t slot) const { return slot == 0 || slot + 1 == slots_.size(); }

    double left_ = 0;
    double right_ = 0;
    int columns_ = 0;
    double factor_ = 0;
    bool empty_ = true;
    std::vector<ColumnValues> slots_;
};

// Whole pixels for the places on and near the plot; far places stay exact,
// for the clipping to keep their slope.
double PixelPlace(double v);

// Cuts a segment to a plot of the given size and a margin of two pixels, so
// that places far off it neither overflow a pixel number nor change the
// slope. False when nothing of it is left.
bool ClipSegment(PixelSegment& segment, double width, double height);

} // namespace velantro
