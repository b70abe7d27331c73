#include "support/process.h"
#include "support/window.h"
#include "graphfile/graphreader.h"

#include <ibggen.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace velantro {
namespace {

using testing::ProcessResult;

// No display: the commands must not need one.
ProcessResult Velantro(std::vector<std::string> arguments, const std::string& locale = "en_US.UTF-8")
{
    arguments.insert(arguments.begin(), VELANTRO_EXE);
    return testing::RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LC_ALL=" + locale});
}

std::string Example(const std::string& name) { return std::string(EXAMPLES_DIR) + "/" + name; }

// "key: value" or "key=value" lines; the first of each key counts.
std::map<std::string, std::string> Pairs(std::string text, const std::string& separator)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::map<std::string, std::string> pairs;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (const auto at = line.find(separator); at != std::string::npos)
            pairs.emplace(line.substr(0, at), line.substr(at + separator.size()));
    return pairs;
}

TEST(InfoCommand, ValuesAsInTheFile)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dvd-verify.ibg", "write+verify"}, {"dvd-dl.ibg", "write+verify"}, {"cd-write.ibg", "write"},
        {"bd-verify.ibg", "verify"},        {"no-sections.ibg", "none"},    {"empty-write-verify.ibg", "verify"},
        {"lf-endings.ibg", "write+verify"}, {"cr-endings.ibg", "write"},
    };
    const std::map<std::string, std::string> asInFile = {
        {"Drive", "DEVICE_MAKEMODEL"}, {"Firmware", "DEVICE_FIRMWAREVERSION"}, {"Media Type", "MEDIA_TYPE"},
        {"Media ID", "MEDIA_ID"},      {"Capacity", "MEDIA_CAPACITY"},        {"Data Sectors", "DATA_SECTORS"},
        {"Data Type", "DATA_TYPE"},
    };
    for (const auto& [file, sections] : cases) {
        SCOPED_TRACE(file);
        std::ifstream in(Example(file), std::ios::binary);
        auto header = Pairs(std::string(std::istreambuf_iterator<char>(in), {}), "=");
        const ProcessResult result = Velantro({"--info", Example(file)});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 19);
        auto info = Pairs(result.Out, ": ");
        for (const auto& [caption, key] : asInFile)
            EXPECT_EQ(info[caption], header[key]) << caption;
        EXPECT_EQ(info["Sample Rate"], header["SAMPLE_RATE"] + " ms");
        EXPECT_EQ(info["Sections"], sections);
        // A Windows-1252 byte in the file.
        EXPECT_TRUE(file != "cd-write.ibg" || info["Volume Label"] == "Soir\xc3\xa9" "e_2026") << info["Volume Label"];
    }
}

TEST(InfoCommand, DateFollowsTheLocale)
{
    const testing::TempFile file(testing::GraphText().Text());
    EXPECT_EQ(Pairs(Velantro({"--info", file.Path()}, "de_DE.UTF-8").Out, ": ")["Date/Time"], "28.11.26 21:14:33");
}

// The export is the window as it looks with the file loaded and the options
// applied; numbers read alike under a decimal comma, where only the date in
// the information panel differs: the charts and their axes are compared.
TEST(ExportCommand, IsTheWindowWithTheOptions)
{
    const testing::TempFile folder;
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes boxes;
    const std::string dvd = Example("dvd-verify.ibg"), out = folder.In("shot.png");
    const std::vector<std::tuple<std::vector<std::string>, std::function<void(MainWindow&)>, const char*>> cases = {
        {{}, [](MainWindow&) {}, "en_US.UTF-8"},
        {{"--hide", "write-speed,verify-cpu"}, [](MainWindow& f) { f.SeriesBoxes[0]->click(), f.SeriesBoxes[6]->click(); },
         "C"},
        {{"--raw"}, [](MainWindow& f) { f.RawData->click(); }, "C"},
        {{"--average", "25"},
         [](MainWindow& f) { f.BlockSizeBox->setCurrentIndex(5), emit f.BlockSizeBox->activated(5); }, "C"},
        {{"--range", "1000000:1100000"}, [](MainWindow& f) { f.ZoomCharts(ZoomRange{1000000, 1100000}); }, "C"},
        {{"--range", "-5:1e12"}, [](MainWindow&) {}, "C"}, // cut to the chart: the whole
        {{"--fit"}, [](MainWindow& f) { f.FitScaleAction->trigger(); }, "C"},
        {{}, [](MainWindow&) {}, "de_DE.UTF-8"},
    };
    for (auto [arguments, act, locale] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments) + locale);
        MainWindow form(dvd, &dialogs, &boxes);
        form.setAttribute(Qt::WA_DontShowOnScreen);
        form.show();
        act(form);
        arguments.insert(arguments.begin(), {"--export", out});
        arguments.push_back(dvd);
        const ProcessResult result = Velantro(arguments, locale);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, "");
        const QImage exported = QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
        const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(exported.size(), shown.size());
        const QRect charts(225, 0, shown.width() - 225, shown.height());
        EXPECT_TRUE(exported.copy(charts) == shown.copy(charts));
    }
    EXPECT_TRUE(boxes.Shown.empty());
}

