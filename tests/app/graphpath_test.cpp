#include "app/graphpath.h"

#include <gtest/gtest.h>

namespace velantro {
namespace {

TEST(GraphPath, SplitFolderAndName)
{
    struct Case {
        const char* Path;
        const char* Separators;
        bool Found;
        const char* Folder;
        const char* Name;
    };
    const Case cases[] = {
        {"/home/me/graphs/disc.ibg", "/", true, "/home/me/graphs/", "disc"},
        {"C:\\Graphs\\disc.ibg", "\\/", true, "C:\\Graphs\\", "disc"},
        {"D:\\disc.ibg", "\\/", true, "D:\\", "disc"},
        {"C:/Graphs/disc.ibg", "\\/", true, "C:/Graphs/", "disc"},
        // A backslash is no separator on Linux.
        {"C:\\Graphs\\disc.ibg", "/", false, "", ""},
        {"disc.ibg", "/", false, "", ""},
        {"/x.ibg", "/", true, "/", "x"},
        // The last four characters never count, whatever they are.
        {"/data/graphibg", "/", true, "/data/", "grap"},
        {"/data/a/ibg", "/", true, "/data/", "a"},
        {"/ibg", "/", false, "", ""},
        {"", "/", false, "", ""},
        {"/data/ölmühle.ibg", "/", true, "/data/", "ölmühle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path);
        const GraphPathSplit split = SplitGraphPath(QString::fromUtf8(c.Path), QString::fromLatin1(c.Separators));
        EXPECT_EQ(split.Found, c.Found);
        EXPECT_EQ(split.Folder, QString::fromUtf8(c.Folder));
        EXPECT_EQ(split.Name, QString::fromUtf8(c.Name));
    }
}

TEST(GraphPath, CommandLineQuotesAndEnding)
{
    struct Case {
        const char* Argument;
        const char* Path;
        bool Accepted;
    };
    const Case cases[] = {
        {"/g/disc.ibg", "/g/disc.ibg", true},
        {"\"/g/my disc.ibg\"", "/g/my disc.ibg", true},
        {"/g/DISC.IBG", "/g/DISC.IBG", false},
        {"/g/disc.Ibg", "/g/disc.Ibg", false},
        {"/g/graphibg", "/g/graphibg", true},
        {"/g/disc.ibg /g/other.ibg", "/g/disc.ibg /g/other.ibg", true},
        {"\"/g/a.ibg\" \"/g/b.ibg\"", "/g/a.ibg\" \"/g/b.ibg", true},
        // The last character goes unseen, quote or not.
        {"\"/g/disc.ibgX", "/g/disc.ibg", true},
        {"\"", "", false},
        {"\"\"", "", false},
        {"ibg", "ibg", true},
        {"bg", "bg", false},
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
