#include "support/passrun.h"

#include <gtest/gtest.h>

#include <map>

namespace velantro {
namespace {

using testing::GraphText;
using testing::PassRun;

TEST(Header, ValuesOfEachSpeedBlock)
{
    const std::vector<std::pair<std::string, std::map<int, std::string>>> cases = {
        {GraphText().SpeedBlock,
         {{8, " 12 Mins  34 Secs"}, {11, "16x"}, {12, "6.00x"}, {13, "11.50x"}, {14, "16.00x"}, {15, "16.10x"},
          {16, "No"}}},
        {"VERIFY_SPEED_START=2.40\r\nVERIFY_SPEED_END=8.00\r\nVERIFY_SPEED_AVERAGE=5.20\r\n"
         "VERIFY_SPEED_MAX=8.10\r\nVERIFY_TIME_TAKEN=61\r\n",
         {{8, " 1 Mins  1 Secs"}, {11, "N/A"}, {12, "2.40x"}, {13, "5.20x"}, {14, "8.00x"}, {15, "8.10x"},
          {16, "N/A"}}},
        // No speed block: another file's speeds must not stay on show.
        {"", {{8, " 0 Mins  0 Secs"}, {11, "N/A"}, {12, "N/A"}, {15, "N/A"}, {16, "N/A"}}},
        // After the first line of a block only the key lengths matter.
        {"WRITE_TEST_MODE=Yes\r\nXXXXXXXXXXXXXXXXXXXX=8x\r\nYYYYYYYYYYYYYYYYY=4\r\nZZZZZZZZZZZZZZZ=8\r\n"
         "AAAAAAAAAAAAAAAAAAA=6\r\nBBBBBBBBBBBBBBB=8.2\r\nCCCCCCCCCCCCCCCC=120.5\r\n",
         {{8, " 2 Mins  .5 Secs"}, {11, "8x"}, {12, "4x"}, {13, "6x"}, {14, "8x"}, {15, "8.2x"}, {16, "Yes"}}},
    };
    const std::map<int, std::string> fixed = {{0, "1.02"}, {1, "HOLIDAY"}, {2, "ACME-R16-000"}, {3, "DVD+R"},
                                              {4, "DVD+R"}, {5, " 2295104"}, {6, " 2000000"}, {7, "MODE1/2048"},
                                              {9, "date(2026-11-28 21:14:33)"}, {10, "1000 ms"}};
    for (auto [block, values] : cases) {
        PassRun run;
        ASSERT_TRUE(run.LoadBody("", {.SpeedBlock = block}).Loaded) << block;
        values.insert(fixed.begin(), fixed.end());
        for (const auto& [index, value] : values)
            EXPECT_EQ(run.Fields.InfoCaptions.at(index), value) << index;
    }
}

TEST(Header, PanelsAreCentredOnTheirRows)
{
    PassRun run;
    ASSERT_TRUE(run.LoadBody("", {.Make = std::string(400, 'M')}).Loaded);
    EXPECT_EQ(run.Controls.Pictures[7].Printed.at(0).X, 0); // wider than the panel: printed from X = 0
    const auto& values = run.Controls.Pictures[5].Printed;
    ASSERT_EQ(values.size(), 17u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].Y, 285.0 * static_cast<double>(i));
        EXPECT_DOUBLE_EQ(values[i].X, (3000 - 10.0 * static_cast<double>(values[i].Text.size())) / 2);
    }
}

TEST(Header, AcceptedAndRejected)
{
    const std::string good = GraphText().Text();
    std::string unix = good, movedId = good;
    std::erase(unix, '\r');
    movedId.erase(movedId.find("MEDIA_ID="), 23).insert(movedId.find("MEDIA_BOOKTYPE="), "MEDIA_ID=X\r\n");
    const std::vector<std::tuple<const char*, std::string, bool>> cases = {
        {"as it is", good, true},
        {"unix line ends", unix, true},
        {"other lines", std::string(good).insert(good.find("MEDIA_TYPE="), "; note\r\n\r\nX=1\r\n"), true},
        {"several slashes", GraphText{.MediaType = "CD-R", .DataType = "MODE2/FORM1/2336"}.Text(), true},
        {"no slash, unknown media", GraphText{.MediaType = "XY-R", .DataType = "MODE1"}.Text(), true},
        {"no slash: a sector size of 0", GraphText{.DataType = "MODE1"}.Text(), false},
        {"sector size beyond 16 bits", GraphText{.DataType = "MODE1/40000"}.Text(), false},
        {"capacity beyond a double", GraphText{.Capacity = "1e999"}.Text(), false},
        {"empty file", "", false},
        {"missing file", "", false},
        {"key missing", std::string(good).erase(good.find("SAMPLE_RATE="), 18), false},
        {"MEDIA_ID before MEDIA_BOOKTYPE", movedId, false},
        {"key with a leading blank", std::string(good).insert(good.find("MEDIA_TYPE="), " "), false},
        {"speed block cut short", GraphText().Header() + "WRITE_TEST_MODE=No\r\nWRITE_SPEED_SELECTED=16x\r\n", false},
        {"no speed block, no end of configuration", GraphText().Header(), false},
        {"end of configuration with a blank", GraphText().Header() + "[END_CONFIGURATION] \r\n", false},
    };
    for (const auto& [name, text, loads] : cases) {
        SCOPED_TRACE(name);
        PassRun run;
        run.Controls.Ticked[2] = 0;
        const bool loaded = std::string(name) == "missing file" ? run.Load("/nonexistent/disc.ibg").Loaded
                                                                 : run.LoadText(text).Loaded;
        EXPECT_EQ(loaded, loads);
        EXPECT_EQ(run.Controls.Messages, std::vector<std::string>(loads ? 0 : 1, testing::FileErrorMessage));
        // A new file ticks every box before it is read, and a failure keeps that.
        EXPECT_EQ(run.Controls.Ticked[2], 1);
        EXPECT_EQ(run.Fields.GraphFilePath.empty(), !loads);
    }
}

TEST(Header, FailureKeepsWhatWasReached)
{
    PassRun run;
    ASSERT_TRUE(run.LoadText(GraphText().Text()).Loaded);
    const std::string loaded = run.Fields.LoadedFilePath;
    const int speedClears = run.Controls.Speed().ClsCount;
    const auto valuesBefore = run.Controls.Pictures[5].Printed.size();

    // MEDIA_ID missing: the drive panel and the media type already show the
    // new file; the value panel and the charts are untouched.
    std::string text = GraphText{.MediaType = "CD-R", .Make = "OTHER DRIVE"}.Text();
    EXPECT_FALSE(run.LoadText(text.erase(text.find("MEDIA_ID="), 23)).Loaded);
    EXPECT_EQ(std::tie(run.Fields.GraphFilePath, run.Fields.LoadedFilePath), std::tie(loaded, loaded));
    EXPECT_EQ(run.Controls.Pictures[7].Printed.back().Text, "OTHER DRIVE");
    EXPECT_EQ(run.Fields.MediaType, "CD-R");
    EXPECT_EQ(run.Controls.Pictures[5].Printed.size(), valuesBefore);
    EXPECT_EQ(run.Controls.Speed().ClsCount, speedClears);
}

} // namespace
} // namespace velantro