// Exit 1 names the file and why, exit 2 shows the usage; nothing on standard output, no picture.
TEST(Commands, RejectedFilesAndUsage)
{
    const testing::TempFile blank(testing::GraphText{.Body = "[END_CONFIGURATION]\r\n[START_VERIFY]\r\n1,2,3,4\r\n\r\n"
                                                             "[END_VERIFY]\r\n"}.Text());
    const testing::TempFile binary(std::string("\0\xff\x01garbage\r\n\0", 13));
    const testing::TempFile oneLine("just a line of text\n");
    const testing::TempFile noCapacity(
        testing::GraphText{.Capacity = "0",
                           .Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n1,2,3,4,5\r\n[END_WRITE]\r\n"}
            .Text());
    const std::string dvd = Example("dvd-verify.ibg"), cut = Example("truncated-write.ibg"), out = blank.In("x.png");
    const std::string invalid = ": does not appear to be a valid .ibg file", missing = "/nonexistent/disc.ibg";
    // Arguments, exit status, the start of standard error after "velantro: " when a file is refused.
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"--info", cut}, 1, cut + invalid},
        {{"--info", blank.Path()}, 1, blank.Path() + invalid},
        {{"--info", missing}, 1, missing + invalid},
        {{"--info", binary.Path()}, 1, binary.Path() + invalid},
        {{"--info", blank.Folder()}, 1, blank.Folder() + invalid},
        {{"--export", out, missing}, 1, missing + invalid},
        {{"--export", out, cut}, 1, cut + invalid},
        {{"--export", blank.In("a/x.png"), dvd}, 1,
         "cannot write " + blank.In("a/x.png") + ": No such file or directory\n"},
        {{"--info", oneLine.Path()}, 1, oneLine.Path() + invalid + " (not a graph file)\n"},
        {{"--samples", oneLine.Path()}, 1, oneLine.Path() + invalid + " (not a graph file)\n"},
        {{"--report", oneLine.Path()}, 1, oneLine.Path() + invalid + " (not a graph file)\n"},
        {{"--compare", out, oneLine.Path()}, 1, oneLine.Path() + invalid + " (not a graph file)\n"},
        {{"--report", noCapacity.Path()}, 1, noCapacity.Path() + invalid + " (line 23: MEDIA_CAPACITY is 0"},
        {{"--export", out, "--range", "", dvd}, 2, ""},              {{"--compare", out, "--range", "", dvd}, 2, ""},
        {{"--report", "--range", "", dvd}, 2, ""},                  {{"--export", out, dvd, "--range"}, 2, ""},
        {{"--export", out, "--average", "0x0a", dvd}, 2, ""},       {{"--thumbnail", "1e2", dvd, out}, 2, ""},
        {{"--info"}, 2, ""},                                        {{"--frobnicate"}, 2, ""},
        {{"--export", out, "--average", "7", dvd}, 2, ""},          {{"--export", out, "--hide", "none", dvd}, 2, ""},
        {{"--export", out, "--raw", "--average", "5", dvd}, 2, ""}, {{"--export", blank.In("x.jpg"), dvd}, 2, ""},
        {{"--export", out, dvd, dvd}, 2, ""},                       {{"--export", out, "--range", "5:3", dvd}, 2, ""},
        {{"--export", out, "--range", "0:nan", dvd}, 2, ""},        {{"--export", out, "--range", "1:2:3", dvd}, 2, ""},
    };
    for (const auto& [arguments, exitCode, refused] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const ProcessResult result = Velantro(arguments);
        EXPECT_EQ(result.ExitCode, exitCode);
        EXPECT_EQ(result.Out, "");
        EXPECT_TRUE(exitCode == 2 ? result.Err.find("Usage: velantro") != std::string::npos
                                  : result.Err.find("velantro: " + refused) != std::string::npos) << result.Err;
        EXPECT_FALSE(std::filesystem::exists(out) || std::filesystem::exists(blank.In("x.jpg")));
    }
    EXPECT_EQ(Velantro({"--version"}).Out, "velantro " VELANTRO_VERSION "\n");
    EXPECT_NE(Velantro({"--help"}).Out.find("--info FILE"), std::string::npos);
}

