#include "support/graphtext.h"
#include "support/process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
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
    const std::string reason = "velantro: " + bad + ": line 728: sample line too short\n";
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
