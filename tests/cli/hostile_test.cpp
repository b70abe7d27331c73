#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace velantro {
namespace {

using testing::RunProcess;

// A hang shows as the exit status of timeout (124), not as a stuck suite.
// The session's runtime folder is given so that the toolkit has nothing to say.
testing::ProcessResult Velantro(std::vector<std::string> arguments)
{
    static const testing::TempFile runtime("", "unused");
    arguments.insert(arguments.begin(), {"/usr/bin/timeout", "10", VELANTRO_EXE});
    return RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LC_ALL=C",
                                  "XDG_RUNTIME_DIR=" + runtime.Folder()});
}

TEST(HostilePaths, RefusedAtOnceByName)
{
    testing::TempFile folder("", "unused");
    const std::string dir = folder.Folder() + "/";
    mkfifo((dir + "fifo.ibg").c_str(), 0600);
    ASSERT_EQ(symlink("/dev/zero", (dir + "zero.ibg").c_str()), 0);
    std::filesystem::create_directory(dir + "folder.ibg");
    std::filesystem::resize_file(folder.Path(), std::uintmax_t{1} << 40); // sparse: a terabyte-long line
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir + "fifo.ibg", "not a regular file"}, {dir + "zero.ibg", "not a regular file"},
        {dir + "folder.ibg", "Is a directory"},   {folder.Path(), "line 1: line too long"},
        {dir + "none.ibg", "No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        const std::string expected = "velantro: " + path + ": does not appear to be a valid .ibg file (" + reason + ")\n";
        for (const auto& command : {std::vector<std::string>{"--info", path}, {"--export", dir + "x.png", path}}) {
            SCOPED_TRACE(command[0] + " " + path);
            const auto result = Velantro(command);
            EXPECT_EQ(result.ExitCode, 1);
            EXPECT_EQ(result.Err, expected);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "x.png"));
}

// Names are bytes: a Latin-1 name opens and is written as given; a failed
// write names the file and says why in the status's and the system's words.
TEST(HostilePaths, NamesAndFailedWrites)
{
    testing::TempFile graph(testing::GraphText().Text(), "caf\xe9.ibg");
    const std::string dir = graph.Folder() + "/";
    struct Case { std::string Output; int ExitCode; std::string Err; };
    const std::vector<Case> cases = {
        {dir + "caf\xe9.png", 0, ""},
        {dir + "missing/x.png", 1,
         "velantro: " + dir + "missing/x.png: cannot write: File Not Found (No such file or directory)\n"},
        {dir + "caf\xe9.ibg/x.png", 1,
         "velantro: " + dir + "caf\xe9.ibg/x.png: cannot write: File Not Found (Not a directory)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Output);
        const auto result = Velantro({"--export", c.Output, graph.Path()});
        EXPECT_EQ(result.ExitCode, c.ExitCode);
        EXPECT_EQ(result.Err, c.Err);
        EXPECT_EQ(std::filesystem::exists(c.Output), c.ExitCode == 0);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2); // nothing partial left
}

} // namespace
} // namespace velantro
