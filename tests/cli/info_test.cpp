#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace velantro {
namespace {

using testing::RunProcess;

// "key: value" or "key=value" lines; the first of each key counts.
std::map<std::string, std::string> Pairs(std::string text, const std::string& separator)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::map<std::string, std::string> pairs;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto at = line.find(separator);
        if (at != std::string::npos)
            pairs.emplace(line.substr(0, at), line.substr(at + separator.size()));
    }
    return pairs;
}

std::string Example(const std::string& name)
{
    return std::string(EXAMPLES_DIR) + "/" + name;
}

TEST(InfoCommand, Examples)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"dvd-verify.ibg", "write+verify"}, {"dvd-dl.ibg", "write+verify"}, {"cd-write.ibg", "write"},
        {"bd-verify.ibg", "verify"},        {"no-sections.ibg", "none"},    {"empty-write-verify.ibg", "verify"},
        {"lf-endings.ibg", "write+verify"}, {"cr-endings.ibg", "write"},
    };
    // Values shown as the file has them, and those that get a unit.
    const std::map<std::string, std::string> asInFile = {
        {"Firmware", "DEVICE_FIRMWAREVERSION"}, {"Media Type", "MEDIA_TYPE"}, {"Media ID", "MEDIA_ID"},
        {"Capacity", "MEDIA_CAPACITY"},         {"Data Sectors", "DATA_SECTORS"}, {"Data Type", "DATA_TYPE"},
    };
    for (const auto& [file, sections] : cases) {
        SCOPED_TRACE(file);
        std::ifstream in(Example(file), std::ios::binary);
        auto header = Pairs(std::string(std::istreambuf_iterator<char>(in), {}), "=");
        const auto result = RunProcess({VELANTRO_EXE, "--info", Example(file)}, {"LC_ALL=en_US.UTF-8"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        auto info = Pairs(result.Out, ": ");
        EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 19);
        EXPECT_EQ(info["Drive"], header["DEVICE_MAKEMODEL"]);
        for (const auto& [caption, key] : asInFile)
            EXPECT_EQ(info[caption], header[key]) << caption;
        EXPECT_EQ(info["Sample Rate"], header["SAMPLE_RATE"] + " ms");
        EXPECT_EQ(info["Sections"], sections);
        const bool burn = header.count("WRITE_TEST_MODE") != 0;
        EXPECT_EQ(info["Write Test Mode"], burn ? header["WRITE_TEST_MODE"] : "N/A");
        EXPECT_EQ(info["Speed Max"], (burn ? header["WRITE_SPEED_MAX"] : header["VERIFY_SPEED_MAX"]) + "x");
        const int seconds = std::stoi(burn ? header["WRITE_TIME_TAKEN"] : header["VERIFY_TIME_TAKEN"]);
        EXPECT_EQ(info["Burn Time"],
                  std::to_string(seconds / 60) + " Mins  " + std::to_string(seconds % 60) + " Secs");
    }
    const auto cd = Pairs(RunProcess({VELANTRO_EXE, "--info", Example("cd-write.ibg")}).Out, ": ");
    EXPECT_EQ(cd.at("Volume Label"), "Soir\xc3\xa9"
                                     "e_2026");
}

TEST(InfoCommand, DateFollowsTheLocale)
{
    testing::TempFile file(testing::GraphText().Text());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"en_US.UTF-8", "11/28/26 9:14:33 PM"},
        {"de_DE.UTF-8", "28.11.26 21:14:33"},
    };
    for (const auto& [locale, date] : cases)
        EXPECT_EQ(Pairs(RunProcess({VELANTRO_EXE, "--info", file.Path()}, {"LC_ALL=" + locale}).Out, ": ")["Date/Time"],
                  date);
}

TEST(InfoCommand, RejectedFilesAndUsage)
{
    testing::GraphText cut;
    cut.Body = "[END_CONFIGURATION]\r\n[START_VERIFY]\r\n1,2,3,4\r\n\r\n[END_VERIFY]\r\n";
    testing::TempFile blank(cut.Text());
    testing::TempFile binary(std::string("\0\xff\x01garbage\r\n\0", 13));
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"--info", Example("truncated-write.ibg")}, 1}, {{"--info", "/nonexistent/disc.ibg"}, 1},
        {{"--info", blank.Path()}, 1},                   {{"--info", binary.Path()}, 1},
        {{"--info", blank.Folder()}, 1},                 {{"--info"}, 2},
        {{"--frobnicate"}, 2},
    };
    for (const auto& [arguments, exitCode] : cases) {
        std::vector<std::string> command{VELANTRO_EXE};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const auto result = RunProcess(command);
        SCOPED_TRACE(command.back());
        EXPECT_EQ(result.ExitCode, exitCode);
        EXPECT_EQ(result.Out, "");
        if (exitCode == 1) {
            EXPECT_EQ(result.Err.rfind("velantro: " + command.back() + ": does not appear to be a valid .ibg file", 0), 0)
                << result.Err;
        } else {
            EXPECT_NE(result.Err.find("Usage: velantro"), std::string::npos);
        }
    }
    EXPECT_EQ(RunProcess({VELANTRO_EXE, "--version"}).Out, "velantro 1.0.1.5\n");
    EXPECT_NE(RunProcess({VELANTRO_EXE, "--help"}).Out.find("--info FILE"), std::string::npos);
}

} // namespace
} // namespace velantro
