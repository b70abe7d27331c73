#include "graphfile/samplescan.h"
#include "report/reportformats.h"
#include "report/strategy.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>
#include <ibggen.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace velantro {
namespace {

using Json = nlohmann::json;
using testing::GraphText;
using testing::TempFile;

std::string SameDate(const std::string& text)
{
    return text;
}

// The sectors of each section's samples, in file order, as the window reads them.
std::vector<std::vector<double>> SampleSectors(const std::string& path)
{
    std::vector<std::vector<double>> sectors(2);
    SampleScan scan;
    if (scan.Open(path)) {
        while (scan.Next())
            sectors[scan.Section() == GraphSection::Write ? 0 : 1].push_back(scan.Point().Sector);
    }
    return sectors;
}

// 2,000 samples per section, no random slowdowns or buffer dips.
std::string Generated(ibggen::Kind kind, ibggen::Profile profile)
{
    profile.calm = true;
    return ibggen::Generate({kind, 2000, "\r\n", 1}, profile);
}

// A capacity of 1000 sectors and no layer break: the RPM estimate is
// speed * (800 * ((1000 - sector) / 1000)^2 + 600) on the DVD scale.
TEST(BurnReport, JsonOfASmallFile)
{
    GraphText text;
    text.Capacity = "1000";
    text.DataSectors = "1000";
    text.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n4,0,0,90,10\r\n8,1000,0,40,30\r\n6,500,0,45,20\r\n"
                "2,250,0,80,0\r\n[END_WRITE]\r\n[START_VERIFY]\r\n5,50,0,7\r\n3,150,0,9\r\n[END_VERIFY]\r\n";
    const TempFile file(text.Text());
    const Json json = Json::parse(ReportJson(ReadBurnReport(file.Path(), SameDate)).dump());
    const std::vector<std::pair<std::string, Json>> expected = {
        {"/file", file.Path()}, {"/drive", "ACME DVDRW AD-1"}, {"/info/Capacity", "1000"},
        {"/info/Speed Max", "16.10x"}, {"/info/Burn Time", "12 Mins  34 Secs"}, {"/layer_break", nullptr},
        {"/write/samples", 4}, {"/write/first_sector", 0}, {"/write/last_sector", 250},
        {"/write/speed/start", 4}, {"/write/speed/end", 2}, {"/write/speed/min", 2},
        {"/write/speed/min_sector", 250}, {"/write/speed/max", 8}, {"/write/speed/max_sector", 1000},
        {"/write/speed/mean", 5}, {"/write/rpm_max", 5600}, {"/write/cpu/max", 30}, {"/write/cpu/mean", 15},
        {"/write/buffer/min", 40}, {"/write/buffer/min_sector", 1000}, {"/write/buffer/mean", 63.75},
        {"/write/drops", Json::parse(R"([{"start_sector":1000,"end_sector":500,"lowest":40}])")},
        {"/write/dips", Json::array()}, {"/write/strategy", "unknown"},
        {"/verify/samples", 2}, {"/verify/speed/mean", 4}, {"/verify/speed/min_sector", 150},
        {"/verify/cpu/max", 9}, {"/verify/cpu/mean", 8}, {"/verify/buffer", nullptr},
    };
    for (const auto& [pointer, value] : expected)
        EXPECT_EQ(json.at(Json::json_pointer(pointer)), value) << pointer;

    const Json rejected = ReportJson(ReadBurnReport(file.Folder() + "/missing.ibg", SameDate));
    EXPECT_EQ(rejected, Json({{"file", file.Folder() + "/missing.ibg"}, {"error", "No such file or directory"}}));
}

TEST(BurnReport, NumbersAndCsvCells)
{
    const std::pair<double, std::string> numbers[] = {
        {200000, "200000"}, {1846052, "1846052"}, {2.5, "2.5"}, {-0.25, "-0.25"}, {1e20, "1e+20"},
    };
    for (const auto& [number, text] : numbers)
        EXPECT_EQ(ShortestNumber(number), text);
    const std::pair<std::string, std::string> cells[] = {
        {"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"x\ny", "\"x\ny\""},
    };
    for (const auto& [cell, quoted] : cells)
        EXPECT_EQ(CsvCell(cell), quoted);
}

// CSV numbers to the places the text gives them, whatever binary noise the
// means carry; JSON keeps every digit.
TEST(BurnReport, CsvAtTheTextsPrecision)
{
    GraphText text;
    text.Capacity = "1000";
    text.DataSectors = "1000";
    text.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n10.1,0,0,90,10\r\n10.2,100,0,40,20\r\n"
                "10.3,200,0,45,40\r\n[END_WRITE]\r\n";
    const TempFile file(text.Text());
    const BurnReport report = ReadBurnReport(file.Path(), SameDate);
    std::vector<std::string> header, row;
    for (auto [line, cells] : {std::pair{ReportCsvHeader(), &header}, std::pair{ReportCsvRow(report), &row}}) {
        std::istringstream split(line);
        for (std::string cell; std::getline(split, cell, ',');)
            cells->push_back(cell);
    }
    ASSERT_EQ(header.size(), row.size());
    const std::pair<std::string, std::string> cells[] = {
        {"data_sectors", "1000"},      {"write_samples", "3"},       {"write_speed_start", "10.10"},
        {"write_speed_max", "10.30"},  {"write_speed_mean", "10.20"}, {"write_rpm_max", "14140"},
        {"write_cpu_max", "40.0"},     {"write_cpu_mean", "23.3"},    {"write_buffer_min", "40.0"},
        {"write_buffer_mean", "58.3"}, {"write_buffer_drops", "1"},   {"verify_speed_mean", ""},
    };
    for (const auto& [column, cell] : cells) {
        const auto at = std::find(header.begin(), header.end(), column);
        ASSERT_NE(at, header.end()) << column;
        EXPECT_EQ(row[static_cast<std::size_t>(at - header.begin())], cell) << column;
        if (!cell.empty() && column.starts_with("write_speed")) {
            EXPECT_NE(ReportText(report).find(cell + "x"), std::string::npos) << column;
        }
    }
    EXPECT_NEAR(ReportJson(report)["write"]["cpu"]["mean"].get<double>(), 70.0 / 3, 1e-12);
}

// The type chosen decides the ending; a name that has it keeps it.
TEST(BurnReport, SaveTypeEndings)
{
    const std::tuple<std::string, int, std::string> cases[] = {
        {"r", 1, "r.json"},          {"r.txt", 1, "r.txt.json"}, {"r.CSV", 2, "r.CSV"},
        {"/a.json/r", 0, "/a.json/r.txt"}, {"r.jsonx", 1, "r.jsonx.json"}, {"json", 1, "json.json"},
    };
    for (const auto& [name, type, saved] : cases)
        EXPECT_EQ(NameWithEnding(name, ReportSaveTypes[type].Ending), saved) << name;
    EXPECT_EQ(std::string(ReportSaveTypes[2].Filter), "CSV (*.csv)");
}

TEST(BurnReport, StrategyOfEachProfile)
{
    using ibggen::Kind;
    using ibggen::Strategy;
    const struct {
        Kind Disc;
        Strategy Write;
        const char* Expected;
        std::vector<double> Zones;
    } cases[] = {
        {Kind::DvdBurnVerify, Strategy::Clv, "CLV", {}},
        {Kind::DvdBurnVerify, Strategy::Cav, "CAV", {}},
        {Kind::DvdBurnVerify, Strategy::Pcav, "P-CAV", {}},
        {Kind::DvdBurnVerify, Strategy::Zclv, "Z-CLV", {8, 12, 16}},
        {Kind::DvdDualLayer, Strategy::Kind, "P-CAV", {}},
        {Kind::DvdDualLayer, Strategy::Zclv, "Z-CLV", {8, 12, 16}},
    };
    for (const auto& c : cases) {
        const TempFile file(Generated(c.Disc, {c.Write, true, {}, {}}));
        const BurnReport report = ReadBurnReport(file.Path(), SameDate);
        ASSERT_TRUE(report.Write && report.Verify) << report.Error;
        EXPECT_STREQ(StrategyName(report.Write->Strategy.Kind), c.Expected) << file.Path();
        // Both kinds verify at constant angular speed.
        EXPECT_EQ(report.Verify->Strategy.Kind, velantro::Strategy::Cav);
        ASSERT_EQ(report.Write->Strategy.Zones.size(), c.Zones.size());
        for (std::size_t i = 0; i < c.Zones.size(); ++i)
            EXPECT_NEAR(report.Write->Strategy.Zones[i].Speed, c.Zones[i], 0.1);
    }
}

// Zones at 6x, 8x and 12x, steps at shares of the sectors: a stretch a step
// falls into is in no zone, and no zone reaches across a step.
TEST(BurnReport, ZclvStepsInsideAndOnStretches)
{
    // Sectors (a DVD's, or 64 stretches of 32768), the two steps.
    const std::vector<std::tuple<double, double, double>> cases = {
        {2295104, 0.35, 0.67}, {64 * 32768, 24 / 64.0, 43 / 64.0}, {64 * 32768, 23.9 / 64, 43.1 / 64},
    };
    for (const auto& [sectors, first, second] : cases) {
        SCOPED_TRACE(std::to_string(first) + " " + std::to_string(second));
        SpeedProfile profile;
        for (double sector = 0; sector < sectors; sector += 256)
            profile.Add(sector, sector < first * sectors ? 6 : sector < second * sectors ? 8 : 12);
        const StrategyResult result = ClassifyStrategy(profile);
        ASSERT_EQ(result.Kind, Strategy::Zclv);
        ASSERT_EQ(result.Zones.size(), 3U);
        const double speeds[] = {6, 8, 12};
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(result.Zones[i].Speed, speeds[i], 1e-9) << i;
        EXPECT_LT(result.Zones[0].EndSector, first * sectors);
        EXPECT_GE(result.Zones[1].StartSector, first * sectors);
        EXPECT_LT(result.Zones[1].EndSector, second * sectors);
        EXPECT_GE(result.Zones[2].StartSector, second * sectors);
    }
}

// Ramps at both ends, zone steps and the layer change are no dips; the
// injected ones are found exactly, in both sections.
TEST(BurnReport, DipsAtInjectedPlacesOnly)
{
    using ibggen::Kind;
    using ibggen::Strategy;
    const std::vector<ibggen::Stretch> injected = {{200, 6}, {700, 12}, {1500, 3}};
    const struct {
        Kind Disc;
        Strategy Write;
        std::vector<ibggen::Stretch> Dips;
    } cases[] = {
        {Kind::DvdBurnVerify, Strategy::Clv, injected}, {Kind::DvdBurnVerify, Strategy::Cav, injected},
        {Kind::DvdBurnVerify, Strategy::Pcav, injected}, {Kind::DvdBurnVerify, Strategy::Zclv, injected},
        {Kind::DvdBurnVerify, Strategy::Zclv, {}},       {Kind::DvdDualLayer, Strategy::Kind, injected},
        {Kind::DvdDualLayer, Strategy::Zclv, {}},        {Kind::BdVerifyOnly, Strategy::Kind, {{40, 8}}},
    };
    for (const auto& c : cases) {
        const TempFile file(Generated(c.Disc, {c.Write, true, c.Dips, {}}));
        const BurnReport report = ReadBurnReport(file.Path(), SameDate);
        const auto sectors = SampleSectors(file.Path());
        for (const auto* section : {&report.Write, &report.Verify}) {
            if (!*section)
                continue;
            const auto& at = sectors[section == &report.Write ? 0 : 1];
            const std::vector<Dip>& found = (*section)->Dips.Listed();
            ASSERT_EQ(found.size(), c.Dips.size()) << file.Path();
            for (std::size_t i = 0; i < found.size(); ++i) {
                EXPECT_EQ(found[i].StartSector, at[c.Dips[i].first]);
                EXPECT_EQ(found[i].EndSector, at[c.Dips[i].first + c.Dips[i].length - 1]);
                EXPECT_NEAR(found[i].LowestSpeed / found[i].ExpectedSpeed, 0.5, 0.03);
            }
        }
    }
}

TEST(BurnReport, BufferDrops)
{
    const struct {
        std::vector<ibggen::Stretch> Drops;
    } cases[] = {{{}}, {{{300, 4}, {1200, 1}}}, {{{0, 2}, {1995, 5}}}};
    for (const auto& c : cases) {
        const TempFile file(Generated(ibggen::Kind::DvdBurnVerify, {ibggen::Strategy::Kind, true, {}, c.Drops}));
        const BurnReport report = ReadBurnReport(file.Path(), SameDate);
        const auto at = SampleSectors(file.Path())[0];
        ASSERT_TRUE(report.Write);
        const std::vector<SectorRun>& found = report.Write->Drops.Listed();
        ASSERT_EQ(found.size(), c.Drops.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].StartSector, at[c.Drops[i].first]);
            EXPECT_EQ(found[i].EndSector, at[c.Drops[i].first + c.Drops[i].length - 1]);
            EXPECT_EQ(found[i].Lowest, 30);
        }
    }
}

