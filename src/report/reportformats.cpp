#include "report/reportformats.h"

#include "charts/sizeunits.h"
#include "report/textescapes.h"
#include "vocabulary/floatchars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <sstream>
#include <vector>

namespace velantro {

namespace {

using Json = nlohmann::ordered_json;

// Whole numbers (sectors, counts) as JSON integers, the rest as they are.
Json Number(double value)
{
    if (std::trunc(value) == value && std::abs(value) < 9007199254740992.0)
        return static_cast<long long>(value);
    return value;
}

std::string Fixed(double value, int decimals)
{
    char digits[64];
    const auto result =
        FloatToChars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return ShortestNumber(value);
    return std::string(digits, result.ptr);
}

// The text and the CSV give a number to the same places: the CSV is read as
// the text is, and more places than a sample holds are binary noise.
constexpr int SpeedDecimals = 2;
constexpr int PercentDecimals = 1;
constexpr int RpmDecimals = 0;

std::string Speed(double speed)
{
    return Fixed(speed, SpeedDecimals) + "x";
}

std::string Percent(double percent)
{
    return Fixed(percent, PercentDecimals) + "%";
}

class TextReport {
public:
    explicit TextReport(const BurnReport& report) : report_(report) {}

    std::vector<ReportLine> Lines()
    {
        const GraphHeader& header = report_.Header;
        Row("File", report_.File);
        if (!report_.Read()) {
            Row("Error", report_.Error);
            return std::move(lines_);
        }
        Row("Drive", report_.Drive + ", firmware " + Info(0));
        Row("Media", Info(3) + ", " + Info(2) + ", " + Sectors(header.Capacity) + " sectors" + LabelSize(header.Capacity));
        Row("Data", Sectors(header.DataSectors) + " sectors" + Size(header.DataSectors) + ", " + Info(7));
        Row("Layer break", report_.LayerBreak ? Place(*report_.LayerBreak) : "none");
        Row("Burn", Info(9) + ", " + Info(8) + ", speed selected " + Info(11));
        if (report_.DecimalComma)
            lines_.push_back({DecimalCommaText, std::nullopt});
        Section("Write", report_.Write);
        Section("Verify", report_.Verify);
        return std::move(lines_);
    }

private:
    const std::string& Info(int index) const { return report_.Info[static_cast<std::size_t>(index)]; }

    void Row(const std::string& label, const std::string& text, int indent = 0,
             std::optional<ZoomRange> place = std::nullopt)
    {
        std::string line(static_cast<std::size_t>(indent), ' ');
        line += label;
        line.resize(std::max<std::size_t>(LabelWidth, line.size() + 1), ' ');
        lines_.push_back({line + EscapedText(text), place});
    }

    static std::string Sectors(double sector) { return ShortestNumber(sector); }

    // In the unit the speed chart captions for the media: a place read here
    // is found on the chart. Empty without a sector size.
    std::string SizeText(double sectors) const
    {
        const double sectorSize = report_.Header.SectorSize;
        if (sectorSize <= 0)
            return {};
        const double bytes = sectors * sectorSize;
        return velantro::SizeText(bytes, SizeUnitFor(report_.Header.MediaType, report_.Header.Capacity * sectorSize));
    }

    // Disc labels count gigabytes of 10^9 bytes: 4.7 GB, 25 GB.
    std::string LabelSize(double sectors) const
    {
        const double bytes = sectors * report_.Header.SectorSize;
        if (SizeText(sectors).empty() || SizeUnitFor(report_.Header.MediaType, bytes) != "GB")
            return Size(sectors);
        return " (" + SizeText(sectors) + "; " + Fixed(bytes / 1e9, 2) + " GB as labels give it)";
    }

    std::string Size(double sectors) const
    {
        const std::string size = SizeText(sectors);
        return size.empty() ? size : " (" + size + ")";
    }

    std::string Place(double sector) const { return "sector " + Sectors(sector) + Size(sector); }

