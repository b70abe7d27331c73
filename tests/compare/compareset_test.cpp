#include "compare/compareset.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>
#include <ibggen.h>

#include <optional>
#include <tuple>

namespace velantro {
namespace {

TEST(CompareSet, ReadoutValuesOnASmallFile)
{
    testing::GraphText text;
    text.Body = "[END_CONFIGURATION]\r\n-START_WRITE\r\n4.00,0,0,90,1\r\n8.00,1000000,0,80,1\r\n"
                "12.00,2000000,0,70,1\r\n-END_WRITE\r\n-START_VERIFY\r\n6.00,0,0,1\r\n10.00,2000000,0,1\r\n"
                "-END_VERIFY\r\n";
    const testing::TempFile file(text.Text());
    // The values the readout gives at a place: a sample's own, or between two samples.
    const std::vector<std::tuple<CompareSeries, CompareAxis, double, std::optional<double>>> cases = {
        {CompareSeries::WriteSpeed, CompareAxis::Sectors, 1000000, 8},
        {CompareSeries::WriteSpeed, CompareAxis::Sectors, 500000, 6},
        {CompareSeries::WriteSpeed, CompareAxis::Sectors, 2100000, std::nullopt},
        {CompareSeries::VerifySpeed, CompareAxis::Sectors, 1000000, 8},
        {CompareSeries::WriteBuffer, CompareAxis::Sectors, 1500000, 75},
        {CompareSeries::WriteSpeed, CompareAxis::ShareOfData, 50, 8},
        {CompareSeries::VerifySpeed, CompareAxis::ShareOfData, 25, 7},
    };
    CompareSet set;
    set.Add(file.Path());
    for (const auto& [series, axis, x, expected] : cases) {
        SCOPED_TRACE(x);
        set.Rebuild(series, axis, {}, 1000);
        ASSERT_TRUE(set.Files()[0].Drawn()) << set.Files()[0].Error;
        EXPECT_EQ(set.Files()[0].Line.ValueAt(x), expected);
    }
}

// A colour stays with its file; a freed one goes to the next file drawn; a
// file that cannot be read takes none and leaves room for another.
TEST(CompareSet, ColourSlotsLastAFilesLifetime)
{
    const testing::TempFile folder("", "unused");
    const std::string good = folder.In("good.ibg"), bad = folder.In("bad.ibg");
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 50, "\r\n", 1}, good));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::TruncatedWrite, 50, "\r\n", 1}, bad));
    struct Step {
        int Remove; // index to remove, or -1 to add
        const std::string* Added;
        std::vector<int> Slots;
        std::size_t Free;
    };
    const std::vector<Step> steps = {
        {-1, &good, {0}, 7},
        {-1, &good, {0, 1}, 6},
        {-1, &bad, {0, 1, -1}, 6},
        {-1, &good, {0, 1, -1, 2}, 5},
        {0, nullptr, {1, -1, 2}, 6},
        {-1, &good, {1, -1, 2, 0}, 5},
        {1, nullptr, {1, 2, 0}, 5},
        {-1, &good, {1, 2, 0, 3}, 4},
    };
    CompareSet set;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        if (steps[i].Remove >= 0)
            set.Remove(static_cast<std::size_t>(steps[i].Remove));
        else
            set.Add(*steps[i].Added);
        set.Rebuild(CompareSeries::WriteSpeed, CompareAxis::Sectors, {}, 100);
        std::vector<int> slots;
        for (const CompareFile& file : set.Files())
            slots.push_back(file.Slot);
        EXPECT_EQ(slots, steps[i].Slots);
        EXPECT_EQ(set.FreeSlots(), steps[i].Free);
    }
    for (int more = 0; more < 5; ++more)
        set.Add(good);
    set.Rebuild(CompareSeries::WriteSpeed, CompareAxis::Sectors, {}, 100);
    EXPECT_EQ(set.DrawnCount(), std::size_t{MaxCompareFiles});
    EXPECT_EQ(set.Files().back().Slot, -1);
    EXPECT_FALSE(set.Files().back().Drawn());
}

// The axis spans the files that have the series: a verify-only BD does not
// stretch a DVD's write speed, and without a CD's verify the DVD sets it.
TEST(CompareSet, AxisOfTheFilesWithTheSeries)
{
    const testing::TempFile folder("", "unused");
    const std::string dvd = folder.In("dvd.ibg"), bd = folder.In("bd.ibg"), cd = folder.In("cd.ibg");
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 200, "\r\n", 1}, dvd));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::BdVerifyOnly, 200, "\r\n", 1}, bd));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 200, "\r\n", 1}, cd));
    const auto width = [](const std::string& path) {
        CompareSet one;
        one.Add(path);
        one.Rebuild(CompareSeries::VerifySpeed, CompareAxis::Sectors, {}, 100);
        return one.Limits().Whole;
    };
    const double dvdWidth = width(dvd), bdWidth = width(bd);
    ASSERT_GT(bdWidth, 4 * dvdWidth);
    const std::vector<std::tuple<std::vector<std::string>, CompareSeries, double>> cases = {
        {{dvd, bd}, CompareSeries::WriteSpeed, dvdWidth},
        {{bd, dvd}, CompareSeries::WriteBuffer, dvdWidth},
        {{dvd, bd}, CompareSeries::VerifySpeed, bdWidth},
        {{cd, dvd}, CompareSeries::VerifySpeed, dvdWidth},
    };
    for (const auto& [files, series, whole] : cases) {
        CompareSet set;
        for (const std::string& file : files)
            set.Add(file);
        set.Rebuild(series, CompareAxis::Sectors, {}, 100);
        EXPECT_EQ(set.Limits().Whole, whole) << files[0] << " " << static_cast<int>(series);
        EXPECT_EQ(set.DrawnCount(), files.size());
    }
}

} // namespace
} // namespace velantro
