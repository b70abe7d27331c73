#include "app/graphpath.h"

#include <gtest/gtest.h>

namespace velantro {
namespace {

TEST(GraphPath, SplitFolderAndName)
{
    // No separators given: the platform's.
    struct Case { const char* Path; const char* Separators; bool Found; const char* Folder; const char* Name; };
    const Case cases[] = {
        {"/home/me/graphs/disc.ibg", nullptr, true, "/home/me/graphs/", "disc"},
        {"C:\\Graphs\\disc.ibg", "\\/", true, "C:\\Graphs\\", "disc"},
        // A backslash is no separator where "/" alone is.
        {"C:\\Graphs\\disc.ibg", "/", false, "", ""},
        {"disc.ibg", nullptr, false, "", ""},
        // The last four characters never count, whatever they are.
        {"/data/graphibg", nullptr, true, "/data/", "grap"},
        {"/data/a/ibg", nullptr, true, "/data/", "a"},
        // Characters, not bytes: a two-byte UTF-8 one among the last four; a Latin-1 name byte by byte.
        {"/d/a\xc3\xa9ibg", nullptr, true, "/d/", "a"},
        {"/d/caf\xe9.ibg", nullptr, true, "/d/", "caf\xe9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        const GraphPathSplit split = SplitGraphPath(c.Path, c.Separators ? c.Separators : PathSeparators());
        EXPECT_EQ(split.Found, c.Found);
        EXPECT_EQ(split.Folder, c.Folder);
        EXPECT_EQ(split.Name, c.Name);
    }
}

TEST(GraphPath, CommandLineQuotesAndEnding)
{
    struct Case { const char* Argument; const char* Path; bool Accepted; };
    const Case cases[] = {
        {"/g/disc.Ibg", "/g/disc.Ibg", false},
        // After a leading quote the last character goes unseen, quote or not.
        {"\"/g/disc.ibgX", "/g/disc.ibg", true},
        {"\"", "", false},
        {"/g/disc.ibg ", "/g/disc.ibg ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Argument);
        const std::string path = CommandLinePath(c.Argument);
        EXPECT_EQ(path, c.Path);
        EXPECT_EQ(HasIbgEnding(path), c.Accepted);
    }
}

} // namespace
} // namespace velantro
