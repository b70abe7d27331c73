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

// The forms a report is saved in, as a save dialog offers them: the filter,
// the form ReportDocument writes and the ending a saved name gets.
struct ReportSaveType {
    std::string_view Filter;
    std::string_view Format;
    std::string_view Ending;
};
inline constexpr ReportSaveType ReportSaveTypes[] = {
    {"Text (*.txt)", "text", "txt"},
    {"JSON (*.json)", "json", "json"},
    {"CSV (*.csv)", "csv", "csv"},
};

// The name a file is saved under when its type is chosen: the type's ending
// added unless the name ends with it already (in any case), so that the
// ending always tells the form.
std::string NameWithEnding(std::string_view name, std::string_view ending);

// A CSV cell, quoted when it holds a comma, a quote or a line end.
std::string CsvCell(std::string_view text);

// The shortest text that reads back as the same number, "." as the point,
// without an exponent below 10^15.
std::string ShortestNumber(double value);

} // namespace velantro
