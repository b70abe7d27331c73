#include "library/librarygroups.h"

#include <cstdio>

namespace velantro {

namespace {

std::string Fixed(double value, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double GroupNumber(const LibraryGroup& group, GroupColumn column)
{
    switch (column) {
    case GroupColumn::Burns:
        return double(group.Burns);
    case GroupColumn::SpeedMean:
        return group.WriteSpeedMean;
    case GroupColumn::DipShare:
        return group.DipShare;
    case GroupColumn::DropShare:
        return group.DropShare;
    default:
        return group.VerifiedShare;
    }
}

} // namespace

void LibraryGroups::Add(const LibraryRow& row)
{
    if (!row.IsBurn())
        return;
    Sums& sums = sums_[{row.Drive, row.MediaId, by_ == GroupBy::DriveMediaSpeed ? row.SpeedSelected : std::string()}];
    ++sums.Burns;
    sums.SpeedSum += row.WriteSpeedMean;
    sums.Dipped += row.Dips > 0;
    sums.Dropped += row.Drops > 0;
    sums.Verified += row.VerifiedToEnd();
}

std::vector<LibraryGroup> LibraryGroups::Groups() const
{
    std::vector<LibraryGroup> groups;
    for (const auto& [key, sums] : sums_) {
        const double burns = double(sums.Burns);
        groups.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), sums.Burns, sums.SpeedSum / burns,
                          double(sums.Dipped) / burns, double(sums.Dropped) / burns, double(sums.Verified) / burns});
    }
    return groups;
}

const char* GroupColumnTitle(GroupColumn column)
{
    constexpr const char* titles[GroupColumnCount] = {"Drive",       "Media ID",     "Speed Selected", "Burns",
                                                      "Mean Speed",  "With a Dip",   "With a Drop",    "Verified"};
    return titles[static_cast<int>(column)];
}

const char* GroupColumnKey(GroupColumn column)
{
    constexpr const char* keys[GroupColumnCount] = {"drive",            "media_id",  "speed_selected", "burns",
                                                    "write_speed_mean", "dip_share", "drop_share",     "verified_share"};
    return keys[static_cast<int>(column)];
}

std::string GroupCellText(const LibraryGroup& group, GroupColumn column)
{
    switch (column) {
    case GroupColumn::Drive:
        return group.Drive;
    case GroupColumn::MediaId:
        return group.MediaId;
    case GroupColumn::SpeedSelected:
        return group.SpeedSelected;
    case GroupColumn::Burns:
        return std::to_string(group.Burns);
    case GroupColumn::SpeedMean:
        return Fixed(group.WriteSpeedMean, "%.2fx");
    default:
        return Fixed(GroupNumber(group, column) * 100, "%.0f%%");
    }
}

bool GroupCellLess(const LibraryGroup& a, const LibraryGroup& b, GroupColumn column)
{
    switch (column) {
    case GroupColumn::Drive:
        return a.Drive < b.Drive;
    case GroupColumn::MediaId:
        return a.MediaId < b.MediaId;
    case GroupColumn::SpeedSelected:
        return a.SpeedSelected < b.SpeedSelected;
    default:
        return GroupNumber(a, column) < GroupNumber(b, column);
    }
}

} // namespace velantro
