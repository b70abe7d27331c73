#pragma once

#include "vocabulary/zoomrange.h"
#include "report/burnreport.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <optional>
#include <vector>
#include <string>
#include <string_view>

namespace velantro {

// Raised whenever a key of the JSON report changes its meaning or goes away.
constexpr int ReportFormatVersion = 1;

// A summary for a terminal or a forum post: aligned, with units, places in
// sectors and in the MB or GB of the speed chart's captions (binary units).
std::string ReportText(const BurnReport& report);

// A line of the text form; dips, buffer drops and zones with the sectors a
// view of them shows.
struct ReportLine {
    std::string Text;
    std::optional<ZoomRange> Place;
};
std::vector<ReportLine> ReportLines(const BurnReport& report);

// Samples' worth of sectors on each side of a place in its view.
constexpr double PlaceViewSamples = 50;

// A stretch of a section, centred, with PlaceViewSamples of the section's
// mean sample spacing on each side; not cut to the disc.
ZoomRange PlaceView(double start, double end, const SectionReport& section);

// One file's object of the JSON report: keys in the documented order.
nlohmann::ordered_json ReportJson(const BurnReport& report);

// One row per file under one header row, for spreadsheets.
std::string ReportCsvHeader();
std::string ReportCsvRow(const BurnReport& report);

// The reports of several files as one text, JSON array or CSV table
// ("text", "json", "csv"), each written as it is added, so memory does not
// grow with the files; the text leaves out the files not read.
class ReportWriter {
public:
    ReportWriter(std::ostream& out, std::string_view format);
    void Add(const BurnReport& report);
    // Closes the JSON array.
    void Finish();

private:
    std::ostream& out_;
    std::string format_;
    bool first_ = true;
};

// One file's report in one of the three forms, as the writer gives it.
std::string ReportDocument(const BurnReport& report, std::string_view format);

// A CSV cell, quoted when it holds a comma, a quote or a line end.
std::string CsvCell(std::string_view text);

// The shortest text that reads back as the same number, "." as the point,
// without an exponent below 10^15.
std::string ShortestNumber(double value);

} // namespace velantro
