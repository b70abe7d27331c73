#include "report/dipfinder.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace velantro {

namespace {

// Two speeds at a time (GCC and Clang vectors: plain SSE2 on amd64); a
// comparison gives a mask, and choosing by it takes no branch.
using SpeedPair = double __attribute__((vector_size(16)));

} // namespace

// The window's speeds stay sorted. The one leaving is taken out: from its
// place on, each place takes the speed after it. The one coming goes in
// before the first speed not below it: from there on, each place takes the
// speed before it. Every place is chosen by comparisons alone, with nothing
// to guess or count; the two sentinels at the end never move.
void DipFinder::Slide(double speed)
{
    double* sorted = sorted_.data();
    if (count_ < DipWindow) {
        long below = 0;
        for (long i = 0; i < count_; ++i)
            below += sorted[i] < speed;
        for (long i = count_; i > below; --i)
            sorted[i] = sorted[i - 1];
        sorted[below] = speed;
        return;
    }
    constexpr std::size_t pairs = SortedSize / 2;
    const double leaving = At(count_ - DipWindow).Speed;
    const SpeedPair coming = {speed, speed};
    const SpeedPair going = {leaving, leaving};
    SpeedPair window[pairs];
    // Before the first place: below every speed, as the reader's are numbers.
    SpeedPair previous = {0, -std::numeric_limits<double>::infinity()};
    for (std::size_t k = 0; k < pairs; ++k) {
        SpeedPair here;
        SpeedPair next;
        std::memcpy(&here, sorted + 2 * k, sizeof here);
        std::memcpy(&next, sorted + 2 * k + 1, sizeof next);
        const SpeedPair rest = here < going ? here : next;
        const SpeedPair before = {previous[1], rest[0]};
        window[k] = rest < coming ? rest : before < coming ? coming : before;
        previous = rest;
    }
    std::memcpy(sorted, window, sizeof window);
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
    if (level > 0 && entry.Speed < DipThreshold * level)
        Open(index, level);
}

void DipFinder::Open(long index, double level)
{
    const Entry& entry = At(index);
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
