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
         {{8, " 2 Mins  0.5 Secs"}, {11, "8x"}, {12, "4x"}, {13, "6x"}, {14, "8x"}, {15, "8.2x"}, {16, "Yes"}}},
    };
    for (const auto& [block, values] : cases) {
        GraphText text;
        text.SpeedBlock = block;
        PassRun run;
        ASSERT_TRUE(run.LoadText(text.Text()).Loaded) << block;
        for (const auto& [index, value] : values)
            EXPECT_EQ(run.Value(index), value) << index;
        const std::vector<std::string> fixed = {"1.02", "HOLIDAY", "ACME-R16-000", "DVD+R", "DVD+R", " 2295104",
                                                " 2000000", "MODE1/2048"};
        for (std::size_t i = 0; i < fixed.size(); ++i)
            EXPECT_EQ(run.Value(static_cast<int>(i)), fixed[i]) << i;
        EXPECT_EQ(run.Value(9), "date(2026-11-28 21:14:33)");
        EXPECT_EQ(run.Value(10), "1000 ms");
    }
}

TEST(Header, PanelsAreCentredOnTheirRows)
{
    GraphText text;
    text.Make = std::string(400, 'M'); // wider than the panel: printed from X = 0
    PassRun run;
    ASSERT_TRUE(run.LoadText(text.Text()).Loaded);
    EXPECT_EQ(run.Controls.Pictures[7].Printed.at(0).X, 0);
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
    const auto without = [&](const std::string& line) {
        std::string text = good;
        return text.erase(text.find(line), line.size());
    };
    const auto with = [&](const std::string& before, const std::string& inserted) {
        std::string text = good;
        return text.insert(text.find(before), inserted);
    };
    const auto field = [](std::string GraphText::*member, const std::string& value, std::string mediaType) {
        GraphText t;
        t.*member = value;
        t.MediaType = std::move(mediaType);
        return t.Text();
    };
    std::string unix;
    for (char c : good)
        if (c != '\r')
            unix.push_back(c);
    const std::vector<std::tuple<const char*, std::string, bool>> cases = {
        {"as it is", good, true},
        {"unix line ends", unix, true},
        {"other lines in the header", with("MEDIA_TYPE=", "; note\r\n\r\nOTHER_KEY=1\r\n"), true},
        {"several slashes in the data type", field(&GraphText::DataType, "MODE2/FORM1/2336", "CD-R"), true},
        {"no slash, unknown media", field(&GraphText::DataType, "MODE1", "XY-R"), true},
        {"no slash: a sector size of 0", field(&GraphText::DataType, "MODE1", "DVD+R"), false},
        {"sector size beyond 16 bits", field(&GraphText::DataType, "MODE1/40000", "DVD+R"), false},
        {"capacity beyond a double", field(&GraphText::Capacity, "1e999", "DVD+R"), false},
        {"empty file", "", false},
        {"missing file", "", false},
        {"key missing", without("SAMPLE_RATE=1000\r\n"), false},
        {"MEDIA_ID before MEDIA_BOOKTYPE",
         without("MEDIA_ID=ACME-R16-000\r\n").insert(good.find("MEDIA_BOOKTYPE="), "MEDIA_ID=X\r\n"), false},
        {"key with a leading blank", with("MEDIA_TYPE=", " "), false},
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
        EXPECT_EQ(run.Controls.Messages, loads ? std::vector<std::string>{}
                                               : std::vector<std::string>{testing::FileErrorMessage});
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
    GraphText second;
    second.Make = "OTHER DRIVE";
    second.MediaType = "CD-R";
    std::string text = second.Text();
    text.erase(text.find("MEDIA_ID="), std::string("MEDIA_ID=ACME-R16-000\r\n").size());
    EXPECT_FALSE(run.LoadText(text).Loaded);
    EXPECT_EQ(run.Fields.GraphFilePath, loaded);
    EXPECT_EQ(run.Fields.LoadedFilePath, loaded);
    EXPECT_EQ(run.Controls.Pictures[7].Printed.back().Text, "OTHER DRIVE");
    EXPECT_EQ(run.Fields.MediaType, "CD-R");
    EXPECT_EQ(run.Controls.Pictures[5].Printed.size(), valuesBefore);
    EXPECT_EQ(run.Controls.Speed().ClsCount, speedClears);
}

} // namespace
} // namespace velantro
