#pragma once

#include <cstddef>
#include <vector>

namespace velantro {

// First, last, smallest and largest value of a series with the sectors of
// the extremes (the first sample that reached them), and the mean.
class ValueStats {
public:
    void Add(double sector, double value)
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

    std::size_t Count() const { return count_; }
    double First() const { return first_; }
    double Last() const { return last_; }
    double Min() const { return min_; }
    double MinSector() const { return minSector_; }
    double Max() const { return max_; }
    double MaxSector() const { return maxSector_; }
    double Mean() const { return count_ ? sum_ / static_cast<double>(count_) : 0; }

private:
    std::size_t count_ = 0;
    double first_ = 0, last_ = 0;
    double min_ = 0, minSector_ = 0;
    double max_ = 0, maxSector_ = 0;
    double sum_ = 0;
};

// A stretch of samples, by the sectors of its first and last sample.
struct SectorRun {
    double StartSector = 0;
    double EndSector = 0;
    double Lowest = 0;
};

// A hostile file can hold a run every other line; only this many are kept,
// so memory stays flat whatever the file holds. Counts stay exact.
constexpr std::size_t MaxListedRuns = 1000;

// Keeps items in file order up to MaxListedRuns and counts them all.
template <typename Item>
class CappedList {
public:
    void Push(const Item& item)
    {
        if (items_.size() < MaxListedRuns)
            items_.push_back(item);
        ++count_;
    }
    const std::vector<Item>& Listed() const { return items_; }
    std::size_t Count() const { return count_; }

private:
    std::vector<Item> items_;
    std::size_t count_ = 0;
};
using RunList = CappedList<SectorRun>;

// Every maximal run of consecutive samples whose value is below a threshold.
class RunsBelow {
public:
    explicit RunsBelow(double threshold) : threshold_(threshold) {}
    void Add(double sector, double value)
    {
        if (value >= threshold_) {
            if (open_)
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
    // Closes a run that reaches the last sample.
    void Finish();
    const RunList& Runs() const { return runs_; }

private:
    double threshold_;
    bool open_ = false;
    SectorRun current_;
    RunList runs_;
};

} // namespace velantro