    std::string Stretch(double start, double end) const
    {
        std::string text = "sectors " + Sectors(start) + "-" + Sectors(end);
        if (report_.Header.SectorSize > 0)
            text += " (" + SizeText(start) + " - " + SizeText(end) + ")";
        return text;
    }

    void Section(const std::string& name, const std::optional<SectionReport>& section)
    {
        lines_.push_back({});
        if (!section) {
            Row(name, "no samples");
            return;
        }
        const SectionReport& s = *section;
        const auto place = [&s](double start, double end) { return PlaceView(start, end, s); };
        Row(name, ShortestNumber(static_cast<double>(s.Samples)) + " samples, " + Stretch(s.FirstSector, s.LastSector));
        Row("Strategy", StrategyName(s.Strategy.Kind), 2);
        for (const Zone& zone : s.Strategy.Zones)
            Row("", Speed(zone.Speed) + " over " + Stretch(zone.StartSector, zone.EndSector), 2,
                place(zone.StartSector, zone.EndSector));
        Row("Speed", "start " + Speed(s.Speed.First()) + ", end " + Speed(s.Speed.Last()) + ", mean " +
                         Speed(s.Speed.Mean()), 2);
        Row("", "min " + Speed(s.Speed.Min()) + " at " + Place(s.Speed.MinSector()), 2);
        Row("", "max " + Speed(s.Speed.Max()) + " at " + Place(s.Speed.MaxSector()), 2);
        Row("RPM max", Fixed(s.RpmMax, RpmDecimals), 2);
        if (s.HasBuffer)
            Row("Buffer", "min " + Percent(s.Buffer.Min()) + " at " + Place(s.Buffer.MinSector()) + ", mean " +
                              Percent(s.Buffer.Mean()), 2);
        Row("CPU", "max " + Percent(s.Cpu.Max()) + ", mean " + Percent(s.Cpu.Mean()), 2);
        Row("Dips", Count(s.Dips.Count()), 2);
        for (const Dip& dip : s.Dips.Listed())
            Row("", Stretch(dip.StartSector, dip.EndSector) + ": " + Speed(dip.LowestSpeed) + " of " +
                        Speed(dip.ExpectedSpeed), 2, place(dip.StartSector, dip.EndSector));
        if (s.HasBuffer) {
            Row("Buffer drops", Count(s.Drops.Count()), 2);
            for (const SectorRun& drop : s.Drops.Listed())
                Row("", Stretch(drop.StartSector, drop.EndSector) + ": down to " + Percent(drop.Lowest), 2,
                    place(drop.StartSector, drop.EndSector));
        }
    }

    static std::string Count(std::size_t count)
    {
        if (count == 0)
            return "none";
        std::string text = std::to_string(count);
        if (count > MaxListedRuns)
            text += " (the first " + std::to_string(MaxListedRuns) + " listed)";
        return text;
    }

