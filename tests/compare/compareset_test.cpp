#include "compare/compareset.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace velantro
