#include "report/dipfinder.h"

#include <algorithm>

namespace velantro {

// The window's speeds stay sorted: the one leaving makes room for the one
// coming. Ranks are counted rather than searched, which costs no guesses,
// and the few speeds between the two move by one.
void DipFinder::Slide(double speed)
{
    double* sorted = sorted_.data();
    long below = 0;
    if (count_ < DipWindow) {
        for (long i = 0; i < count_; ++i)
            below += sorted[i] < speed;
        for (long i = count_; i > below; --i)
            sorted[i] = sorted[i - 1];
        sorted[below] = speed;
        return;
    }
    const double leaving = At(count_ - DipWindow).Speed;
    long gone = 0;
    for (long i = 0; i < DipWindow; ++i) {
        below += sorted[i] < speed;
        gone += sorted[i] < leaving;
    }
    if (below > gone) {
        for (long i = gone; i < below - 1; ++i)
            sorted[i] = sorted[i + 1];
        sorted[below - 1] = speed;
    } else {
        for (long i = gone; i > below; --i)
            sorted[i] = sorted[i - 1];
        sorted[below] = speed;
    }
}

void DipFinder::Add(double sector, double speed)
{
    Slide(speed);
    Entry& entry = At(count_);
    entry = {sector, speed, 0};
    if (count_ >= DipWindow - 1)
        entry.Median = sorted_[DipWindow / 2];
    ++count_;
    hasSmoothed_ = count_ > 2 * DipWindow;
    if (hasSmoothed_)
        Judge(count_ - 1 - DipWindow);
}

void DipFinder::Judge(long index)
{
    judged_ = index;
    const Entry& entry = At(index);
    const double before = At(index - 1).Median;
    const double after = At(index + DipWindow).Median;
    smoothedSector_ = entry.Sector;
    smoothedSpeed_ = std::max(before, after);
    if (open_) {
        if (entry.Speed < DipThreshold * current_.ExpectedSpeed) {
            Extend(index);
            return;
        }
        Close();
    }
    const double level = std::min(before, after);
    if (!(level > 0 && entry.Speed < DipThreshold * level))
        return;
    open_ = true;
    current_ = {entry.Sector, entry.Sector, entry.Speed, level};
    currentEnd_ = index;
    // The first low samples of a longer dip sit beside lows in their window;
    // the dip takes them in from where it was first seen.
    for (long before = index - 1; before > lastEnd_ && before >= index - DipWindow; --before) {
        const Entry& earlier = At(before);
        if (!(earlier.Speed < DipThreshold * level))
            break;
        current_.StartSector = earlier.Sector;
        current_.LowestSpeed = std::min(current_.LowestSpeed, earlier.Speed);
    }
}

void DipFinder::Extend(long index)
{
    const Entry& entry = At(index);
    current_.EndSector = entry.Sector;
    current_.LowestSpeed = std::min(current_.LowestSpeed, entry.Speed);
    currentEnd_ = index;
}

void DipFinder::Close()
{
    dips_.Push(current_);
    lastEnd_ = currentEnd_;
    open_ = false;
}

void DipFinder::Finish()
{
    for (long index = judged_ + 1; open_ && index < count_; ++index) {
        if (At(index).Speed < DipThreshold * current_.ExpectedSpeed)
            Extend(index);
        else
            Close();
    }
    // Still low at the end: a ramp down, not a dip.
    open_ = false;
    count_ = 0;
    judged_ = -1;
    lastEnd_ = -1;
    hasSmoothed_ = false;
}

} // namespace velantro
