#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace velantro {
namespace {

using testing::RunProcess;

// Every path the traced run created, wrote, renamed to, linked or removed.
std::set<std::string> WrittenPaths(const std::string& log)
{
    std::set<std::string> paths;
    std::ifstream in(log);
    std::string line;
    const std::regex open(R"re(open(?:at)?\((?:AT_FDCWD|\d+), "([^"]*)", ([A-Z_|]+).*\) = \d+)re");
    const std::regex named(R"re((?:creat|unlink|unlinkat|mkdir|mkdirat)\((?:AT_FDCWD, |\d+, )?"([^"]*)".*\) = 0)re");
    const std::regex target(R"re((?:rename|renameat2?|link|linkat)\(.*"([^"]*)"(?:, [A-Z_0-9]+)?\) = 0)re");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, open)) {
            const std::string flags = m[2];
            if (flags.find("O_WRONLY") != std::string::npos || flags.find("O_RDWR") != std::string::npos ||
                flags.find("O_CREAT") != std::string::npos || flags.find("O_TRUNC") != std::string::npos)
                paths.insert(m[1]);
        } else if (std::regex_search(line, m, named) || std::regex_search(line, m, target)) {
            paths.insert(m[1]);
        }
    }
    // Terminals and the null device are not files the program writes.
    std::erase_if(paths, [](const std::string& p) { return p.rfind("/dev/", 0) == 0; });
    return paths;
}

TEST(WriteSet, OnlyTheCapturesAskedFor)
{
    if (RunProcess({"/usr/bin/strace", "-V"}).ExitCode != 0)
        GTEST_SKIP() << "strace is not installed";
    testing::TempFile folder("", "unused");
    const std::string graph = std::string(EXAMPLES_DIR) + "/dvd-verify.ibg";
    const auto before = std::filesystem::last_write_time(graph);
    const std::string out = folder.Folder() + "/shot.png";
    const std::string log = folder.Folder() + "/trace.log";
    // A session's runtime folder exists; without one the toolkit makes its own.
    // LeakSanitizer cannot run under a tracer.
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + folder.Folder(), "QT_QPA_PLATFORM=offscreen",
                                          "ASAN_OPTIONS=detect_leaks=0"};

    struct Case {
        const char* Name;
        std::vector<std::string> Command;
        std::set<std::string> Allowed;
    };
    const std::vector<Case> cases = {
        {"info", {VELANTRO_EXE, "--info", graph}, {}},
        {"export", {VELANTRO_EXE, "--export", out, graph}, {out, folder.Folder()}},
        {"thumbnail", {VELANTRO_EXE, "--thumbnail", "128", graph, out}, {out, folder.Folder()}},
        {"list", {VELANTRO_EXE, "--list"}, {}},
        {"window: load, option change, capture", {WINDOW_DRIVER_EXE, graph, out}, {out, folder.Folder()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove(out);
        std::vector<std::string> traced = {"/usr/bin/strace", "-f", "-qq", "-o", log, "-e",
                                           "trace=open,openat,creat,rename,renameat,renameat2,link,linkat,unlink,"
                                           "unlinkat,mkdir,mkdirat"};
        traced.insert(traced.end(), c.Command.begin(), c.Command.end());
        const auto result = RunProcess(traced, env);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        const std::set<std::string> written = WrittenPaths(log);
        // The trace must see the capture itself, or it sees nothing at all.
        EXPECT_EQ(std::any_of(written.begin(), written.end(), [&](const std::string& p) { return p.rfind(out, 0) == 0; }),
                  !c.Allowed.empty());
        for (const std::string& path : written) {
            // QSaveFile writes a temporary file beside the target first.
            const bool besideTarget = path.rfind(out, 0) == 0;
            EXPECT_TRUE(c.Allowed.count(path) || (!c.Allowed.empty() && besideTarget)) << path;
        }
        EXPECT_EQ(std::filesystem::exists(out), !c.Allowed.empty());
    }
    EXPECT_EQ(std::filesystem::last_write_time(graph), before);
}

} // namespace
} // namespace velantro
