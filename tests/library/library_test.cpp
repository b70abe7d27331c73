#include "library/libraryfiles.h"
#include "library/librarygroups.h"
#include "library/libraryreading.h"
#include "report/burnreport.h"
#include "support/graphtext.h"

#include "library.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace velantro {
namespace {

using testing::TempFile;
namespace fs = std::filesystem;

std::vector<LibraryRow> ReadFolder(const std::vector<std::string>& folders, unsigned threads)
{
    std::vector<LibraryRow> rows = ListedRows(FindLibraryFiles(folders).Paths);
    ReadLibrary(rows, threads, [](std::size_t) {});
    return rows;
}

TEST(LibraryGroups, FiguresOfThePlantedBurns)
{
    // Four burns of each of the 18 combinations; a verify-only file and a
    // torn one take no part.
    const auto plan = ibggen::LibraryPlan(72, 300);
    TempFile folder("", "unused");
    ASSERT_TRUE(ibggen::WriteLibrary(plan, folder.Folder()));
    ibggen::Options verifyOnly;
    verifyOnly.kind = ibggen::Kind::BdVerifyOnly;
    ASSERT_TRUE(ibggen::WriteFile(verifyOnly, folder.In("verify.ibg")));
    std::ofstream(folder.In("torn.ibg")) << "[START_CONFIGURATION]\n";

    struct Expected {
        std::size_t Burns = 0, Dipped = 0, Dropped = 0, Verified = 0;
        double SpeedSum = 0;
    };
    const struct {
        GroupBy By;
        unsigned Threads;
    } cases[] = {{GroupBy::DriveMedia, 1}, {GroupBy::DriveMediaSpeed, 1}, {GroupBy::DriveMediaSpeed, 4}};
    for (const auto& c : cases) {
        std::map<std::tuple<std::string, std::string, std::string>, Expected> expected;
        for (const ibggen::LibraryBurn& burn : plan) {
            const std::string speed = c.By == GroupBy::DriveMediaSpeed ? burn.setup.speedSelected : "";
            Expected& group = expected[{burn.setup.drive, burn.setup.mediaId, speed}];
            ++group.Burns;
            group.Dipped += burn.dip;
            group.Dropped += burn.drop;
            group.Verified += burn.verified;
            group.SpeedSum += ReadBurnReport(folder.In(burn.name), [](const std::string& date) { return date; }).Write->Speed.Mean();
        }
        const std::vector<LibraryRow> rows = ReadFolder({folder.Folder()}, c.Threads);
        ASSERT_EQ(rows.size(), plan.size() + 2);
        LibraryGroups groups(c.By);
        for (const LibraryRow& row : rows)
            groups.Add(row);
        const std::vector<LibraryGroup> found = groups.Groups();
        ASSERT_EQ(found.size(), expected.size());
        for (const LibraryGroup& group : found) {
            SCOPED_TRACE(group.Drive + " " + group.MediaId + " " + group.SpeedSelected);
            const Expected& want = expected.at({group.Drive, group.MediaId, group.SpeedSelected});
            EXPECT_EQ(group.Burns, want.Burns);
            EXPECT_DOUBLE_EQ(group.DipShare, double(want.Dipped) / double(want.Burns));
            EXPECT_DOUBLE_EQ(group.DropShare, double(want.Dropped) / double(want.Burns));
            EXPECT_DOUBLE_EQ(group.VerifiedShare, double(want.Verified) / double(want.Burns));
            EXPECT_NEAR(group.WriteSpeedMean, want.SpeedSum / double(want.Burns), 1e-9);
        }
    }
}

TEST(LibraryFiles, HostileFolders)
{
    const std::string good = ibggen::Generate({ibggen::Kind::DvdBurnVerify, 40, "\r\n", 1});
    struct Case {
        const char* Name;
        std::function<std::vector<std::string>(const TempFile&)> Make; // the folders to search
        std::size_t Files;
        const char* Note; // in the notes, "" for none
    };
    const auto write = [&](const std::string& path, const std::string& text = {}) {
        std::ofstream(path, std::ios::binary) << text;
    };
    const Case cases[] = {
        {"links in a loop and to the same file count once",
         [&](const TempFile& t) {
             fs::create_directory(t.In("sub"));
             write(t.In("sub/a.ibg"), good);
             fs::create_directory_symlink(t.Folder(), t.In("sub/loop"));
             fs::create_symlink(t.In("sub/a.ibg"), t.In("link.IBG"));
             return std::vector<std::string>{t.Folder(), t.In("sub"), t.In("sub/a.ibg")};
         },
         1, ""},
        {"a FIFO is noted, never opened",
         [&](const TempFile& t) {
             mkfifo(t.In("x.ibg").c_str(), 0600);
             return std::vector<std::string>{t.Folder()};
         },
         0, "x.ibg: not a regular file"},
        {"a dangling link is noted",
         [&](const TempFile& t) {
             fs::create_symlink(t.In("gone"), t.In("gone.ibg"));
             return std::vector<std::string>{t.Folder()};
         },
         0, "gone.ibg: No such file or directory"},
        {"a missing folder is noted",
         [&](const TempFile& t) { return std::vector<std::string>{t.In("none")}; }, 0,
         "none: No such file or directory"},
        {"names with tabs, line ends and Latin-1 bytes, a sparse terabyte, empty files",
         [&](const TempFile& t) {
             write(t.In("tab\there.ibg"), good);
             write(t.In("line\nend.ibg"), good);
             write(t.In("caf\xe9.ibg"), good);
             const int big = open(t.In("big.ibg").c_str(), O_CREAT | O_WRONLY, 0600);
             EXPECT_EQ(ftruncate(big, off_t(1) << 40), 0);
             close(big);
             for (int i = 0; i < 500; ++i)
                 write(t.In("empty" + std::to_string(i) + ".ibg"));
             write(t.In("notes.txt"), good);
             return std::vector<std::string>{t.Folder()};
         },
         504, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFile folder("", "unused");
        const LibraryFiles found = FindLibraryFiles(c.Make(folder));
        EXPECT_EQ(found.Paths.size(), c.Files);
        const bool noted = std::any_of(found.Notes.begin(), found.Notes.end(),
                                       [&](const std::string& note) { return note.ends_with(c.Note); });
        EXPECT_EQ(noted, *c.Note != 0) << (found.Notes.empty() ? "" : found.Notes.front());
        // Every row read: the good ones whole, the others with a reason.
        std::vector<LibraryRow> rows = ListedRows(found.Paths);
        ReadLibrary(rows, 2, [](std::size_t) {});
        for (const LibraryRow& row : rows) {
            EXPECT_EQ(row.Stage, RowStage::Report);
            EXPECT_EQ(row.Read(), fs::file_size(row.File) == good.size()) << row.File << ": " << row.Error;
        }
    }
}

TEST(LibraryFiles, UnreadableSubfolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    TempFile folder("", "a.ibg");
    fs::create_directory(folder.In("locked"));
    chmod(folder.In("locked").c_str(), 0);
    const LibraryFiles found = FindLibraryFiles({folder.Folder()});
    chmod(folder.In("locked").c_str(), 0700);
    EXPECT_EQ(found.Paths.size(), 1u);
    ASSERT_EQ(found.Notes.size(), 1u);
    EXPECT_EQ(found.Notes.front(), folder.In("locked") + ": Permission denied");
}

} // namespace
} // namespace velantro
