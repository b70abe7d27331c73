#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace velantro {

enum class Strategy { Unknown, Clv, Cav, Pcav, Zclv };

// "CLV", "CAV", "P-CAV", "Z-CLV", "unknown".
const char* StrategyName(Strategy strategy);

// A stretch of constant speed of a Z-CLV burn.
struct Zone {
    double StartSector = 0;
    double EndSector = 0;
    double Speed = 0;
};

// Enough bins to see a zone of a few percent of the disc, few enough that
// telling the strategy costs nothing.
constexpr std::size_t ProfileBins = 64;

// The speed over the sectors in at most ProfileBins bins of equal width: a
// sample beyond the last bin merges neighbouring bins and doubles their
// width, so memory stays flat whatever the file holds.
class SpeedProfile {
public:
    struct Bin {
        std::size_t Count = 0;
        double SectorSum = 0;
        double SpeedSum = 0;
        double FirstSector = 0;
        double LastSector = 0;
    };

    void Add(double sector, double speed);
    // The bins that hold samples, in sector order.
    std::vector<Bin> Bins() const;

private:
    void Merge();

    std::array<Bin, ProfileBins> bins_{};
    bool started_ = false;
    double origin_ = 0;
    // Powers of two, so that scaling by the inverse is exact.
    double width_ = 1;
    double inverseWidth_ = 1;
    double end_ = ProfileBins;
};

struct StrategyResult {
    Strategy Kind = Strategy::Unknown;
    std::vector<Zone> Zones; // Z-CLV only
};

// Tells the write strategy from the shape of the (smoothed) speed curve:
// flat, rising as the radius (the square of the speed grows in step with the
// sector), rising then flat, or flat zones that step up.
StrategyResult ClassifyStrategy(const SpeedProfile& profile);

} // namespace velantro
