#include "support/passrun.h"

#include <gtest/gtest.h>

#include <map>

namespace velantro {
namespace {

using testing::GraphText;
using testing::PassRun;

TEST(Header, ValuesOfEachSpeedBlock)
{
    struct Case {
        const char* Name;
        std::string SpeedBlock;
        std::map<int, std::string> Values;
    };
    const std::vector<Case> cases = {
        {"write block", GraphText().SpeedBlock,
         {{8, " 12 Mins  34 Secs"}, {11, "16x"}, {12, "6.00x"}, {13, "11.50x"}, {14, "16.00x"}, {15, "16.10x"},
          {16, "No"}}},
        {"verify block",
         "VERIFY_SPEED_START=2.40\r\nVERIFY_SPEED_END=8.00\r\nVERIFY_SPEED_AVERAGE=5.20\r\n"
         "VERIFY_SPEED_MAX=8.10\r\nVERIFY_TIME_TAKEN=61\r\n",
         {{8, " 1 Mins  1 Secs"}, {11, "N/A"}, {12, "2.40x"}, {13, "5.20x"}, {14, "8.00x"}, {15, "8.10x"},
          {16, "N/A"}}},
        {"no speed block", "",
         {{8, " 0 Mins  0 Secs"}, {11, "N/A"}, {12, "N/A"}, {15, "N/A"}, {16, "N/A"}}},
        // Only key lengths matter after the first line of a block.
        {"other keys of the same lengths",
         "WRITE_TEST_MODE=Yes\r\nXXXXXXXXXXXXXXXXXXXX=8x\r\nYYYYYYYYYYYYYYYYY=4\r\nZZZZZZZZZZZZZZZ=8\r\n"
         "AAAAAAAAAAAAAAAAAAA=6\r\nBBBBBBBBBBBBBBB=8.2\r\nCCCCCCCCCCCCCCCC=120.5\r\n",
         {{8, " 2 Mins  0.5 Secs"}, {11, "8x"}, {12, "4x"}, {13, "6x"}, {14, "8x"}, {15, "8.2x"}, {16, "Yes"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        GraphText text;
        text.SpeedBlock = c.SpeedBlock;
        PassRun run;
        ASSERT_TRUE(run.LoadText(text.Text()).Loaded) << run.Message();
        for (const auto& [index, value] : c.Values)
            EXPECT_EQ(run.Value(index), value) << index;
        EXPECT_EQ(run.Value(0), "1.02");
        EXPECT_EQ(run.Value(1), "HOLIDAY");
        EXPECT_EQ(run.Value(2), "ACME-R16-000");
        EXPECT_EQ(run.Value(3), "DVD+R");
        EXPECT_EQ(run.Value(5), " 2295104");
        EXPECT_EQ(run.Value(6), " 2000000");
        EXPECT_EQ(run.Value(7), "MODE1/2048");
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
    const auto& drive = run.Controls.Pictures[7].Printed;
    ASSERT_EQ(drive.size(), 1u);
    EXPECT_EQ(drive[0].X, 0);

    const auto& values = run.Controls.Pictures[5].Printed;
    ASSERT_EQ(values.size(), 17u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].Y, 285.0 * static_cast<double>(i));
        EXPECT_EQ(values[i].Text, run.Value(static_cast<int>(i)));
        EXPECT_DOUBLE_EQ(values[i].X, (3000 - 10.0 * static_cast<double>(values[i].Text.size())) / 2);
    }
}

TEST(Header, SectorSizeAndMediaFields)
{
    struct Case {
        std::string DataType;
        std::string MediaType;
        bool Loads;
        int SectorSize;
    };
    const std::vector<Case> cases = {
        {"MODE1/2048", "DVD+R", true, 2048},
        {"MODE2/FORM1/2336", "CD-R", true, 2336},
        {"MODE1/2048.5", "DVD+R", true, 2048},
        {"MODE1", "DVD+R", false, 0},    // no "/": a sector size of 0 for a known media type
        {"MODE1", "XY-R", true, 0},      // unknown media: the frame does not divide
        {"MODE1/40000", "DVD+R", false, 0},
        {"MODE1/-2048", "XY-R", true, -2048},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DataType + " " + c.MediaType);
        GraphText text;
        text.DataType = c.DataType;
        text.MediaType = c.MediaType;
        PassRun run;
        EXPECT_EQ(run.LoadText(text.Text()).Loaded, c.Loads);
        if (c.Loads)
            EXPECT_EQ(run.Fields.SectorSize, c.SectorSize);
        else
            EXPECT_EQ(run.Message(), testing::FileErrorMessage);
    }
}

TEST(Header, RejectedHeaders)
{
    const std::string good = GraphText().Text();
    const auto without = [&](const std::string& line) {
        std::string text = good;
        text.erase(text.find(line), line.size());
        return text;
    };
    const auto swapped = [&](const std::string& first, const std::string& second) {
        std::string text = without(first);
        text.insert(text.find(second), first);
        return text;
    };
    struct Case {
        const char* Name;
        std::string Text;
        bool Loads;
    };
    const std::vector<Case> cases = {
        {"accepted as it is", good, true},
        {"empty file", "", false},
        {"key missing", without("SAMPLE_RATE=1000\r\n"), false},
        {"MEDIA_ID before MEDIA_BOOKTYPE", swapped("MEDIA_ID=ACME-R16-000\r\n", "MEDIA_BOOKTYPE=DVD+R\r\n"), false},
        {"key with a leading blank", [&] { std::string t = good; t.insert(t.find("MEDIA_TYPE="), " "); return t; }(),
         false},
        {"other lines in the header", [&] {
             std::string t = good;
             t.insert(t.find("MEDIA_TYPE="), "; a comment\r\n\r\nOTHER_KEY=1\r\n");
             return t;
         }(), true},
        {"speed block cut short", GraphText().Header() + "WRITE_TEST_MODE=No\r\nWRITE_SPEED_SELECTED=16x\r\n", false},
        {"no speed block and no end of configuration", GraphText().Header(), false},
        {"capacity beyond a double", [&] {
             GraphText t;
             t.Capacity = "1e999";
             return t.Text();
         }(), false},
        {"unix line ends", [&] {
             std::string t;
             for (char c : good)
                 if (c != '\r')
                     t.push_back(c);
             return t;
         }(), true},
        {"end of configuration with trailing blank", [&] {
             GraphText t;
             t.SpeedBlock = "";
             t.Body = "[END_CONFIGURATION] \r\n";
             return t.Text();
         }(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PassRun run;
        EXPECT_EQ(run.LoadText(c.Text).Loaded, c.Loads);
        EXPECT_EQ(run.Controls.Messages.size(), c.Loads ? 0u : 1u);
    }
}

TEST(Header, FailureKeepsWhatWasReached)
{
    // MEDIA_ID missing: the drive panel and the media type already show the
    // new file; the value panel and the charts are untouched.
    GraphText first;
    PassRun run;
    ASSERT_TRUE(run.LoadText(first.Text()).Loaded);
    const std::string loaded = run.Fields.LoadedFilePath;
    const int speedClears = run.Controls.Speed().ClsCount;
    const auto valuesBefore = run.Controls.Pictures[5].Printed.size();

    GraphText second;
    second.Make = "OTHER DRIVE";
    second.MediaType = "CD-R";
    std::string text = second.Text();
    text.erase(text.find("MEDIA_ID="), std::string("MEDIA_ID=ACME-R16-000\r\n").size());
    EXPECT_FALSE(run.LoadText(text).Loaded);
    EXPECT_EQ(run.Message(), testing::FileErrorMessage);
    EXPECT_EQ(run.Fields.GraphFilePath, loaded);
    EXPECT_EQ(run.Fields.LoadedFilePath, loaded);
    EXPECT_EQ(run.Controls.Pictures[7].Printed.back().Text, "OTHER DRIVE");
    EXPECT_EQ(run.Fields.MediaType, "CD-R");
    EXPECT_EQ(run.Controls.Pictures[5].Printed.size(), valuesBefore);
    EXPECT_EQ(run.Controls.Speed().ClsCount, speedClears);
}

TEST(Header, MissingFileAsFirstFile)
{
    PassRun run;
    run.Controls.Ticked[2] = 0;
    EXPECT_FALSE(run.Load("/nonexistent/folder/disc.ibg").Loaded);
    EXPECT_EQ(run.Message(), testing::FileErrorMessage);
    EXPECT_EQ(run.Fields.GraphFilePath, "");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(run.Controls.Ticked[static_cast<std::size_t>(i)], 1);
        EXPECT_TRUE(run.Controls.Enabled[static_cast<std::size_t>(i)]);
    }
}

} // namespace
} // namespace velantro
