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

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The header lines of a file, key to value, read the plain way.
std::map<std::string, std::string> HeaderOf(const std::string& path)
{
    std::map<std::string, std::string> keys;
    std::string text = ReadFile(path);
    std::replace(text.begin(), text.end(), '\r', '\n');
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && !keys.count(line.substr(0, eq)))
            keys[line.substr(0, eq)] = line.substr(eq + 1);
        if (line == "[END_CONFIGURATION]")
            break;
    }
    return keys;
}

std::map<std::string, std::string> InfoLines(const std::string& out)
{
    std::map<std::string, std::string> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos)
            lines[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return lines;
}

TEST(InfoCommand, Examples)
{
    struct Case {
        const char* File;
        const char* Sections;
        bool WriteBlock;
    };
    const std::vector<Case> cases = {
        {"dvd-verify.ibg", "write+verify", true},   {"dvd-dl.ibg", "write+verify", true},
        {"cd-write.ibg", "write", true},            {"bd-verify.ibg", "verify", false},
        {"no-sections.ibg", "none", true},          {"empty-write-verify.ibg", "verify", true},
        {"lf-endings.ibg", "write+verify", true},   {"cr-endings.ibg", "write", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        const std::string path = std::string(EXAMPLES_DIR) + "/" + c.File;
        const auto result = RunProcess({VELANTRO_EXE, "--info", path}, {"LC_ALL=en_US.UTF-8"});
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Err, "");
        auto header = HeaderOf(path);
        auto info = InfoLines(result.Out);
        EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 19);
        EXPECT_EQ(result.Out.rfind("Drive: " + header["DEVICE_MAKEMODEL"] + "\n", 0), 0u);
        EXPECT_EQ(info["Firmware"], header["DEVICE_FIRMWAREVERSION"]);
        EXPECT_EQ(info["Media Type"], header["MEDIA_TYPE"]);
        EXPECT_EQ(info["Media ID"], header["MEDIA_ID"]);
        EXPECT_EQ(info["Capacity"], header["MEDIA_CAPACITY"]);
        EXPECT_EQ(info["Data Sectors"], header["DATA_SECTORS"]);
        EXPECT_EQ(info["Data Type"], header["DATA_TYPE"]);
        EXPECT_EQ(info["Sample Rate"], header["SAMPLE_RATE"] + " ms");
        EXPECT_EQ(info["Sections"], c.Sections);
        if (c.WriteBlock) {
            EXPECT_EQ(info["Write Test Mode"], header["WRITE_TEST_MODE"]);
            EXPECT_EQ(info["Speed Selected"], header["WRITE_SPEED_SELECTED"]);
            EXPECT_EQ(info["Speed Avg"], header["WRITE_SPEED_AVERAGE"] + "x");
            const int seconds = std::stoi(header["WRITE_TIME_TAKEN"]);
            EXPECT_EQ(info["Burn Time"],
                      std::to_string(seconds / 60) + " Mins  " + std::to_string(seconds % 60) + " Secs");
        } else {
            EXPECT_EQ(info["Write Test Mode"], "N/A");
            EXPECT_EQ(info["Speed Selected"], "N/A");
            EXPECT_EQ(info["Speed Max"], header["VERIFY_SPEED_MAX"] + "x");
        }
    }
}

TEST(InfoCommand, EightBitTextAndDates)
{
    const std::string path = std::string(EXAMPLES_DIR) + "/cd-write.ibg";
    const auto info = InfoLines(RunProcess({VELANTRO_EXE, "--info", path}, {"LC_ALL=en_US.UTF-8"}).Out);
    EXPECT_EQ(info.at("Volume Label"), "Soir\xc3\xa9""e_2026");

    testing::GraphText text;
    testing::TempFile file(text.Text());
    const auto us = InfoLines(RunProcess({VELANTRO_EXE, "--info", file.Path()}, {"LC_ALL=en_US.UTF-8"}).Out);
    EXPECT_EQ(us.at("Date/Time"), "11/28/26 9:14:33 PM");
    const auto de = InfoLines(RunProcess({VELANTRO_EXE, "--info", file.Path()}, {"LC_ALL=de_DE.UTF-8"}).Out);
    EXPECT_EQ(de.at("Date/Time"), "28.11.26 21:14:33");
}

TEST(InfoCommand, RejectedFilesAndUsage)
{
    const std::string message =
        "An error occurred while opening the selected file\n\nIt does not appear to be a valid .ibg file.\n";
    testing::GraphText cut;
    cut.Body = "[END_CONFIGURATION]\r\n[START_VERIFY]\r\n1,2,3,4\r\n\r\n[END_VERIFY]\r\n";
    testing::TempFile blank(cut.Text());
    testing::TempFile binary(std::string("\0\xff\x01garbage\r\n\0", 13));
    struct Case {
        std::vector<std::string> Arguments;
        int ExitCode;
        std::string Err; // "" when only the exit code and an empty output matter
    };
    const std::vector<Case> cases = {
        {{"--info", std::string(EXAMPLES_DIR) + "/truncated-write.ibg"}, 1, message},
        {{"--info", "/nonexistent/disc.ibg"}, 1, message},
        {{"--info", blank.Path()}, 1, message},
        {{"--info", binary.Path()}, 1, message},
        {{"--info", blank.Folder()}, 1, message},
        {{"--info"}, 2, ""},
        {{"--frobnicate"}, 2, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{VELANTRO_EXE};
        arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
        const auto result = RunProcess(arguments);
        SCOPED_TRACE(arguments.back());
        EXPECT_EQ(result.ExitCode, c.ExitCode);
        EXPECT_EQ(result.Out, "");
        if (!c.Err.empty())
            EXPECT_EQ(result.Err, c.Err);
        else
            EXPECT_NE(result.Err.find("Usage: velantro"), std::string::npos);
    }

    const auto version = RunProcess({VELANTRO_EXE, "--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, "velantro 1.0.1.5\n");
    const auto help = RunProcess({VELANTRO_EXE, "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("--info FILE"), std::string::npos);
}

} // namespace
} // namespace velantro