    static constexpr std::size_t LabelWidth = 16;
    const BurnReport& report_;
    std::vector<ReportLine> lines_;
};

Json Section(const std::optional<SectionReport>& section)
{
    if (!section)
        return nullptr;
    const SectionReport& s = *section;
    Json json;
    json["samples"] = s.Samples;
    json["first_sector"] = Number(s.FirstSector);
    json["last_sector"] = Number(s.LastSector);
    json["speed"] = {
        {"start", s.Speed.First()}, {"end", s.Speed.Last()},  {"min", s.Speed.Min()},
        {"min_sector", Number(s.Speed.MinSector())}, {"max", s.Speed.Max()},
        {"max_sector", Number(s.Speed.MaxSector())}, {"mean", s.Speed.Mean()},
    };
    json["rpm_max"] = s.RpmMax;
    json["cpu"] = {{"max", s.Cpu.Max()}, {"mean", s.Cpu.Mean()}};
    json["buffer"] = nullptr;
    json["drops"] = nullptr;
    json["drop_count"] = nullptr;
    if (s.HasBuffer) {
        json["buffer"] = {{"min", s.Buffer.Min()}, {"min_sector", Number(s.Buffer.MinSector())}, {"mean", s.Buffer.Mean()}};
        json["drops"] = Json::array();
        for (const SectorRun& drop : s.Drops.Listed())
            json["drops"].push_back({{"start_sector", Number(drop.StartSector)},
                                     {"end_sector", Number(drop.EndSector)},
                                     {"lowest", drop.Lowest}});
        json["drop_count"] = s.Drops.Count();
    }
    json["dips"] = Json::array();
    for (const Dip& dip : s.Dips.Listed())
        json["dips"].push_back({{"start_sector", Number(dip.StartSector)},
                                {"end_sector", Number(dip.EndSector)},
                                {"lowest_speed", dip.LowestSpeed},
                                {"expected_speed", dip.ExpectedSpeed}});
    json["dip_count"] = s.Dips.Count();
    json["strategy"] = StrategyName(s.Strategy.Kind);
    json["zones"] = Json::array();
    for (const Zone& zone : s.Strategy.Zones)
        json["zones"].push_back({{"start_sector", Number(zone.StartSector)},
                                 {"end_sector", Number(zone.EndSector)},
                                 {"speed", zone.Speed}});
    return json;
}

// The section columns of the CSV report; the buffer ones for the write section only.
constexpr const char* SectionColumns[] = {
    "samples", "strategy", "speed_start", "speed_end", "speed_min", "speed_max", "speed_mean",
    "rpm_max", "cpu_max",  "cpu_mean",    "dips",
};
constexpr const char* BufferColumns[] = {"buffer_min", "buffer_mean", "buffer_drops"};

void SectionCells(std::vector<std::string>& cells, const std::optional<SectionReport>& section, bool write)
{
    const std::size_t count = std::size(SectionColumns) + (write ? std::size(BufferColumns) : 0);
    if (!section) {
        cells.resize(cells.size() + count);
        return;
    }
    const SectionReport& s = *section;
    const auto fixed = [&](double value, int decimals) { cells.push_back(Fixed(value, decimals)); };
    const auto whole = [&](std::size_t value) { cells.push_back(std::to_string(value)); };
    whole(s.Samples);
    cells.emplace_back(StrategyName(s.Strategy.Kind));
    for (const double speed : {s.Speed.First(), s.Speed.Last(), s.Speed.Min(), s.Speed.Max(), s.Speed.Mean()})
        fixed(speed, SpeedDecimals);
    fixed(s.RpmMax, RpmDecimals);
    fixed(s.Cpu.Max(), PercentDecimals);
    fixed(s.Cpu.Mean(), PercentDecimals);
    whole(s.Dips.Count());
    if (write) {
        fixed(s.Buffer.Min(), PercentDecimals);
        fixed(s.Buffer.Mean(), PercentDecimals);
        whole(s.Drops.Count());
    }
}

std::string CsvLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvCell(cells[i]);
    }
    return line + "\n";
}

} // namespace

std::string ShortestNumber(double value)
{
    // Sectors and counts read better as 1000000 than as 1e+06.
    char digits[64];
    const auto format = std::abs(value) < 1e15 ? std::chars_format::fixed : std::chars_format::general;
    const auto result = FloatToChars(std::begin(digits), std::end(digits), value, format);
    return std::string(digits, result.ptr);
}

ZoomRange PlaceView(double start, double end, const SectionReport& section)
{
    const double spacing = section.Samples > 1 ? std::abs(section.LastSector - section.FirstSector) /
                                                     static_cast<double>(section.Samples - 1)
                                               : 0;
    const double centre = (start + end) / 2;
    const double half = std::abs(end - start) / 2 + PlaceViewSamples * spacing;
    return {centre - half, centre + half};
}

std::vector<ReportLine> ReportLines(const BurnReport& report)
{
    return TextReport(report).Lines();
}

