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

} // namespace
} // namespace velantro
