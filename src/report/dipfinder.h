#pragma once

#include "report/statistics.h"

#include <array>
#include <cstddef>
#include <limits>

namespace velantro {

// Samples on each side of a sample that give its local level: long enough
// that a short dip cannot pull their median down, short enough to follow the
// rise of a CAV burn.
constexpr int DipWindow = 15;
// A drive that stays above 80 % of its local level is only jittering.
constexpr double DipThreshold = 0.8;

struct Dip {
    double StartSector = 0;
    double EndSector = 0;
    double LowestSpeed = 0;
    double ExpectedSpeed = 0;
};

// Finds the places where the speed falls clearly below its local level for
// a short while and comes back. The level of a sample is the smaller of the
// medians of the DipWindow samples before and after it, so ramps and the
// steps between zones never count; a sample below DipThreshold times its
// level starts a dip, which takes in its neighbours as far as they stay below
// DipThreshold times that level. A dip that has not come back when its
// stretch ends is dropped. Holds 2 * DipWindow + 1 samples.
class DipFinder {
public:
    void Add(double sector, double speed);
    // Ends a stretch (a section, or one layer of a disc): the next sample
    // starts a new one whose levels the samples before must not set.
    void Finish();

    const CappedList<Dip>& Dips() const { return dips_; }

    // The speed with short dips taken out: the higher of the medians of the
    // DipWindow samples either side of the sample at SmoothedSector. Valid
    // right after an Add that set it; the ends of a stretch get none.
    bool HasSmoothed() const { return hasSmoothed_; }
    double SmoothedSector() const { return smoothedSector_; }
    double SmoothedSpeed() const { return smoothedSpeed_; }

private:
    struct Entry {
        double Sector = 0;
        double Speed = 0;
        double Median = 0; // of the DipWindow samples ending here
    };
    // Room for 2 * DipWindow + 1 samples; a power of two, so that finding a
    // place in it costs no division.
    static constexpr long RingSize = 32;
    static_assert(RingSize > 2 * DipWindow);

    Entry& At(long index) { return ring_[static_cast<std::size_t>(index & (RingSize - 1))]; }
    void Slide(double speed);
    void Judge(long index);
    void Open(long index, double level);
    void Extend(long index);
    void Close();

    std::array<Entry, RingSize> ring_{};
    // The window's speeds in order, then two that no speed is above, so that
    // they can be taken two at a time, each with the one after it.
    static constexpr std::size_t SortedSize = DipWindow + 1;
    static_assert(SortedSize % 2 == 0);
    std::array<double, SortedSize + 1> sorted_ = Unsorted();
    static constexpr std::array<double, SortedSize + 1> Unsorted()
    {
        std::array<double, SortedSize + 1> sorted{};
        sorted[SortedSize - 1] = sorted[SortedSize] = std::numeric_limits<double>::infinity();
        return sorted;
    }
    long count_ = 0;
    long judged_ = -1;

    bool open_ = false;
    Dip current_;
    long currentEnd_ = -1;
    long lastEnd_ = -1;
    CappedList<Dip> dips_;

    bool hasSmoothed_ = false;
    double smoothedSector_ = 0;
    double smoothedSpeed_ = 0;
};

} // namespace velantro
