#include "library/libraryrow.h"

#include "graphfile/samplescan.h"
#include "report/reportformats.h"
#include "vocabulary/textrules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velantro {

namespace {

// The library shows the header's date as the file has it: the same on every
// face, and in the file's year-first order it sorts as text.
std::string AsWritten(const std::string& date)
{
    return date;
}

void TakeHeader(LibraryRow& row, const GraphHeader& header)
{
    const auto values = InfoValues(header, AsWritten);
    row.Date = TrimBlanks(values[9]);
    row.Drive = Cp1252ToUtf8(header.Drive);
    row.Firmware = TrimBlanks(values[0]);
    row.MediaType = TrimBlanks(values[3]);
    row.MediaId = TrimBlanks(values[2]);
    row.SpeedSelected = header.Block == SpeedBlockKind::Write ? TrimBlanks(values[11]) : std::string();
    row.BurnTime = TrimBlanks(values[8]);
    row.BurnSeconds = header.BurnSeconds;
    if (row.Stage == RowStage::Listed)
        row.Stage = RowStage::Header;
}

std::string Fixed(double value, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string FileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasReport(const LibraryRow& row)
{
    return row.Stage == RowStage::Report && row.Read();
}

// The number a numeric column sorts by; nothing when the cell is empty.
std::optional<double> CellNumber(const LibraryRow& row, LibraryColumn column)
{
    const bool write = HasReport(row) && row.HasWrite;
    switch (column) {
    case LibraryColumn::SpeedStart:
        return write ? std::optional(row.WriteSpeedStart) : std::nullopt;
    case LibraryColumn::SpeedMean:
        return write ? std::optional(row.WriteSpeedMean) : std::nullopt;
    case LibraryColumn::SpeedMax:
        return write ? std::optional(row.WriteSpeedMax) : std::nullopt;
    case LibraryColumn::Dips:
        return write ? std::optional(double(row.Dips)) : std::nullopt;
    case LibraryColumn::Drops:
        return write ? std::optional(double(row.Drops)) : std::nullopt;
    case LibraryColumn::BufferMin:
        return write ? std::optional(row.BufferMin) : std::nullopt;
    case LibraryColumn::Verify:
        // No verify sorts below one that stopped at once.
        return HasReport(row) ? std::optional(row.HasVerify ? row.VerifyReach : -1.0) : std::nullopt;
    case LibraryColumn::BurnTime:
        return row.Stage != RowStage::Listed && row.Read() ? std::optional(row.BurnSeconds) : std::nullopt;
    default:
        return std::nullopt;
    }
}

bool IsNumberColumn(LibraryColumn column)
{
    return column >= LibraryColumn::SpeedStart && column <= LibraryColumn::BurnTime;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool LibraryRow::VerifiedToEnd() const
{
    return HasReport(*this) && HasVerify && VerifyReach >= VerifiedToEndShare;
}

void ReadRowHeader(LibraryRow& row)
{
    SampleScan scan;
    if (!scan.Open(row.File)) {
        row.Error = scan.ErrorString();
        row.Stage = RowStage::Report; // the samples cannot change that
        return;
    }
    TakeHeader(row, scan.Header());
}

void ReadRowReport(LibraryRow& row)
{
    TakeReport(row, ReadBurnReport(row.File, AsWritten));
}

void TakeReport(LibraryRow& row, const BurnReport& report)
{
    row.Stage = RowStage::Report;
    std::string csv = ReportCsvRow(report);
    while (!csv.empty() && (csv.back() == '\n' || csv.back() == '\r'))
        csv.pop_back();
    row.ReportCsv = std::move(csv);
    row.Error = report.Error;
    if (!report.Read())
        return;
    TakeHeader(row, report.Header);
    row.HasWrite = report.Write.has_value();
    if (row.HasWrite) {
        const SectionReport& write = *report.Write;
        row.Strategy = StrategyName(write.Strategy.Kind);
        row.WriteSpeedStart = write.Speed.First();
        row.WriteSpeedMean = write.Speed.Mean();
        row.WriteSpeedMax = write.Speed.Max();
        row.Dips = write.Dips.Count();
        row.Drops = write.Drops.Count();
        row.BufferMin = write.Buffer.Min();
    }
    row.HasVerify = report.Verify.has_value();
    if (row.HasVerify && report.Header.DataSectors > 0)
        row.VerifyReach = std::clamp(report.Verify->LastSector / report.Header.DataSectors, 0.0, 1.0);
}

const char* ColumnTitle(LibraryColumn column)
{
    constexpr const char* titles[LibraryColumnCount] = {
        "File",     "Date",      "Drive",     "Firmware", "Media Type", "Media ID",  "Speed Selected", "Strategy",
        "Start",    "Mean",      "Max",       "Dips",     "Drops",      "Min Buffer", "Verified",       "Burn Time",
        "Reason",
    };
    return titles[static_cast<int>(column)];
}

const char* ColumnKey(LibraryColumn column)
{
    constexpr const char* keys[LibraryColumnCount] = {
        "file",              "date",           "drive",           "firmware",         "media_type",
        "media_id",          "speed_selected", "write_strategy",  "write_speed_start", "write_speed_mean",
        "write_speed_max",   "write_dips",     "write_buffer_drops", "write_buffer_min", "verify_reach",
        "burn_time",         "error",
    };
    return keys[static_cast<int>(column)];
}

std::string CellText(const LibraryRow& row, LibraryColumn column)
{
    if (column == LibraryColumn::File)
        return FileName(row.File);
    if (column == LibraryColumn::Reason)
        return row.Error;
    if (row.Stage == RowStage::Listed || !row.Read())
        return {};
    switch (column) {
    case LibraryColumn::Date:
        return row.Date;
    case LibraryColumn::Drive:
        return row.Drive;
    case LibraryColumn::Firmware:
        return row.Firmware;
    case LibraryColumn::MediaType:
        return row.MediaType;
    case LibraryColumn::MediaId:
        return row.MediaId;
    case LibraryColumn::SpeedSelected:
        return row.SpeedSelected;
    case LibraryColumn::BurnTime:
        return row.BurnTime;
    case LibraryColumn::Strategy:
        return HasReport(row) ? row.Strategy : std::string();
    case LibraryColumn::Verify:
        if (!HasReport(row))
            return {};
        return row.HasVerify ? Fixed(std::floor(row.VerifyReach * 100), "%.0f%%") : "no";
    default:
        break;
    }
    const std::optional<double> number = CellNumber(row, column);
    if (!number)
        return {};
    if (column == LibraryColumn::Dips || column == LibraryColumn::Drops)
        return Fixed(*number, "%.0f");
    if (column == LibraryColumn::BufferMin)
        return Fixed(*number, "%.0f%%");
    return Fixed(*number, "%.2fx");
}

bool CellLess(const LibraryRow& a, const LibraryRow& b, LibraryColumn column)
{
    if (IsNumberColumn(column)) {
        const std::optional<double> x = CellNumber(a, column), y = CellNumber(b, column);
        if (x && y)
            return *x < *y;
        return x.has_value() && !y.has_value();
    }
    if (column == LibraryColumn::File)
        return a.File < b.File;
    const std::string x = CellText(a, column), y = CellText(b, column);
    if (x.empty() != y.empty())
        return y.empty();
    return x < y;
}

bool RowBefore(const LibraryRow& a, const LibraryRow& b, LibraryColumn column, bool descending)
{
    if (!descending)
        return CellLess(a, b, column);
    const bool aEmpty = CellText(a, column).empty(), bEmpty = CellText(b, column).empty();
    if (aEmpty != bEmpty)
        return bEmpty;
    return CellLess(b, a, column);
}

bool RowMatches(const LibraryRow& row, std::string_view text)
{
    const auto holds = [&](std::string_view cell) {
        return std::search(cell.begin(), cell.end(), text.begin(), text.end(),
                           [](char x, char y) { return AsciiLower(x) == AsciiLower(y); }) != cell.end();
    };
    if (text.empty() || holds(row.File))
        return true;
    for (int column = 0; column < LibraryColumnCount; ++column)
        if (holds(CellText(row, static_cast<LibraryColumn>(column))))
            return true;
    return false;
}

} // namespace velantro
