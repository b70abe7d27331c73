#include "support/graphtext.h"
#include "support/process.h"

#include <QImage>
#include <gtest/gtest.h>
#include <ibggen.h>

#include <filesystem>

namespace velantro {
namespace {

using testing::RunProcess;

bool HasColour(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == colour)
                return true;
    return false;
}

class ExportTest : public ::testing::Test {
protected:
    testing::ProcessResult Export(std::vector<std::string> arguments, const std::string& locale = "C")
    {
        arguments.insert(arguments.begin(), {VELANTRO_EXE, "--export"});
        // No display: the export must not need one.
        return RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "LC_ALL=" + locale});
    }
    std::string Out(const std::string& name) const { return folder.Folder() + "/" + name; }

    testing::TempFile folder{"", "unused"};
    const std::string dvd = std::string(EXAMPLES_DIR) + "/dvd-verify.ibg";
};

TEST_F(ExportTest, WritesTheWindowWithTheOptions)
{
    struct Case {
        const char* Name;
        std::vector<std::string> Options;
        std::vector<QRgb> Present;
        std::vector<QRgb> Absent;
    };
    const std::vector<Case> cases = {
        {"all series", {}, {0xFFFF00, 0x00FF00, 0xFFFFFF, 0x0000FF, 0x00FFFF, 0xFF00FF, 0xFF0000}, {}},
        {"write speed and verify CPU hidden", {"--hide", "write-speed,verify-cpu"}, {0x00FF00, 0x00FFFF},
         {0xFFFF00, 0xFF0000}},
        {"raw", {"--raw"}, {0xFFFF00, 0x00FFFF}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<std::string> arguments = c.Options;
        arguments.insert(arguments.begin(), Out("shot.png"));
        arguments.push_back(dvd);
        const auto result = Export(arguments);
        ASSERT_EQ(result.ExitCode, 0) << result.Err;
        EXPECT_EQ(result.Out, "");
        const QImage image(QString::fromStdString(Out("shot.png")));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), 705);
        EXPECT_GT(image.height(), 593); // the client area and the menu bar
        // The swatches beside the boxes carry the series colours too: look at the charts only.
        const QImage charts = image.copy(248, image.height() - 593, 433, 593);
        for (const QRgb colour : c.Present)
            EXPECT_TRUE(HasColour(charts, colour)) << std::hex << colour;
        for (const QRgb colour : c.Absent)
            EXPECT_FALSE(HasColour(charts, colour)) << std::hex << colour;
    }
}

TEST_F(ExportTest, RawAndAveragedDifferOnALargeFile)
{
    testing::TempFile large(ibggen::Generate({ibggen::Kind::DvdBurnVerify, 20000, "\r\n", 3}));
    ASSERT_EQ(Export({Out("raw.png"), "--raw", large.Path()}).ExitCode, 0);
    ASSERT_EQ(Export({Out("averaged.png"), "--average", "25", large.Path()}).ExitCode, 0);
    const QImage raw(QString::fromStdString(Out("raw.png")));
    const QImage averaged(QString::fromStdString(Out("averaged.png")));
    ASSERT_EQ(raw.size(), averaged.size());
    EXPECT_NE(raw, averaged);
}

TEST_F(ExportTest, NumbersReadTheSameUnderADecimalComma)
{
    ASSERT_EQ(Export({Out("c.png"), dvd}, "C").ExitCode, 0);
    ASSERT_EQ(Export({Out("de.png"), dvd}, "de_DE.UTF-8").ExitCode, 0);
    const QImage c(QString::fromStdString(Out("c.png")));
    const QImage de(QString::fromStdString(Out("de.png")));
    ASSERT_EQ(c.size(), de.size());
    // The charts and their axes; the date in the information panel follows the locale.
    const QRect charts(225, 0, c.width() - 225, c.height());
    EXPECT_EQ(c.copy(charts), de.copy(charts));
}

TEST_F(ExportTest, RejectedFilesAndUsageErrors)
{
    struct Case {
        std::vector<std::string> Arguments;
        int ExitCode;
    };
    const std::string truncated = std::string(EXAMPLES_DIR) + "/truncated-write.ibg";
    const std::vector<Case> cases = {
        {{Out("x.png"), truncated}, 1},
        {{Out("x.png"), "/nonexistent.ibg"}, 1},
        {{folder.Folder() + "/no/such/folder/x.png", dvd}, 1},
        {{Out("x.png"), "--average", "7", dvd}, 2},
        {{Out("x.png"), "--raw", "--average", "5", dvd}, 2},
        {{Out("x.png"), "--hide", "write-speed,nothing", dvd}, 2},
        {{Out("x.png")}, 2},
        {{Out("x.jpg"), dvd}, 2},
        {{Out("x.png"), dvd, dvd}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Arguments.back());
        const auto result = Export(c.Arguments);
        EXPECT_EQ(result.ExitCode, c.ExitCode);
        EXPECT_FALSE(result.Err.empty());
        EXPECT_FALSE(std::filesystem::exists(Out("x.png")));
        if (c.ExitCode == 2) {
            EXPECT_NE(result.Err.find("Usage: velantro"), std::string::npos);
        }
    }
}

} // namespace
} // namespace velantro
