#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace velantro {
namespace {

namespace fs = std::filesystem;
using testing::ProcessResult;

// In `folder`, with a runtime folder given unless the test's environment
// says otherwise; a hang shows as timeout's status (124).
ProcessResult Velantro(const std::string& folder, std::vector<std::string> arguments,
                       std::vector<std::string> env = {})
{
    static const testing::TempFile runtime("", "unused");
    arguments.insert(arguments.begin(), {"/bin/sh", "-c", R"(cd "$0" && exec timeout 60 "$@")", folder, VELANTRO_EXE});
    // A name given twice would be the shell's to choose: the test's own wins.
    for (const std::string& entry : std::vector<std::string>{"QT_QPA_PLATFORM=", "DISPLAY=", "LC_ALL=C",
                                                             "XDG_RUNTIME_DIR=" + runtime.Folder()})
        if (std::none_of(env.begin(), env.end(), [&](auto& e) { return e.starts_with(entry.substr(0, entry.find('='))); }))
            env.push_back(entry);
    return testing::RunProcess(arguments, env);
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsPng(const std::string& bytes)
{
    return bytes.starts_with("\x89PNG");
}

// OUT never destroys what it names: not the input by another name, not a
// FIFO or a device, not a link; a bad size leaves it as it was.
TEST(CommandOutputs, NothingDestroyed)
{
    const std::string graph = testing::GraphText().Text();
    const auto unchanged = [&](const char* name) { return [&graph, name](auto&) { return Contents(name) == graph; }; };
    int reader = -1;
    const std::string longName = std::string(246, 'n') + ".png";
    const struct {
        std::function<void()> Make;
        std::vector<std::string> Arguments;
        int Exit;
        std::string Error; // standard error, "" for none
        std::function<bool(const ProcessResult&)> After;
    } cases[] = {
        {[] { fs::create_directory("d"); }, {"--thumbnail", "64", "x.ibg", "d/../x.ibg"}, 1,
         "velantro: d/../x.ibg is the graph file x.ibg; nothing written\n", unchanged("x.ibg")},
        {[] { fs::create_hard_link("x.ibg", "h.png"); }, {"--export", "h.png", "x.ibg"}, 1,
         "velantro: h.png is the graph file x.ibg; nothing written\n", unchanged("x.ibg")},
        {[] { fs::copy_file("x.ibg", "c.png"); }, {"--compare", "./c.png", "x.ibg", "c.png"}, 1,
         "velantro: ./c.png is the graph file c.png; nothing written\n", unchanged("c.png")},
        {[] { mkfifo("p.png", 0600); }, {"--thumbnail", "64", "x.ibg", "p.png"}, 1,
         "velantro: cannot write p.png: nothing reads from it\n", [](auto&) { return fs::is_fifo("p.png"); }},
        {[&] { mkfifo("p.png", 0600), reader = open("p.png", O_RDONLY | O_NONBLOCK); },
         {"--thumbnail", "64", "x.ibg", "p.png"}, 0, "",
         [&](auto&) {
             std::string got(65536, '\0');
             got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, read(reader, got.data(), got.size()))));
             close(reader);
             return fs::is_fifo("p.png") && IsPng(got);
         }},
        {[] {}, {"--thumbnail", "64", "x.ibg", "/dev/stdout"}, 0, "", [](auto& result) { return IsPng(result.Out); }},
        {[] { std::ofstream("k.png") << "keep"; }, {"--thumbnail", "0x10", "x.ibg", "k.png"}, 2,
         "velantro: --thumbnail: SIZE is a whole number from 1 to 4096: 0x10\n",
         [](auto&) { return Contents("k.png") == "keep"; }},
        {[] { fs::create_directory("d.png"); }, {"--export", "d.png", "x.ibg"}, 1,
         "velantro: cannot write d.png: Is a directory\n", [](auto&) { return fs::is_directory("d.png"); }},
        {[] { std::ofstream("t.png") << "old", fs::create_symlink("t.png", "l.png"); }, {"--export", "l.png", "x.ibg"},
         0, "", [](auto&) { return fs::is_symlink("l.png") && IsPng(Contents("t.png")); }},
        {[] {}, {"--thumbnail", "64", "x.ibg", longName}, 0, "",
         [&](auto&) { return IsPng(Contents(longName)) && std::distance(fs::directory_iterator("."), {}) == 2; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        const testing::TempFile input(graph, "x.ibg");
        fs::current_path(input.Folder());
        c.Make();
        const ProcessResult result = Velantro(input.Folder(), c.Arguments);
        EXPECT_EQ(result.ExitCode, c.Exit);
        EXPECT_EQ(result.Err.substr(0, result.Err.find("Usage:")), c.Error);
        EXPECT_TRUE(c.After(result));
        fs::current_path("/");
    }
}

// A standard output that fails is the command's failure, said on stderr;
// --list's rows stay rows whatever the names.
TEST(CommandOutputs, FailedStandardOutputIsSaid)
{
    const testing::TempFile home;
    const std::string graphs = home.In(".wine/drive_c/users/me/AppData/Roaming/ImgBurn/Graph Data Files");
    fs::create_directories(graphs);
    // A name that would split --list's row and column unless escaped.
    const std::string graph = graphs + "/a\tb\nc.ibg";
    fs::copy_file(std::string(EXAMPLES_DIR) + "/dvd-verify.ibg", graph);
    const std::vector<std::vector<std::string>> cases = {
        {"--info", graph}, {"--samples", graph}, {"--report", graph}, {"--report", "--format", "json", graph},
        {"--report", "--format", "csv", graph}, {"--list"}, {"--help"},
    };
    for (std::vector<std::string> arguments : cases) {
        SCOPED_TRACE(arguments[0]);
        for (const bool full : {false, true}) {
            const char* shell = full ? R"(exec "$0" "$@" >/dev/full)" : R"(exec "$0" "$@")";
            arguments.insert(arguments.begin(), {"/bin/sh", "-c", shell, VELANTRO_EXE});
            const std::vector<std::string> env = {"HOME=" + home.Folder(), "WINEPREFIX=", "LC_ALL=C"};
            const ProcessResult result = testing::RunProcess(arguments, env);
            arguments.erase(arguments.begin(), arguments.begin() + 4);
            EXPECT_EQ(result.ExitCode, full ? 1 : 0);
            EXPECT_EQ(result.Err, full ? "velantro: cannot write the output: No space left on device\n" : "");
            if (!full && arguments[0] == "--list") {
                EXPECT_EQ(result.Out.substr(result.Out.find('\t')),
                          "\t" + graphs + "/a\\tb\\nc.ibg\tKESTREL DVDRW KD-1648S\tDVD+R\twrite+verify\n");
            }
        }
    }
}

// After "--" every argument is a graph file, for every command; an empty
// range is no range.
TEST(CommandLine, DashDashEndsTheOptions)
{
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"--info", "--", "-d.ibg"}, 0},        {{"--samples", "--", "-d.ibg"}, 0},
        {{"--report", "--", "-d.ibg"}, 0},      {{"--export", "o.png", "--", "-d.ibg"}, 0},
        {{"--thumbnail", "64", "--", "-d.ibg", "o.png"}, 0}, {{"--compare", "o.png", "--", "-d.ibg"}, 0},
        {{"--info", "--"}, 2},                  {{"--info", "-d.ibg"}, 2},
        {{"--export", "o.png", "--range", "", "--", "-d.ibg"}, 2},
    };
    for (const auto& [arguments, exit] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const testing::TempFile input(testing::GraphText().Text(), "-d.ibg");
        const ProcessResult result = Velantro(input.Folder(), arguments);
        EXPECT_EQ(result.ExitCode, exit) << result.Err;
        EXPECT_EQ(fs::exists(input.In("o.png")) || !result.Out.empty(), exit == 0);
    }
}