std::string ReportText(const BurnReport& report)
{
    std::string text;
    for (const ReportLine& line : ReportLines(report))
        text += line.Text + "\n";
    return text;
}

Json ReportJson(const BurnReport& report)
{
    Json json;
    json["file"] = report.File;
    if (!IsUtf8(report.File))
        json["file_bytes"] = HexBytes(report.File);
    if (!report.Read()) {
        json["error"] = report.Error;
        return json;
    }
    json["format_version"] = ReportFormatVersion;
    json["drive"] = report.Drive;
    json["info"] = Json::object();
    for (int i = 0; i < InfoValueCount; ++i)
        json["info"][InfoCaptionTexts[i]] = report.Info[static_cast<std::size_t>(i)];
    json["write"] = Section(report.Write);
    json["verify"] = Section(report.Verify);
    json["layer_break"] = report.LayerBreak ? Number(*report.LayerBreak) : Json(nullptr);
    if (report.DecimalComma)
        json["decimal_comma"] = true;
    return json;
}

ReportWriter::ReportWriter(std::ostream& out, std::string_view format) : out_(out), format_(format)
{
    if (format_ == "csv")
        out_ << ReportCsvHeader();
}

void ReportWriter::Add(const BurnReport& report)
{
    if (format_ == "json") {
        // Laid out as the whole array dumped at once would be. File names
        // are the platform's bytes, not always UTF-8.
        const std::string object = ReportJson(report).dump(2, ' ', false, Json::error_handler_t::replace);
        out_ << (first_ ? "[\n  " : ",\n  ");
        for (const char c : object)
            c == '\n' ? out_ << "\n  " : out_ << c;
    } else if (format_ == "csv") {
        out_ << ReportCsvRow(report);
    } else {
        if (!report.Read())
            return;
        out_ << (first_ ? "" : "\n") << ReportText(report);
    }
    first_ = false;
}

void ReportWriter::Finish()
{
    if (format_ == "json")
        out_ << (first_ ? "[]\n" : "\n]\n");
}

std::string ReportDocument(const BurnReport& report, std::string_view format)
{
    std::ostringstream document;
    ReportWriter writer(document, format);
    writer.Add(report);
    writer.Finish();
    return document.str();
}

std::string NameWithEnding(std::string_view name, std::string_view ending)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    std::string dotted(1, '.');
    dotted += ending;
    const bool ends = name.size() > dotted.size() &&
                      std::equal(dotted.begin(), dotted.end(), name.end() - static_cast<long>(dotted.size()),
                                 [&](char a, char b) { return lower(a) == lower(b); });
    return ends ? std::string(name) : std::string(name) + dotted;
}

std::string CsvCell(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ReportCsvHeader()
{
    std::vector<std::string> cells = {"file",        "error",         "drive",       "media_type", "media_id",
                                      "speed_selected", "data_sectors", "sector_size", "layer_break"};
    for (const char* section : {"write", "verify"}) {
        for (const char* column : SectionColumns)
            cells.push_back(std::string(section) + "_" + column);
        if (std::string_view(section) == "write") {
            for (const char* column : BufferColumns)
                cells.push_back(std::string("write_") + column);
        }
    }
    return CsvLine(cells);
}

std::string ReportCsvRow(const BurnReport& report)
{
    std::vector<std::string> cells = {report.File, report.Error};
    if (report.Read()) {
        const GraphHeader& header = report.Header;
        cells.push_back(report.Drive);
        cells.push_back(report.Info[3]);
        cells.push_back(report.Info[2]);
        cells.push_back(report.Info[11]);
        cells.push_back(ShortestNumber(header.DataSectors));
        cells.push_back(ShortestNumber(header.SectorSize));
        cells.push_back(report.LayerBreak ? ShortestNumber(*report.LayerBreak) : "");
    } else {
        cells.resize(9);
    }
    SectionCells(cells, report.Write, true);
    SectionCells(cells, report.Verify, false);
    return CsvLine(cells);
}

} // namespace velantro