// Newest first; files of the same time by name, capitals or not.
TEST(ListCommand, NewestFirstThenByName)
{
    const testing::TempFile home("", "unused");
    const std::string folder = home.In("prefix/drive_c/users/u/AppData/Roaming/ImgBurn/Graph Data Files");
    std::filesystem::create_directories(folder);
    const auto now = std::filesystem::file_time_type::clock::now();
    // Name, age in minutes.
    const std::vector<std::pair<std::string, int>> files = {{"b.ibg", 5}, {"C.ibg", 5}, {"a.ibg", 5}, {"new.ibg", 1},
                                                            {"old.ibg", 60}};
    for (const auto& [name, age] : files) {
        std::ofstream(folder + "/" + name) << ibggen::Generate({ibggen::Kind::CdWriteOnly, 20});
        std::filesystem::last_write_time(folder + "/" + name, now - std::chrono::minutes(age));
    }
    const ProcessResult result = testing::RunProcess(
        {VELANTRO_EXE, "--list"}, {"HOME=" + home.Folder(), "WINEPREFIX=" + home.In("prefix"), "DISPLAY="});
    std::vector<std::string> listed;
    std::istringstream lines(result.Out);
    for (std::string line; std::getline(lines, line);) {
        const std::string path = line.substr(line.find('\t') + 1);
        listed.push_back(path.substr(folder.size() + 1, path.find('\t') - folder.size() - 1));
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"new.ibg", "a.ibg", "b.ibg", "C.ibg", "old.ibg"})) << result.Err;
}

// A read log written under de-DE reads as the same log written under en-US,
// by every command; only the note tells them apart. Its date stays text.
TEST(DecimalComma, ReadsAsTheEnUsLog)
{
    const testing::TempFile folder;
    const std::string note = std::string(DecimalCommaText) + "\n";
    for (const ibggen::Kind kind : {ibggen::Kind::ReadLog, ibggen::Kind::HddReadLog}) {
        SCOPED_TRACE(std::string(ibggen::KindName(kind)));
        const std::string en = folder.In("en.ibg"), de = folder.In("de.ibg");
        ASSERT_TRUE(ibggen::WriteFile({kind, 400, "\r\n", 11, ibggen::NumberFormat::EnUs}, en));
        ASSERT_TRUE(ibggen::WriteFile({kind, 400, "\r\n", 11, ibggen::NumberFormat::DeDe}, de));
        const auto run = [](std::vector<std::string> arguments, const std::string& file) {
            arguments.push_back(file);
            const ProcessResult result = Velantro(arguments);
            EXPECT_EQ(result.ExitCode, 0) << result.Err;
            return result.Out;
        };
        const std::string samples = run({"--samples"}, de);
        EXPECT_EQ(samples, run({"--samples"}, en));
        EXPECT_EQ(std::count(samples.begin(), samples.end(), '\n'), 401);

        std::ifstream in(de, std::ios::binary);
        const std::string date = Pairs(std::string(std::istreambuf_iterator<char>(in), {}), "=")["DATE"];
        const std::string info = run({"--info"}, en);
        EXPECT_NE(info.find("\nDate/Time: " + date + "\n"), std::string::npos) << date;
        EXPECT_EQ(run({"--info"}, de), info + note);

        const auto report = [&](const std::string& format, const std::string& file) {
            std::string text = run({"--report", "--format", format}, file);
            for (std::size_t at; (at = text.find(file)) != std::string::npos;)
                text.replace(at, file.size(), "FILE");
            return text;
        };
        const std::string text = report("text", en);
        const std::size_t burn = text.find('\n', text.find("\nBurn ") + 1) + 1;
        EXPECT_EQ(report("text", de), text.substr(0, burn) + note + text.substr(burn));
        auto json = nlohmann::json::parse(report("json", en));
        EXPECT_FALSE(json[0].contains("decimal_comma"));
        json[0]["decimal_comma"] = true;
        EXPECT_EQ(nlohmann::json::parse(report("json", de)), json);

        // The note under the information values; the charts alike.
        std::array<QImage, 2> shots;
        for (int i = 0; i < 2; ++i) {
            const std::string out = folder.In(std::to_string(i) + ".png");
            run({"--export", out}, i == 0 ? en : de);
            shots[static_cast<std::size_t>(i)] = QImage(QString::fromStdString(out));
        }
        const QRect charts(225, 0, shots[0].width() - 225, shots[0].height());
        EXPECT_TRUE(shots[0].copy(charts) == shots[1].copy(charts));
        EXPECT_FALSE(shots[0] == shots[1]);
    }
}

} // namespace
} // namespace velantro
