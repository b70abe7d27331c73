#include "graphfile/linereader.h"
#include "graphfile/passfailure.h"
#include "graphfile/textrules.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace velantro {
namespace {

TEST(TextRules, LeadingNumber)
{
    struct Case {
        std::string Text;
        std::optional<double> Expected; // nothing: the reading fails
    };
    const std::vector<Case> cases = {
        {"8.5", 8.5},         {"8.5x", 8.5},      {"abc", 0},         {"", 0},
        {"   42", 42},        {"\t7", 7},         {"-2", -2},         {"+3", 3},
        {".5", 0.5},          {"5.", 5},          {".", 0},           {"-", 0},
        {"1e3", 1000},        {"1E-2", 0.01},     {"1e", 1},          {"2e+", 2},
        {"1.2.3", 1.2},       {"1 024", 1024},    {"12,5", 12},       {"0x10", 0},
        {"1e-400", 0},        {"1e400", std::nullopt},               {std::string(400, '9'), std::nullopt},
        {"0." + std::string(400, '0') + "1", 0}, {"-1e309", std::nullopt},
        // Correct rounding on the short path and the general one alike.
        {"7.96", 7.96},       {"0.1", 0.1},       {"123456789012345", 123456789012345.0},
        {"1234567890123456789", 1234567890123456789.0},              {"2.5e3x", 2500},
        {"3 .5", 3.5},        {"- 2", -2},        {"0.30000000000000004", 0.30000000000000004},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 40));
        if (c.Expected) {
            EXPECT_EQ(LeadingNumber(c.Text), *c.Expected);
        } else {
            EXPECT_THROW(LeadingNumber(c.Text), PassFailure);
        }
    }
}

TEST(TextRules, RoundToInt16HalfToEven)
{
    struct Case {
        double Value;
        std::optional<int> Expected;
    };
    const std::vector<Case> cases = {
        {2048, 2048},        {2.5, 2},         {3.5, 4},        {-2.5, -2},
        {32767.4, 32767},    {32767.5, std::nullopt},           {-32768.5, -32768},
        {-32768.6, std::nullopt}, {1e300, std::nullopt},        {0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        if (c.Expected) {
            EXPECT_EQ(RoundToInt16(c.Value), *c.Expected);
        } else {
            EXPECT_THROW(RoundToInt16(c.Value), PassFailure);
        }
    }
}

TEST(TextRules, NumberTexts)
{
    struct Case {
        double Value;
        std::string Double;
    };
    const std::vector<Case> cases = {
        {754, " 754"},
        {34.5, " 34.5"},
        {-2, "-2"},
        {0, " 0"},
        {-0.0, " 0"},
        {1e16, " 1E+16"},
        {1e15, " 1E+15"},
        {999999999999999, " 999999999999999"},
        {0.1 + 0.2, " 0.3"},
        {0.0001, " 0.0001"},
        {0.00001, " 1E-05"},
        {123456789012345678.0, " 1.23456789012346E+17"},
        {2295104, " 2295104"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberText(c.Value), c.Double) << c.Value;

    EXPECT_EQ(SingleText(1234567.0f), " 1234567");
    EXPECT_EQ(SingleText(12219390.0f), " 1.221939E+07");
    EXPECT_EQ(SingleText(10000000.0f), " 1E+07");
    EXPECT_EQ(SingleText(-1.0f), "-1");
}

TEST(TextRules, BurnTime)
{
    EXPECT_EQ(BurnTimeText(754), " 12 Mins  34 Secs");
    EXPECT_EQ(BurnTimeText(0), " 0 Mins  0 Secs");
    EXPECT_EQ(BurnTimeText(59.5), " 0 Mins  59.5 Secs");
    EXPECT_EQ(BurnTimeText(3600), " 60 Mins  0 Secs");
    EXPECT_EQ(BurnTimeText(-30), "-1 Mins  30 Secs");
}

TEST(TextRules, ValuesAndEightBitText)
{
    EXPECT_EQ(ValueFrom("DATE=now", 6), "now");
    EXPECT_EQ(ValueFrom("DATE=", 6), "");
    EXPECT_EQ(ValueFrom("WRITE", 17), "");
    EXPECT_EQ(Cp1252ToUtf8("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xc2\x81");
    EXPECT_EQ(Cp1252ToUtf8("plain"), "plain");
    EXPECT_EQ(ToSingle(2359296.0), 2359296.0f);
    EXPECT_THROW(ToSingle(1e39), PassFailure);
    EXPECT_THROW(ToSingle(std::nan("")), PassFailure);
}

TEST(LineReader, LineEnds)
{
    struct Case {
        std::string Bytes;
        std::vector<std::string> Lines;
    };
    const std::string longLine(65535, 'x'); // puts a CR LF across the first chunk boundary
    const std::vector<Case> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\r\n", {""}},
        {longLine + "\r\nb", {longLine, "b"}},
        {longLine + "\r", {longLine}},
    };
    for (const Case& c : cases) {
        testing::TempFile file(c.Bytes);
        LineReader reader;
        ASSERT_TRUE(reader.Open(file.Path()));
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line))
            lines.push_back(line);
        EXPECT_EQ(lines, c.Lines) << c.Bytes.substr(0, 20);
        EXPECT_TRUE(reader.AtEof());
    }
}

TEST(LineReader, LongLinesAreCutAndFlagged)
{
    testing::TempFile file(std::string(300000, 'y') + "\nshort\n");
    LineReader reader;
    ASSERT_TRUE(reader.Open(file.Path()));
    reader.SetLineLimit(1000);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.size(), 1000u);
    EXPECT_TRUE(reader.LastLineCut());
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "short");
    EXPECT_FALSE(reader.LastLineCut());
    EXPECT_FALSE(reader.Open(file.Folder() + "/missing.ibg"));
}

} // namespace
} // namespace velantro
