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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        const QString separators = c.Separators ? QString::fromLatin1(c.Separators) : PathSeparators();
        const GraphPathSplit split = SplitGraphPath(QString::fromUtf8(c.Path), separators);
        EXPECT_EQ(split.Found, c.Found);
        EXPECT_EQ(split.Folder, QString::fromUtf8(c.Folder));
        EXPECT_EQ(split.Name, QString::fromUtf8(c.Name));
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
        const QString path = CommandLinePath(QString::fromUtf8(c.Argument));
        EXPECT_EQ(path, QString::fromUtf8(c.Path));
        EXPECT_EQ(HasIbgEnding(path), c.Accepted);
    }
}

} // namespace
} // namespace velantro
