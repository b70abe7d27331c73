#include "report/textescapes.h"

#include <gtest/gtest.h>

namespace velantro {
namespace {

// What would split a row or drive a terminal is escaped as ls escapes it;
// UTF-8 text passes; a name that is not UTF-8 is told apart.
TEST(TextEscapes, RowsAndTerminalsStayIntact)
{
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {"plain name.ibg", "plain name.ibg", true},
        {"a\tb\nc\rd", "a\\tb\\nc\\rd", true},
        {"\x1b[31mred\a", "\\033[31mred\\a", true},
        {"back\\slash", "back\\\\slash", true},
        {std::string("nul\0del\x7f", 8), "nul\\000del\\177", true},
        {"Soir\xc3\xa9" "e \xe2\x82\xac \xf0\x9f\x92\xbf", "Soir\xc3\xa9" "e \xe2\x82\xac \xf0\x9f\x92\xbf", true},
        {"csi\xc2\x9b" "2J", "csi\\302\\2332J", true},
        {"caf\xe9.ibg", "caf\\351.ibg", false},
        {"cut\xe2\x82", "cut\\342\\202", false},
        {"overlong\xc0\xaf surrogate\xed\xa0\x80", "overlong\\300\\257 surrogate\\355\\240\\200", false},
    };
    for (const auto& [text, escaped, utf8] : cases) {
        EXPECT_EQ(EscapedText(text), escaped);
        EXPECT_EQ(IsUtf8(text), utf8) << escaped;
    }
    EXPECT_EQ(HexBytes("caf\xe9"), "636166e9");
}

} // namespace
} // namespace velantro
