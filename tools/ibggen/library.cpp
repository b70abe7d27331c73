#include "library.h"

#include <array>
#include <cstdio>

namespace ibggen {

namespace {

constexpr std::array<const char*, 3> Drives{"ASUS DRW-24D5MT", "HL-DT-ST DVDRAM GH24NSD1", "PIONEER DVR-S21"};
constexpr std::array<const char*, 3> Firmwares{"1.00", "LG00", "1.01"};
constexpr std::array<const char*, 3> MediaIds{"MCC 004", "RICOHJPN R03", "CMC MAG M01"};
constexpr std::array<const char*, 2> Speeds{"8x", "16x"};
constexpr std::size_t Combinations = Drives.size() * MediaIds.size() * Speeds.size();

}  // namespace

std::vector<LibraryBurn> LibraryPlan(std::size_t files, std::size_t samples)
{
    std::vector<LibraryBurn> plan(files);
    for (std::size_t i = 0; i < files; ++i) {
        LibraryBurn& burn = plan[i];
        const std::size_t drive = i % Drives.size();
        const std::size_t round = i / Combinations; // the how-manyth burn of its combination
        char name[32];
        std::snprintf(name, sizeof name, "burn-%06zu.ibg", i);
        burn.name = name;
        burn.options.kind = Kind::DvdBurnVerify;
        burn.options.samples = samples;
        burn.options.seed = static_cast<std::uint32_t>(i + 1);
        burn.setup.drive = Drives[drive];
        burn.setup.firmware = Firmwares[drive];
        burn.setup.mediaId = MediaIds[i / Drives.size() % MediaIds.size()];
        burn.setup.speedSelected = Speeds[i / (Drives.size() * MediaIds.size()) % Speeds.size()];
        burn.profile.writeStrategy = Strategy::Clv;
        burn.profile.calm = true;
        burn.dip = round % 4 == 0;
        burn.drop = round % 5 < 2;
        burn.verified = round % 10 != 3;
        // Well inside the section: the first and last samples start no dip.
        if (burn.dip)
            burn.profile.dips.push_back({samples / 3, 6});
        if (burn.drop)
            burn.profile.drops.push_back({samples / 2, 8});
        if (!burn.verified)
            burn.setup.verifyReach = 0.6;
    }
    return plan;
}

bool WriteLibrary(const std::vector<LibraryBurn>& plan, const std::string& folder)
{
    for (const LibraryBurn& burn : plan)
        if (!WriteFile(burn.options, folder + "/" + burn.name, burn.profile, burn.setup))
            return false;
    return true;
}

}  // namespace ibggen
