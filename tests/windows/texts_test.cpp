#include "platform/generaldate.h"
#include "windows/graphpath.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace velantro {
namespace {

// The last four characters never count, whatever they are; a backslash is no
// separator where "/" alone is. Separators nullptr: the platform's; folder nullptr: none found.
TEST(GraphPath, SplitFolderAndName)
{
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> cases = {
        {"/home/me/graphs/disc.ibg", nullptr, "/home/me/graphs/", "disc"},
        {"C:\\Graphs\\disc.ibg", "\\/", "C:\\Graphs\\", "disc"},
        {"C:\\Graphs\\disc.ibg", "/", nullptr, ""},
        {"disc.ibg", nullptr, nullptr, ""},
        {"/data/graphibg", nullptr, "/data/", "grap"},
        {"/data/a/ibg", nullptr, "/data/", "a"},
        // Characters, not bytes: a two-byte UTF-8 one among the last four; a Latin-1 name byte by byte.
        {"/d/a\xc3\xa9ibg", nullptr, "/d/", "a"},
        {"/d/caf\xe9.ibg", nullptr, "/d/", "caf\xe9"},
    };
    for (const auto& [path, separators, folder, name] : cases) {
        const GraphPathSplit split = SplitGraphPath(path, separators ? separators : PathSeparators());
        const std::string found = folder ? folder : "";
        EXPECT_EQ(std::tuple(split.Found, split.Folder, split.Name), std::tuple(bool(folder), found, name)) << path;
    }
}

// Only a lower-case ending opens; no dot is needed.
TEST(GraphPath, Ending)
{
    const std::vector<std::tuple<const char*, bool>> cases = {
        {"/g/disc.Ibg", false}, {"/g/disc.ibg", true}, {"", false}, {"/g/disc.ibg ", false}, {"graphibg", true},
    };
    for (const auto& [path, accepted] : cases)
        EXPECT_EQ(HasIbgEnding(path), accepted) << path;
}

// The locale's short date, and its long time without a zone; midnight shows
// the date alone; a text that is no date stays as it is.
TEST(GeneralDate, LocaleForms)
{
    const std::vector<std::tuple<const char*, std::string, std::string>> cases = {
        {"en_GB", "2026-11-28 21:14:33", "28/11/2026 21:14:33"}, {"en_US", "2026-01-02 00:00:00", "1/2/26"},
        {"de_DE", "28.11.26 21:14", "28.11.26 21:14:00"},        {"en_US", "11/28/26 9:14 PM", "11/28/26 9:14:00 PM"},
        {"en_US", "yesterday evening", "yesterday evening"},     {"en_US", "", ""},
        {"en_US", "2026-13-45 99:00:00", "2026-13-45 99:00:00"},
    };
    for (const auto& [locale, text, shown] : cases)
        EXPECT_EQ(GeneralDate(text, QLocale(QString::fromLatin1(locale))), shown) << locale << " " << text;
}

} // namespace
} // namespace velantro
