#pragma once

#include "report/burnreport.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>

namespace velantro {

// Raised whenever a key of the JSON report changes its meaning or goes away.
constexpr int ReportFormatVersion = 1;

// A summary for a terminal or a forum post: aligned, with units, places in
// sectors and in MB/GB (decimal units, by the file's sector size).
std::string ReportText(const BurnReport& report);

// One file's object of the JSON report: keys in the documented order.
nlohmann::ordered_json ReportJson(const BurnReport& report);

// One row per file under one header row, for spreadsheets.
std::string ReportCsvHeader();
std::string ReportCsvRow(const BurnReport& report);

// A CSV cell, quoted when it holds a comma, a quote or a line end.
std::string CsvCell(std::string_view text);

// The shortest text that reads back as the same number, "." as the point,
// without an exponent below 10^15.
std::string ShortestNumber(double value);

} // namespace velantro
