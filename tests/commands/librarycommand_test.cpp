#include "support/graphtext.h"
#include "support/process.h"

#include "library.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <functional>

namespace velantro {
namespace {

using testing::RunProcess;
using testing::TempFile;

long Lines(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

// The rows and groups of a folder in each form, as the other commands write them.
TEST(LibraryCommand, FormsStatusAndUsage)
{
    TempFile folder("[START_CONFIGURATION]\n", "torn.ibg");
    const auto plan = ibggen::LibraryPlan(18, 200);
    ASSERT_TRUE(ibggen::WriteLibrary(plan, folder.Folder()));
    std::ofstream(folder.In("dash\tname.ibg")) << ibggen::Generate({ibggen::Kind::DvdBurnVerify, 40, "\r\n", 1});
    const std::string first = folder.In(plan.front().name), torn = folder.In("torn.ibg");
    const std::string firstReport = RunProcess({VELANTRO_EXE, "--report", "--format", "csv", first}).Out;
    const std::string reportRow = firstReport.substr(firstReport.find('\n') + 1);

    const struct {
        const char* Name;
        std::vector<std::string> Arguments;
        int Status;
        std::function<void(const std::string& out, const std::string& err)> Check;
    } cases[] = {
        {"file rows in CSV: the report's columns, the date, verified to the end",
         {"--format", "csv", folder.Folder()}, 1,
         [&](const std::string& out, const std::string& err) {
             EXPECT_EQ(Lines(out), 21);
             EXPECT_EQ(out.substr(0, out.find('\n')), firstReport.substr(0, firstReport.find('\n')) + ",date,verified_to_end");
             const std::string row = reportRow.substr(0, reportRow.size() - 1) + ",";
             const std::size_t at = out.find("\n" + row);
             ASSERT_NE(at, std::string::npos);
             EXPECT_TRUE(out.substr(at + 1 + row.size()).starts_with("2026-")) << out.substr(at, 400);
             EXPECT_NE(out.find(",yes\n"), std::string::npos);
             EXPECT_EQ(err, "velantro: " + torn + ": does not appear to be a valid .ibg file (" +
                                nlohmann::json::parse(RunProcess({VELANTRO_EXE, "--report", "--format", "json", torn}).Out)[0]["error"]
                                    .get<std::string>() +
                                ")\n");
         }},
        {"groups by speed in CSV, shares from 0 to 1",
         {"--group-by", "drive,media,speed", "--format", "csv", "--", folder.Folder()}, 1,
         [&](const std::string& out, const std::string&) {
             EXPECT_EQ(Lines(out), 1 + 18 + 1);
             EXPECT_TRUE(out.starts_with("drive,media_id,speed_selected,burns,write_speed_mean,dip_share,drop_share,"
                                         "verified_share\n"));
             EXPECT_NE(out.find("\nASUS DRW-24D5MT,MCC 004,8x,1,"), std::string::npos);
         }},
        {"groups in JSON",
         {"--group-by", "drive,media", "--format", "json", folder.Folder()}, 1,
         [&](const std::string& out, const std::string&) {
             const auto json = nlohmann::json::parse(out);
             ASSERT_EQ(json.size(), 9u + 1);
             EXPECT_EQ(std::count_if(json.begin(), json.end(), [](const auto& group) { return group["burns"] == 2; }), 9);
             EXPECT_FALSE(json[0].contains("speed_selected"));
         }},
        {"text rows escaped", {folder.Folder()}, 1,
         [&](const std::string& out, const std::string&) {
             EXPECT_EQ(Lines(out), 21);
             EXPECT_NE(out.find("/dash\\tname.ibg\t"), std::string::npos);
         }},
        {"a missing folder", {folder.In("none"), "--format", "json"}, 1,
         [&](const std::string& out, const std::string& err) {
             EXPECT_EQ(out, "[]\n");
             EXPECT_NE(err.find(folder.In("none") + ": No such file or directory\n"), std::string::npos);
         }},
        {"--group-by of no known keys", {"--group-by", "media,drive", folder.Folder()}, 2, nullptr},
        {"--format without a command", {"--format", "csv", folder.Folder()}, 2, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> command{VELANTRO_EXE};
        if (std::string(c.Name) != "--format without a command")
            command.push_back("--library");
        command.insert(command.end(), c.Arguments.begin(), c.Arguments.end());
        const auto result = RunProcess(command);
        EXPECT_EQ(result.ExitCode, c.Status) << result.Err;
        if (c.Check)
            c.Check(result.Out, result.Err);
    }
}

} // namespace
} // namespace velantro
