#include "support/graphtext.h"
#include "support/process.h"

#include <QImage>
#include <gtest/gtest.h>
#include <ibggen.h>

#include <filesystem>
#include <set>

namespace velantro {
namespace {

std::set<QRgb> ColoursIn(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFFu);
    return colours;
}

class ExportTest : public ::testing::Test {
protected:
    // Exports to the named file in the test's folder.
    testing::ProcessResult Export(const std::string& name, std::vector<std::string> arguments,
                                  const std::string& locale = "C")
    {
        arguments.insert(arguments.begin(), {VELANTRO_EXE, "--export", Out(name)});
        // No display: the export must not need one.
        return testing::RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LC_ALL=" + locale});
    }
    std::string Out(const std::string& name) const { return folder.Folder() + "/" + name; }
    QImage Shot(const std::string& name) const { return QImage(QString::fromStdString(Out(name))); }

    testing::TempFile folder{"", "unused"};
    const std::string dvd = std::string(EXAMPLES_DIR) + "/dvd-verify.ibg";
};

TEST_F(ExportTest, WritesTheWindowWithTheOptions)
{
    const std::vector<std::tuple<const char*, std::vector<std::string>, std::vector<QRgb>, std::vector<QRgb>>> cases = {
        {"all series", {}, {0xFFFF00, 0x00FF00, 0xFFFFFF, 0x0000FF, 0x00FFFF, 0xFF00FF, 0xFF0000}, {}},
        {"write speed and verify CPU hidden", {"--hide", "write-speed,verify-cpu"}, {0x00FF00, 0x00FFFF},
         {0xFFFF00, 0xFF0000}},
        {"raw", {"--raw"}, {0xFFFF00, 0x00FFFF}, {}},
    };
    for (auto [name, arguments, present, absent] : cases) {
        SCOPED_TRACE(name);
        arguments.push_back(dvd);
        const auto result = Export("shot.png", arguments);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, "");
        const QImage image = Shot("shot.png");
        EXPECT_EQ(image.width(), 705);
        ASSERT_GT(image.height(), 593); // the client area and the menu bar
        // The swatches beside the boxes carry the series colours too: look at the charts only.
        const std::set<QRgb> colours = ColoursIn(image.copy(248, image.height() - 593, 433, 593));
        for (const QRgb colour : present)
            EXPECT_TRUE(colours.count(colour)) << std::hex << colour;
        for (const QRgb colour : absent)
            EXPECT_FALSE(colours.count(colour)) << std::hex << colour;
    }
}

TEST_F(ExportTest, RawAndAveragedDifferOnALargeFile)
{
    testing::TempFile large(ibggen::Generate({ibggen::Kind::DvdBurnVerify, 20000, "\r\n", 3}));
    ASSERT_EQ(Export("raw.png", {"--raw", large.Path()}).ExitCode, 0);
    ASSERT_EQ(Export("averaged.png", {"--average", "25", large.Path()}).ExitCode, 0);
    EXPECT_NE(Shot("raw.png"), Shot("averaged.png"));
}

TEST_F(ExportTest, NumbersReadTheSameUnderADecimalComma)
{
    ASSERT_EQ(Export("c.png", {dvd}, "C").ExitCode, 0);
    ASSERT_EQ(Export("de.png", {dvd}, "de_DE.UTF-8").ExitCode, 0);
    const QImage c = Shot("c.png"), de = Shot("de.png");
    // The charts and their axes; the date in the information panel follows the locale.
    const QRect charts(225, 0, c.width() - 225, c.height());
    EXPECT_EQ(c.copy(charts), de.copy(charts));
}

TEST_F(ExportTest, RangeCutToTheChart)
{
    ASSERT_EQ(Export("whole.png", {dvd}).ExitCode, 0);
    ASSERT_EQ(Export("all.png", {"--range", "-5:1e12", dvd}).ExitCode, 0);
    ASSERT_EQ(Export("part.png", {"--range", "1000000:1100000", dvd}).ExitCode, 0);
    EXPECT_EQ(Shot("all.png"), Shot("whole.png"));
    EXPECT_NE(Shot("part.png"), Shot("whole.png"));
}

TEST_F(ExportTest, RejectedFilesAndUsageErrors)
{
    const std::string truncated = std::string(EXAMPLES_DIR) + "/truncated-write.ibg";
    const std::vector<std::tuple<std::string, std::vector<std::string>, int>> cases = {
        {"x.png", {truncated}, 1},
        {"x.png", {"/nonexistent.ibg"}, 1},
        {"no/such/folder/x.png", {dvd}, 1},
        {"x.png", {"--average", "7", dvd}, 2},
        {"x.png", {"--raw", "--average", "5", dvd}, 2},
        {"x.png", {"--hide", "write-speed,nothing", dvd}, 2},
        {"x.png", {}, 2},
        {"x.jpg", {dvd}, 2},
        {"x.png", {dvd, dvd}, 2},
        {"x.png", {"--range", "5:3", dvd}, 2},
        {"x.png", {"--range", "1000:2000:3000", dvd}, 2},
        {"x.png", {"--range", "0:nan", dvd}, 2},
    };
    for (const auto& [name, arguments, exitCode] : cases) {
        SCOPED_TRACE(name + " " + ::testing::PrintToString(arguments));
        const auto result = Export(name, arguments);
        EXPECT_EQ(result.ExitCode, exitCode);
        EXPECT_FALSE(result.Err.empty());
        EXPECT_FALSE(std::filesystem::exists(Out("x.png")));
        EXPECT_TRUE(exitCode != 2 || result.Err.find("Usage: velantro") != std::string::npos) << result.Err;
    }
}

} // namespace
} // namespace velantro
