#include "report/dipfinder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velantro {

namespace {

// Two speeds at a time (GCC and Clang vectors: plain SSE2 on amd64), so that
// counting ranks takes no branch; a comparison gives -1 where it holds.
using SpeedPair = double __attribute__((vector_size(16)));
using RankPair = std::int64_t __attribute__((vector_size(16)));

} // namespace

// The window's speeds stay sorted: the one leaving makes room for the one
// coming, and the speeds between the two move by one toward the gap. Ranks
// are counted and every place is rewritten, which costs no guesses.
void DipFinder::Slide(double speed)
{
    double* sorted = sorted_.data() + 1;
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
    RankPair belowPair = {0, 0};
    RankPair gonePair = {0, 0};
    for (std::size_t k = 0; k < pairs; ++k) {
        SpeedPair pair;
        std::memcpy(&pair, sorted + 2 * k, sizeof pair);
        belowPair += pair < coming;
        gonePair += pair < going;
    }
    const auto below = -(belowPair[0] + belowPair[1]);
    const auto gone = -(gonePair[0] + gonePair[1]);
    // Which way the speeds between move is not guessed either: the stretch
    // from first to last takes its neighbours' speeds, and where that takes in
    // the new speed's place, the new speed is written last. Places are
    // doubles, which SSE2 compares two at a time, unlike 64-bit integers.
    const bool up = below > gone;
    const long at = below - up;
    const auto first = static_cast<double>(std::min(gone, below + 1));
    const auto last = static_cast<double>(std::max(below - 2, gone));
    const double* neighbour = sorted + 2 * static_cast<long>(up) - 1;
    const SpeedPair from = {first, first};
    const SpeedPair to = {last, last};
    SpeedPair window[pairs];
    for (std::size_t k = 0; k < pairs; ++k) {
        const SpeedPair index = {static_cast<double>(2 * k), static_cast<double>(2 * k + 1)};
        SpeedPair kept;
        SpeedPair moved;
        std::memcpy(&kept, sorted + 2 * k, sizeof kept);
        std::memcpy(&moved, neighbour + 2 * k, sizeof moved);
        const RankPair stretch = (index >= from) & (index <= to);
        window[k] = stretch ? moved : kept;
    }
    std::memcpy(sorted, window, sizeof window);
    sorted[at] = speed;
}

void DipFinder::Add(double sector, double speed)
{
    Slide(speed);
    Entry& entry = At(count_);
    entry = {sector, speed, 0};
    if (count_ >= DipWindow - 1)
        entry.Median = sorted_[1 + DipWindow / 2];
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
