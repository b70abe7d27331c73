#pragma once

// A folder of burns with known answers: several drives, media IDs and
// speeds, with dips, buffer drops and short verifies planted at known rates.

#include "ibggen.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ibggen {

struct LibraryBurn {
    std::string name; // file name within the folder
    Options options;
    Profile profile;
    BurnSetup setup;
    // What was planted.
    bool dip = false;
    bool drop = false;
    bool verified = true; // verified to the end
};

// `files` burns of `samples` samples a section: drive, media ID and speed
// selected run through every combination in turn; in each combination a
// quarter of the burns have a dip, two in five a buffer drop, and one in
// ten stops its verify at 60 %.
std::vector<LibraryBurn> LibraryPlan(std::size_t files, std::size_t samples);

// Writes the plan's files into an existing folder; false when one fails.
bool WriteLibrary(const std::vector<LibraryBurn>& plan, const std::string& folder);

}  // namespace ibggen