// 61 write samples 1000 sectors apart; any 15 in a row hold 10.0x to 11.4x
// once each, so every local level is their median, 10.7x.
std::string EdgeFile(const std::vector<std::pair<int, double>>& speeds, const std::vector<std::pair<int, double>>& buffers)
{
    std::string body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n";
    for (int i = 0; i < 61; ++i) {
        double speed = 10 + (i % 15) * 0.1, buffer = 100;
        for (const auto& [at, value] : speeds)
            speed = at == i ? value : speed;
        for (const auto& [at, value] : buffers)
            buffer = at == i ? value : buffer;
        char line[80];
        std::snprintf(line, sizeof line, "%.2f,%d,0,%.2f,5\r\n", speed, i * 1000, buffer);
        body += line;
    }
    GraphText text;
    text.Body = body + "[END_WRITE]\r\n";
    return text.Text();
}

TEST(BurnReport, RulesAtTheirEdges)
{
    struct Case {
        const char* Name;
        std::vector<std::pair<int, double>> Speeds, Buffers;
        std::vector<Dip> Dips;
        std::vector<SectorRun> Drops;
    };
    const Case cases[] = {
        {"a sample just below 80 % of its level", {{30, 8.55}}, {}, {{30000, 30000, 8.55, 10.7}}, {}},
        {"a sample at 80 % of its level", {{30, 8.56}}, {}, {}, {}},
        {"a dip taking in its low neighbours", {{29, 5}, {30, 4}, {31, 5}}, {}, {{29000, 31000, 4, 10.7}}, {}},
        // The last sample with 15 after it, and one more low before it comes back.
        {"a dip found where the stretch ends", {{45, 5}, {46, 5}}, {}, {{45000, 46000, 5, 10.7}}, {}},
        {"the buffer at 50 %", {}, {{20, 50}}, {}, {}},
        {"the buffer just below 50 %", {}, {{20, 49.99}, {21, 40}, {22, 50}}, {}, {{20000, 21000, 40}}},
        {"the buffer below 50 % at the last sample", {}, {{60, 10}}, {}, {{60000, 60000, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TempFile file(EdgeFile(c.Speeds, c.Buffers));
        const BurnReport report = ReadBurnReport(file.Path(), SameDate);
        ASSERT_TRUE(report.Write) << report.Error;
        const auto& dips = report.Write->Dips.Listed();
        ASSERT_EQ(dips.size(), c.Dips.size());
        for (std::size_t i = 0; i < dips.size(); ++i) {
            EXPECT_EQ(dips[i].StartSector, c.Dips[i].StartSector);
            EXPECT_EQ(dips[i].EndSector, c.Dips[i].EndSector);
            EXPECT_EQ(dips[i].LowestSpeed, c.Dips[i].LowestSpeed);
            EXPECT_DOUBLE_EQ(dips[i].ExpectedSpeed, c.Dips[i].ExpectedSpeed);
        }
        const auto& drops = report.Write->Drops.Listed();
        ASSERT_EQ(drops.size(), c.Drops.size());
        for (std::size_t i = 0; i < drops.size(); ++i) {
            EXPECT_EQ(drops[i].StartSector, c.Drops[i].StartSector);
            EXPECT_EQ(drops[i].EndSector, c.Drops[i].EndSector);
            EXPECT_EQ(drops[i].Lowest, c.Drops[i].Lowest);
        }
    }
}

// The keys of format version 1, in the documented order: a renamed or
// moved key breaks the scripts that read them.
TEST(BurnReport, JsonKeysOfFormatVersionOne)
{
    const TempFile file(EdgeFile({{30, 5}}, {{20, 40}}));
    using Ordered = nlohmann::ordered_json;
    const Ordered json = ReportJson(ReadBurnReport(file.Path(), SameDate));
    const auto keys = [](const Ordered& object) {
        std::vector<std::string> names;
        for (const auto& item : object.items())
            names.push_back(item.key());
        return names;
    };
    using Keys = std::vector<std::string>;
    const std::vector<std::pair<std::string, Keys>> expected = {
        {"", {"file", "format_version", "drive", "info", "write", "verify", "layer_break"}},
        {"/write", {"samples", "first_sector", "last_sector", "speed", "rpm_max", "cpu", "buffer", "drops",
                    "drop_count", "dips", "dip_count", "strategy", "zones"}},
        {"/write/speed", {"start", "end", "min", "min_sector", "max", "max_sector", "mean"}},
        {"/write/cpu", {"max", "mean"}},
        {"/write/buffer", {"min", "min_sector", "mean"}},
        {"/write/drops/0", {"start_sector", "end_sector", "lowest"}},
        {"/write/dips/0", {"start_sector", "end_sector", "lowest_speed", "expected_speed"}},
        {"/info", Keys(std::begin(InfoCaptionTexts), std::end(InfoCaptionTexts))},
    };
    for (const auto& [pointer, names] : expected)
        EXPECT_EQ(keys(json.at(Ordered::json_pointer(pointer))), names) << pointer;
    EXPECT_EQ(json.at("format_version"), 1);
}

// Places in the unit the speed chart captions for the media: binary MB on a
// CD, binary GB on the rest; the disc's size also as labels give it.
TEST(BurnReport, PlacesInTheChartsUnit)
{
    const struct {
        const char* Media;
        const char* DataType;
        const char* Capacity;
        const char* Expected;
    } cases[] = {
        {"DVD+R", "MODE1/2048", "2295104", "Media           DVD+R, ACME-R16-000, 2295104 sectors (4.38 GB; 4.70 GB as labels give it)\n"},
        {"DVD+R", "MODE1/2048", "2295104", "max 11.40x at sector 14000 (0.03 GB)\n"},
        {"CD-R", "MODE1/2048", "359844", "Media           CD-R, ACME-R16-000, 359844 sectors (702.8 MB)\n"},
        {"CD-R", "MODE1/2048", "359844", "max 11.40x at sector 14000 (27.3 MB)\n"},
        {"BD-R", "MODE1/2048", "12219392", "Layer break     sector 1100000 (2.10 GB)\n"},
    };
    for (const auto& c : cases) {
        GraphText text;
        text.MediaType = c.Media;
        text.DataType = c.DataType;
        text.Capacity = c.Capacity;
        text.LayerBreak = "1100000";
        const std::string body = EdgeFile({}, {});
        text.Body = body.substr(body.find("[END_CONFIGURATION]"));
        const TempFile file(text.Text());
        const std::string report = ReportText(ReadBurnReport(file.Path(), SameDate));
        EXPECT_NE(report.find(c.Expected), std::string::npos) << report;
    }
}

} // namespace
} // namespace velantro
