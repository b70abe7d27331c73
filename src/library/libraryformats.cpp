#include "library/libraryformats.h"

#include "report/reportformats.h"
#include "report/textescapes.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace velantro {

namespace {

using Json = nlohmann::ordered_json;

std::string WithoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

Json RowJson(const LibraryRow& row)
{
    Json json;
    json["file"] = row.File;
    if (!IsUtf8(row.File))
        json["file_bytes"] = HexBytes(row.File);
    if (!row.Read()) {
        json["error"] = row.Error;
        return json;
    }
    json["date"] = row.Date;
    json["drive"] = row.Drive;
    json["firmware"] = row.Firmware;
    json["media_type"] = row.MediaType;
    json["media_id"] = row.MediaId;
    json["speed_selected"] = row.SpeedSelected.empty() ? Json() : Json(row.SpeedSelected);
    json["burn_time"] = row.BurnSeconds;
    if (row.HasWrite) {
        json["write"] = {{"strategy", row.Strategy},
                         {"speed_start", row.WriteSpeedStart},
                         {"speed_mean", row.WriteSpeedMean},
                         {"speed_max", row.WriteSpeedMax},
                         {"dip_count", row.Dips},
                         {"drop_count", row.Drops},
                         {"buffer_min", row.BufferMin}};
    } else {
        json["write"] = nullptr;
    }
    json["verify_reach"] = row.HasVerify ? Json(row.VerifyReach) : Json();
    json["verified_to_end"] = row.VerifiedToEnd();
    return json;
}

Json GroupJson(const LibraryGroup& group, GroupBy by)
{
    Json json;
    json["drive"] = group.Drive;
    json["media_id"] = group.MediaId;
    if (by == GroupBy::DriveMediaSpeed)
        json["speed_selected"] = group.SpeedSelected;
    json["burns"] = group.Burns;
    json["write_speed_mean"] = group.WriteSpeedMean;
    json["dip_share"] = group.DipShare;
    json["drop_share"] = group.DropShare;
    json["verified_share"] = group.VerifiedShare;
    return json;
}

std::string Dumped(const Json& json)
{
    return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

// Inside the array, indented as a whole array dumped at once would be.
std::string Indented(const std::string& object)
{
    std::string text = "  ";
    for (const char c : object) {
        text += c;
        if (c == '\n')
            text += "  ";
    }
    return text;
}

bool ShowsSpeed(GroupBy by, GroupColumn column)
{
    return column != GroupColumn::SpeedSelected || by == GroupBy::DriveMediaSpeed;
}

} // namespace

std::string LibraryCsvHeader()
{
    return WithoutLineEnd(ReportCsvHeader()) + ",date,verified_to_end\n";
}

std::string LibraryCsvRow(const LibraryRow& row)
{
    BurnReport unread;
    unread.File = row.File;
    unread.Error = row.Error;
    const std::string report = row.ReportCsv.empty() ? WithoutLineEnd(ReportCsvRow(unread)) : row.ReportCsv;
    if (!row.Read())
        return report + ",,\n";
    return report + "," + CsvCell(row.Date) + "," + (row.VerifiedToEnd() ? "yes" : "no") + "\n";
}

LibraryWriter::LibraryWriter(std::ostream& out, std::string_view format, std::optional<GroupBy> groupBy)
    : out_(out), format_(format)
{
    if (groupBy) {
        groups_.emplace(*groupBy);
        return;
    }
    if (format_ == "csv") {
        out_ << LibraryCsvHeader();
    } else if (format_ == "text") {
        for (int column = 0; column < LibraryColumnCount; ++column)
            out_ << (column ? "\t" : "") << ColumnKey(static_cast<LibraryColumn>(column));
        out_ << '\n';
    }
}

void LibraryWriter::Add(const LibraryRow& row)
{
    if (groups_) {
        groups_->Add(row);
        return;
    }
    if (format_ == "csv") {
        out_ << LibraryCsvRow(row);
    } else if (format_ == "json") {
        out_ << (first_ ? "[\n" : ",\n") << Indented(Dumped(RowJson(row)));
    } else {
        for (int column = 0; column < LibraryColumnCount; ++column) {
            const auto which = static_cast<LibraryColumn>(column);
            const std::string cell = which == LibraryColumn::File ? row.File : CellText(row, which);
            out_ << (column ? "\t" : "") << (cell.empty() ? "-" : EscapedText(cell));
        }
        out_ << '\n';
    }
    first_ = false;
}

void LibraryWriter::WriteGroups()
{
    const GroupBy by = groups_->By();
    const std::vector<LibraryGroup> groups = groups_->Groups();
    const char* separator = format_ == "csv" ? "," : "\t";
    if (format_ != "json") {
        bool firstColumn = true;
        for (int column = 0; column < GroupColumnCount; ++column) {
            if (!ShowsSpeed(by, static_cast<GroupColumn>(column)))
                continue;
            out_ << (firstColumn ? "" : separator) << GroupColumnKey(static_cast<GroupColumn>(column));
            firstColumn = false;
        }
        out_ << '\n';
    }
    for (const LibraryGroup& group : groups) {
        if (format_ == "json") {
            out_ << (first_ ? "[\n" : ",\n") << Indented(Dumped(GroupJson(group, by)));
            first_ = false;
            continue;
        }
        const std::string speed = group.SpeedSelected;
        const std::string shares[] = {ShortestNumber(group.WriteSpeedMean), ShortestNumber(group.DipShare),
                                      ShortestNumber(group.DropShare), ShortestNumber(group.VerifiedShare)};
        const auto text = [&](const std::string& cell) {
            return format_ == "csv" ? CsvCell(cell) : (cell.empty() ? std::string("-") : EscapedText(cell));
        };
        out_ << text(group.Drive) << separator << text(group.MediaId);
        if (by == GroupBy::DriveMediaSpeed)
            out_ << separator << text(speed);
        out_ << separator << group.Burns;
        for (const std::string& share : shares)
            out_ << separator << share;
        out_ << '\n';
    }
}

void LibraryWriter::Finish()
{
    if (groups_)
        WriteGroups();
    if (format_ == "json")
        out_ << (first_ ? "[]\n" : "\n]\n");
}

} // namespace velantro
