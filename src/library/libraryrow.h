#pragma once

#include "report/burnreport.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velantro {

// How far a row has been read: its name only, its header, or all its samples.
enum class RowStage { Listed = 0, Header = 1, Report = 2 }; // halves of a row's reading, counted

// One graph file of the library: what its header says, then what its burn
// report says, as a few numbers; nothing that grows with the samples.
struct LibraryRow {
    std::string File; // the name as the platform gave it
    RowStage Stage = RowStage::Listed;
    std::string Error; // why the file cannot be read; empty when it can

    // The header's texts in UTF-8, trimmed, as the window's panels show them.
    std::string Date;
    std::string Drive;
    std::string Firmware;
    std::string MediaType;
    std::string MediaId;
    std::string SpeedSelected; // empty for a file without a write speed block
    std::string BurnTime;
    double BurnSeconds = 0;

    // From the samples, once Stage is Report.
    bool HasWrite = false;
    std::string Strategy; // the write strategy
    double WriteSpeedStart = 0;
    double WriteSpeedMean = 0;
    double WriteSpeedMax = 0;
    std::size_t Dips = 0;  // of the write section
    std::size_t Drops = 0; // of the write buffer
    double BufferMin = 0;
    bool HasVerify = false;
    double VerifyReach = 0; // share of the data sectors the verify got to, 0 to 1
    // The file's row of the burn report's CSV form, without its line end.
    std::string ReportCsv;

    bool Read() const { return Error.empty(); }
    // A burn whose verify reached the end of the data.
    bool VerifiedToEnd() const;
    // Counted in the grouped figures: a read file with a write section.
    bool IsBurn() const { return Stage == RowStage::Report && Read() && HasWrite; }
};

// The last verify sample is logged a moment before the last sector is read:
// reaching this share of the data counts as verified to the end.
constexpr double VerifiedToEndShare = 0.99;

// Fills the header's columns, with the shared reader's rules for the header
// (a rejected header gives the row its reason).
void ReadRowHeader(LibraryRow& row);
// Fills every column from the file's burn report.
void ReadRowReport(LibraryRow& row);
// The same from a report already read (the page reads from memory).
void TakeReport(LibraryRow& row, const BurnReport& report);

// The columns every face shows, in this order.
enum class LibraryColumn {
    File,
    Date,
    Drive,
    Firmware,
    MediaType,
    MediaId,
    SpeedSelected,
    Strategy,
    SpeedStart,
    SpeedMean,
    SpeedMax,
    Dips,
    Drops,
    BufferMin,
    Verify,
    BurnTime,
    Reason,
};
constexpr int LibraryColumnCount = 17;

const char* ColumnTitle(LibraryColumn column);
// The key of the column in JSON and the text form's header.
const char* ColumnKey(LibraryColumn column);
// A cell as shown; empty until the row has been read that far. The file is
// its name without the folder.
std::string CellText(const LibraryRow& row, LibraryColumn column);
// Numbers by value, texts by their bytes; a row not yet read, or not
// readable, after the others.
bool CellLess(const LibraryRow& a, const LibraryRow& b, LibraryColumn column);
// Whether a comes before b in the column's order, either way: empty cells
// stay after the others in both, so a descending sort shows what was read.
bool RowBefore(const LibraryRow& a, const LibraryRow& b, LibraryColumn column, bool descending);
// Whether any cell, or the whole path, holds the text, ignoring ASCII case.
bool RowMatches(const LibraryRow& row, std::string_view text);

} // namespace velantro
