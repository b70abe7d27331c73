#include "support/recording.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace velantro {
namespace {

namespace fs = std::filesystem;

// A hang shows as timeout's status (124), not as a stuck suite. With a
// runtime folder given, the toolkit has nothing to say on standard error.
testing::ProcessResult Velantro(std::vector<std::string> arguments)
{
    static const testing::TempFile runtime("", "unused");
    arguments.insert(arguments.begin(), {"/usr/bin/timeout", "10", VELANTRO_EXE});
    return testing::RunProcess(arguments, {"QT_QPA_PLATFORM=", "DISPLAY=", "LC_ALL=C",
                                           "XDG_RUNTIME_DIR=" + runtime.Folder()});
}

// What would block or never end is refused at once: by the commands, by name
// and with the reason, and by the re-plot of a file replaced in between.
TEST(HostilePaths, RefusedAtOnce)
{
    const std::vector<std::pair<std::function<void(const std::string&)>, std::string>> cases = {
        {[](const std::string& path) { mkfifo(path.c_str(), 0600); }, "not a regular file"},
        {[](const std::string& path) { fs::create_symlink("/dev/zero", path); }, "not a regular file"},
        {[](const std::string& path) { fs::create_directory(path); }, "Is a directory"},
        // Sparse: a terabyte-long line that costs nothing unless read to its end.
        {[](const std::string& path) { std::ofstream{path}; fs::resize_file(path, std::uintmax_t{1} << 40); },
         "line 1: line too long"},
        {[](const std::string&) {}, "No such file or directory"},
    };
    for (const auto& [make, reason] : cases) {
        SCOPED_TRACE(reason);
        testing::TempFile file(testing::GraphText().Text());
        testing::PassRun run;
        ASSERT_TRUE(run.Load(file.Path()).Loaded);
        fs::remove(file.Path());
        make(file.Path());
        EXPECT_EQ(run.Load(file.Path()).Reason, reason);
        // The file shown can no longer be read: the view is left empty.
        EXPECT_FALSE(run.View.HasFile());
        const std::string out = file.Folder() + "/x.png";
        for (const auto& command : {std::vector<std::string>{"--info", file.Path()}, {"--export", out, file.Path()}}) {
            const auto result = Velantro(command);
            EXPECT_EQ(result.ExitCode, 1);
            EXPECT_EQ(result.Err, "velantro: " + file.Path() + ": does not appear to be a valid .ibg file (" + reason + ")\n");
        }
        EXPECT_FALSE(fs::exists(out));
    }
}

// Names are bytes: a Latin-1 name is read and written as given. A failed
// write names the file and says why; nothing partial stays behind.
TEST(HostilePaths, NamesAndFailedWrites)
{
    testing::TempFile graph(testing::GraphText().Text(), "caf\xe9.ibg");
    const std::string dir = graph.Folder() + "/";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir + "caf\xe9.png", ""},
        {dir + "missing/x.png", "No such file or directory"},
        {graph.Path() + "/x.png", "Not a directory"},
    };
    for (const auto& [out, reason] : cases) {
        const auto result = Velantro({"--export", out, graph.Path()});
        EXPECT_EQ(result.ExitCode, reason.empty() ? 0 : 1);
        EXPECT_EQ(result.Err, reason.empty() ? "" : "velantro: cannot write " + out + ": " + reason + "\n");
        EXPECT_EQ(fs::exists(out), reason.empty());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);
}

} // namespace
} // namespace velantro
