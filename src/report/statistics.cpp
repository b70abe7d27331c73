#include "report/statistics.h"

namespace velantro {

void ValueStats::Add(double sector, double value)
{
    if (count_ == 0) {
        first_ = min_ = max_ = value;
        minSector_ = maxSector_ = sector;
    } else if (value < min_) {
        min_ = value;
        minSector_ = sector;
    } else if (value > max_) {
        max_ = value;
        maxSector_ = sector;
    }
    last_ = value;
    sum_ += value;
    ++count_;
}

void RunsBelow::Add(double sector, double value)
{
    if (value >= threshold_) {
        Finish();
        return;
    }
    if (!open_) {
        open_ = true;
        current_ = {sector, sector, value};
    }
    current_.EndSector = sector;
    if (value < current_.Lowest)
        current_.Lowest = value;
}

void RunsBelow::Finish()
{
    if (open_)
        runs_.Push(current_);
    open_ = false;
}

} // namespace velantro
