#include "support/passrun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace velantro {
namespace {

// The loaded file is replaced between two passes by something that would
// block or never end; the re-plot refuses it at once and keeps the file shown.
TEST(SpecialFiles, RefusedOnAReplot)
{
    const std::vector<std::pair<std::function<void(const char*)>, std::string>> cases = {
        {[](const char* path) { mkfifo(path, 0600); }, "not a regular file"},
        {[](const char* path) { ASSERT_EQ(symlink("/dev/zero", path), 0); }, "not a regular file"},
        {[](const char* path) { mkdir(path, 0700); }, "Is a directory"},
        // Sparse: a terabyte-long line that costs nothing unless read to its end.
        {[](const char* path) { std::filesystem::resize_file(std::ofstream(path) ? path : "", std::uintmax_t{1} << 40); },
         "line 1: line too long"},
    };
    for (const auto& [make, reason] : cases) {
        SCOPED_TRACE(reason);
        testing::TempFile file(testing::GraphText().Text());
        testing::PassRun run;
        ASSERT_TRUE(run.Load(file.Path()).Loaded);
        std::filesystem::remove(file.Path());
        make(file.Path().c_str());
        const LoadOutcome outcome = run.Load(file.Path());
        EXPECT_FALSE(outcome.Loaded);
        EXPECT_EQ(outcome.Reason, reason);
        EXPECT_EQ(run.Controls.Messages, std::vector<std::string>{testing::FileErrorMessage});
        EXPECT_EQ(run.Fields.LoadedFilePath, file.Path());
    }
}

} // namespace
} // namespace velantro