// A scale factor that would crash or take gigabytes is ignored with a word;
// without a session's runtime folder nothing is made in the temporary folder.
TEST(CommandOutputs, HostileEnvironment)
{
    const std::string warning = " is ignored: it takes a number from 0.5 to 8\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"QT_SCALE_FACTOR=0", "velantro: QT_SCALE_FACTOR=0" + warning},
        {"QT_SCALE_FACTOR=-1", "velantro: QT_SCALE_FACTOR=-1" + warning},
        {"QT_SCALE_FACTOR=nan", "velantro: QT_SCALE_FACTOR=nan" + warning},
        {"QT_SCALE_FACTOR=100", "velantro: QT_SCALE_FACTOR=100" + warning},
        {"QT_SCALE_FACTOR=1.5", ""},
        {"XDG_RUNTIME_DIR=", ""},
    };
    for (const auto& [variable, error] : cases) {
        SCOPED_TRACE(variable);
        const testing::TempFile input(testing::GraphText().Text(), "x.ibg");
        const testing::TempFile temporary;
        for (const char* command : {"--thumbnail", "--compare"}) {
            const std::vector<std::string> arguments = command == std::string("--thumbnail")
                ? std::vector<std::string>{command, "64", "x.ibg", "o.png"}
                : std::vector<std::string>{command, "o.png", "x.ibg"};
            const ProcessResult result =
                Velantro(input.Folder(), arguments, {variable, "TMPDIR=" + temporary.Folder()});
            EXPECT_EQ(result.ExitCode, 0);
            EXPECT_EQ(result.Err, error);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(temporary.Folder()), {}), 1); // its own "graph.ibg"
    }
}

} // namespace
} // namespace velantro
