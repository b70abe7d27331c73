#include "support/graphtext.h"
#include "support/process.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace velantro {
namespace {

using testing::RunProcess;

// File managers run thumbnailers with a cleared environment: no display, no home.
TEST(Thumbnail, FitsTheSquareOrWritesNothing)
{
    const std::string examples = EXAMPLES_DIR;
    struct Case {
        std::string Size, Input;
        int ExitCode;
    };
    const std::vector<Case> cases = {
        {"256", examples + "/dvd-verify.ibg", 0},
        {"128", examples + "/cd-write.ibg", 0},
        {"1024", examples + "/bd-verify.ibg", 0},
        {"16", examples + "/dvd-dl.ibg", 0},
        {"128", examples + "/no-sections.ibg", 0},
        {"128", examples + "/truncated-write.ibg", 1},
        {"128", "/nonexistent.ibg", 1},
        {"128", examples, 1},
        {"0", examples + "/dvd-verify.ibg", 2},
        {"4097", examples + "/dvd-verify.ibg", 2},
        {"12x", examples + "/dvd-verify.ibg", 2},
    };
    testing::TempFile folder("", "unused");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Size + " " + c.Input);
        // The output's name says nothing of its format.
        const std::string out = folder.Folder() + "/thumbnail";
        std::filesystem::remove(out);
        const auto result = RunProcess({"/usr/bin/env", "-i", VELANTRO_EXE, "--thumbnail", c.Size, c.Input, out});
        EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Err;
        const QImage picture(QString::fromStdString(out), "PNG");
        EXPECT_EQ(std::filesystem::exists(out), c.ExitCode == 0);
        if (c.ExitCode != 0)
            continue;
        const int size = std::stoi(c.Size), larger = std::max(picture.width(), picture.height());
        EXPECT_TRUE(larger <= size && larger >= size / 2) << picture.width() << " x " << picture.height();
        // The charts, not the panels: the black chart background fills most of it.
        int dark = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                dark += qGray(picture.pixel(x, y)) < 40;
        EXPECT_GT(dark, picture.width() * picture.height() / 2);
    }
}

// Every option that --help names is in the manual page.
TEST(ManualPage, ListsEveryOptionOfHelp)
{
    const auto help = RunProcess({VELANTRO_EXE, "--help"});
    ASSERT_EQ(help.ExitCode, 0);
    std::ifstream page(MANUAL_PAGE);
    std::stringstream text;
    text << page.rdbuf();
    // The page writes a hyphen as "\-".
    const std::string manual = std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");
    const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> inHelp, inManual;
    for (std::sregex_iterator it(help.Out.begin(), help.Out.end(), option), end; it != end; ++it)
        inHelp.insert(it->str());
    for (std::sregex_iterator it(manual.begin(), manual.end(), option), end; it != end; ++it)
        inManual.insert(it->str());
    ASSERT_GE(inHelp.size(), 5u);
    for (const std::string& name : inHelp)
        EXPECT_TRUE(inManual.count(name)) << name << " is missing from the manual page";
}

} // namespace
} // namespace velantro
