#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <functional>

namespace velantro {
namespace {

using testing::RunProcess;

std::string Example(const std::string& name)
{
    return std::string(EXAMPLES_DIR) + "/" + name;
}

long Lines(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

// A rejected file in the middle: named on standard error with its reason,
// its entry in JSON and CSV, and the files around it reported in order.
TEST(ReportCommand, BatchWithARejectedFile)
{
    const std::string good = Example("dvd-verify.ibg"), bad = Example("truncated-write.ibg"),
                      other = Example("bd-verify.ibg");
    const std::string reason =
        "velantro: " + bad + ": does not appear to be a valid .ibg file (line 728: sample line too short)\n";
    const struct {
        std::string Format;
        std::function<void(const std::string&)> Check;
    } cases[] = {
        {"text",
         [&](const std::string& out) {
             EXPECT_EQ(out.find("File            " + good + "\n"), 0u);
             EXPECT_NE(out.find("\n\nFile            " + other + "\n"), std::string::npos);
             EXPECT_EQ(out.find(bad), std::string::npos);
         }},
        {"json",
         [&](const std::string& out) {
             const auto json = nlohmann::json::parse(out);
             ASSERT_EQ(json.size(), 3u);
             EXPECT_EQ(json[0]["file"], good);
             EXPECT_EQ(json[0]["write"]["samples"], 2000);
             EXPECT_EQ(json[1], nlohmann::json({{"file", bad}, {"error", "line 728: sample line too short"}}));
             EXPECT_TRUE(json[2]["write"].is_null());
             EXPECT_EQ(json[2]["info"]["Media Type"], "BD-R");
         }},
        {"csv",
         [&](const std::string& out) {
             ASSERT_EQ(Lines(out), 4);
             EXPECT_EQ(out.find("file,error,drive,"), 0u);
             EXPECT_NE(out.find("\n" + bad + ",line 728: sample line too short,,"), std::string::npos);
             EXPECT_NE(out.find("\n" + other + ",,NORVANE BD-RE NB-12X4,BD-R,"), std::string::npos);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Format);
        const auto result = RunProcess({VELANTRO_EXE, "--report", "--format", c.Format, good, bad, other});
        EXPECT_EQ(result.ExitCode, 1);
        EXPECT_EQ(result.Err, reason);
        c.Check(result.Out);
    }
}

// Each file's report is written as it is done: the peak memory of a batch
// ten times as long stays put. A name that is not UTF-8 can be told back.
TEST(ReportCommand, MemoryPerFileNotPerBatch)
{
    const testing::TempFile one(testing::GraphText{.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n1,0,2,3,4\r\n"
                                                          "2,9,2,3,4\r\n[END_WRITE]\r\n"}.Text(), "caf\xe9.ibg");
    std::vector<std::string> files;
    for (int i = 0; i < 3000; ++i) {
        files.push_back(one.In(std::to_string(i) + ".ibg"));
        std::filesystem::create_hard_link(one.Path(), files.back());
    }
    for (const std::string format : {"json", "csv", "text"}) {
        SCOPED_TRACE(format);
        long peak[2] = {};
        for (const std::size_t count : {300, 3000}) {
            // Measured by time(1): a process spawned from the test would count the test's own memory.
            std::vector<std::string> command = {"/usr/bin/time", "-f", "%M", "-o", one.In("peak"),
                                                VELANTRO_EXE, "--report", "--format", format, one.Path()};
            command.insert(command.end(), files.begin(), files.begin() + static_cast<long>(count));
            // Freed memory is given back at once, so that the peak is what is held.
            const auto result = RunProcess(command, {"ASAN_OPTIONS=quarantine_size_mb=0:detect_leaks=0"});
            ASSERT_EQ(result.ExitCode, 0) << result.Err;
            std::ifstream(one.In("peak")) >> peak[count == 3000];
            if (format == "json") {
                const auto json = nlohmann::json::parse(result.Out);
                EXPECT_EQ(json.size(), count + 1);
                const std::string hex = json[0].value("file_bytes", "");
                std::string name;
                for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
                    name += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
                EXPECT_EQ(name, one.Path());
                EXPECT_FALSE(json[1].contains("file_bytes"));
            }
        }
        EXPECT_LT(peak[1] - peak[0], 4 * 1024) << peak[0] << " KB for 301 files, " << peak[1] << " KB for 3001";
    }
}

TEST(ReportCommand, SamplesAndUsage)
{
    const struct {
        std::vector<std::string> Arguments;
        int ExitCode;
        long OutLines;
    } cases[] = {
        {{"--samples", Example("dvd-verify.ibg")}, 0, 4001},
        {{"--samples", Example("bd-verify.ibg")}, 0, 2501},
        {{"--samples", Example("truncated-write.ibg")}, 1, 0},
        {{"--report", Example("no-sections.ibg")}, 0, 10},
        {{"--report"}, 2, 0},
        {{"--format", "csv", Example("cd-write.ibg")}, 2, 0},
        {{"--report", "--format", "xml", Example("cd-write.ibg")}, 2, 0},
        {{"--samples", Example("cd-write.ibg"), Example("bd-verify.ibg")}, 2, 0},
    };
    for (const auto& c : cases) {
        std::vector<std::string> command{VELANTRO_EXE};
        command.insert(command.end(), c.Arguments.begin(), c.Arguments.end());
        const auto result = RunProcess(command);
        SCOPED_TRACE(c.Arguments.front() + " " + c.Arguments.back());
        EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Err;
        EXPECT_EQ(Lines(result.Out), c.OutLines);
    }
    const auto verify = RunProcess({VELANTRO_EXE, "--samples", Example("bd-verify.ibg")}).Out;
    EXPECT_EQ(verify.substr(0, verify.find('\n', 40) + 1), "section,sector,speed,rpm,buffer,cpu\nverify,0,1.86,3906,,2\n");
}

} // namespace
} // namespace velantro
