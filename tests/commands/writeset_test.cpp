#include "support/graphtext.h"
#include "support/process.h"

#include <regex>
#include <set>

namespace velantro {
namespace {

using testing::RunProcess;

// Every path the traced run opened for writing, created, removed, or renamed or linked to (the last path named).
std::set<std::string> WrittenPaths(const std::string& log)
{
    const std::regex opened(R"re(open(at)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC).*\) = \d+$)re");
    const std::regex changed(R"re((creat|unlink|mkdir|rename|link)(at|at2)?\(.*\) = 0$)re");
    const std::regex lastPath(R"re("([^"]*)"[^"]*$)re");
    std::set<std::string> paths;
    std::ifstream in(log);
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if ((regex_search(line, opened) || regex_search(line, changed)) && regex_search(line, m, lastPath))
            paths.insert(m[1]);
    // Terminals and the null device are not files the program writes.
    std::erase_if(paths, [](const std::string& p) { return p.starts_with("/dev/"); });
    return paths;
}

TEST(WriteSet, OnlyTheCapturesAskedFor)
{
    if (RunProcess({"/usr/bin/strace", "-V"}).ExitCode != 0)
        GTEST_SKIP() << "strace is not installed";
    const testing::TempFile folder;
    const std::string graph = std::string(EXAMPLES_DIR) + "/dvd-verify.ibg", out = folder.In("shot.png");
    const auto before = std::filesystem::last_write_time(graph);
    // A session's runtime folder exists; without one the toolkit makes its own.
    // LeakSanitizer cannot run under a tracer.
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + folder.Folder(), "QT_QPA_PLATFORM=offscreen",
                                          "ASAN_OPTIONS=detect_leaks=0"};
    const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
        {{VELANTRO_EXE, "--info", graph}, false},
        {{VELANTRO_EXE, "--export", out, graph}, true},
        {{VELANTRO_EXE, "--thumbnail", "128", graph, out}, true},
        {{VELANTRO_EXE, "--list"}, false},
        {{WINDOW_DRIVER_EXE, graph, out}, true}, // load, option change, capture
    };
    for (const auto& [command, captures] : cases) {
        SCOPED_TRACE(command[1]);
        std::filesystem::remove(out);
        std::vector<std::string> traced = {"/usr/bin/strace", "-f", "-qq", "-o", folder.In("trace.log"), "-e",
                                           "trace=open,openat,creat,rename,renameat,renameat2,link,linkat,unlink,"
                                           "unlinkat,mkdir,mkdirat"};
        traced.insert(traced.end(), command.begin(), command.end());
        const auto result = RunProcess(traced, env);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        // The target and the temporary file written beside it first; the trace must see them, or it sees nothing.
        std::set<std::string> written = WrittenPaths(folder.In("trace.log"));
        EXPECT_EQ(std::erase_if(written, [&](const std::string& p) {
                      return p.starts_with(out) || p.starts_with(folder.In(".velantro-"));
                  }) > 0,
                  captures);
        if (captures)
            written.erase(folder.Folder());
        EXPECT_EQ(written, std::set<std::string>{});
        EXPECT_EQ(std::filesystem::exists(out), captures);
    }
    EXPECT_EQ(std::filesystem::last_write_time(graph), before);
}

} // namespace
} // namespace velantro
