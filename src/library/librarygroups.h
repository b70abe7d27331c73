#pragma once

#include "library/libraryrow.h"

#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace velantro {

enum class GroupBy { DriveMedia, DriveMediaSpeed };

// The burns of one drive with one media ID (and one speed selected).
struct LibraryGroup {
    std::string Drive;
    std::string MediaId;
    std::string SpeedSelected; // empty unless grouped by speed
    std::size_t Burns = 0;
    double WriteSpeedMean = 0; // the mean of the burns' mean write speeds
    double DipShare = 0;       // shares of the burns, 0 to 1
    double DropShare = 0;
    double VerifiedShare = 0;
};

// Sums up burns as they are read: only files read whole with a write
// section count, so a verify-only file or an unreadable one changes nothing.
class LibraryGroups {
public:
    explicit LibraryGroups(GroupBy by) : by_(by) {}
    void Add(const LibraryRow& row);
    GroupBy By() const { return by_; }
    // By drive, media ID and speed, as bytes.
    std::vector<LibraryGroup> Groups() const;

private:
    struct Sums {
        std::size_t Burns = 0;
        double SpeedSum = 0;
        std::size_t Dipped = 0, Dropped = 0, Verified = 0;
    };
    GroupBy by_;
    std::map<std::tuple<std::string, std::string, std::string>, Sums> sums_;
};

enum class GroupColumn { Drive, MediaId, SpeedSelected, Burns, SpeedMean, DipShare, DropShare, VerifiedShare };
constexpr int GroupColumnCount = 8;
const char* GroupColumnTitle(GroupColumn column);
const char* GroupColumnKey(GroupColumn column);
// Shares as percentages for the window and the page.
std::string GroupCellText(const LibraryGroup& group, GroupColumn column);
bool GroupCellLess(const LibraryGroup& a, const LibraryGroup& b, GroupColumn column);

} // namespace velantro
