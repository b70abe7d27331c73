#include "graphfile/linereader.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"
#include "support/graphtext.h"

#include <optional>

namespace velantro {
namespace {

// Only a number beyond the range of a double fails (nullopt).
TEST(TextRules, LeadingNumber)
{
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"8.5x", 8.5}, {"abc", 0}, {"", 0}, {"   42", 42}, {"\t7", 7}, {"-2", -2}, {"+3", 3}, {".5", 0.5},
        {"5.", 5}, {".", 0}, {"-", 0}, {"1e3", 1000}, {"1E-2", 0.01}, {"1e", 1}, {"2e+", 2}, {"1.2.3", 1.2},
        {"1 024", 1024}, {"3 .5", 3.5}, {"- 2", -2}, {"12,5", 12}, {"0x10", 0}, {"7.96", 7.96},
        {"0.30000000000000004", 0.30000000000000004}, {"1234567890123456789", 1234567890123456789.0},
        {"1e-400", 0}, {"0." + std::string(400, '0') + "1", 0},
        {"1e400", std::nullopt}, {"-1e309", std::nullopt}, {std::string(400, '9'), std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        if (expected)
            EXPECT_EQ(LeadingNumber(text), *expected);
        else
            EXPECT_THROW(LeadingNumber(text), PassFailure);
    }
}

TEST(TextRules, RoundingAndTexts)
{
    // Halves to even; beyond 16 bits fails (nullopt).
    const std::vector<std::pair<double, std::optional<int>>> rounding = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {32767.4, 32767}, {-32768.5, -32768},
        {32767.5, std::nullopt}, {-32768.6, std::nullopt}, {1e300, std::nullopt},
    };
    for (const auto& [value, expected] : rounding) {
        if (expected)
            EXPECT_EQ(RoundToInt16(value), *expected) << value;
        else
            EXPECT_THROW(RoundToInt16(value), PassFailure) << value;
    }
    const std::vector<std::pair<std::string, std::string>> texts = {
        {NumberText(754), " 754"}, {NumberText(-2), "-2"}, {NumberText(-0.0), " 0"}, {NumberText(1e15), " 1E+15"},
        {NumberText(999999999999999), " 999999999999999"}, {NumberText(0.1 + 0.2), " .3"},
        {NumberText(0.0001), " .0001"}, {NumberText(0.00001), " 1E-05"}, {NumberText(-0.5), "-.5"},
        {NumberText(-1.5), "-1.5"}, {NumberText(10.5), " 10.5"}, {SingleText(0.5f), " .5"},
        {NumberText(123456789012345678.0), " 1.23456789012346E+17"}, {SingleText(1234567.0f), " 1234567"},
        {SingleText(12219390.0f), " 1.221939E+07"}, {BurnTimeText(754), " 12 Mins  34 Secs"},
        {BurnTimeText(59.5), " 0 Mins  59.5 Secs"},
        {Cp1252ToUtf8("caf\xe9 \x80\x81"), "caf\xc3\xa9 \xe2\x82\xac\xc2\x81"},
    };
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(text, expected);
    EXPECT_THROW(ToSingle(1e39), PassFailure);
}

TEST(LineReader, LineEnds)
{
    const std::string longLine(65535, 'x'); // puts a CR LF across the first chunk boundary
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}}, {"a", {"a"}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}}, {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}}, {"a\n\r", {"a", ""}}, {longLine + "\r\nb", {longLine, "b"}},
        // A line past the limit keeps its first bytes and says so; nothing after it is read.
        {std::string(300000, 'y') + "\nshort\n", {std::string(1000, 'y') + " cut"}},
    };
    for (const auto& [bytes, expected] : cases) {
        testing::TempFile file(bytes);
        LineReader reader;
        ASSERT_TRUE(reader.Open(file.Path()));
        reader.SetLineLimit(bytes.size() > 200000 ? 1000 : 100000);
        std::vector<std::string> lines;
        for (std::string_view line; reader.ReadLine(line);)
            lines.push_back(std::string(line) + (reader.LastLineCut() ? " cut" : ""));
        EXPECT_EQ(lines, expected) << bytes.substr(0, 20);
    }
}

} // namespace
} // namespace velantro
