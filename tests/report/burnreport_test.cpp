#include "graphfile/samplescan.h"
#include "report/reportformats.h"
#include "report/strategy.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>
#include <ibggen.h>

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

} // namespace
} // namespace velantro
