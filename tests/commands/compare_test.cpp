#include "support/graphtext.h"
#include "support/process.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace velantro {
namespace {

// The first three Okabe-Ito colours, one per file in the order given.
constexpr QRgb Orange = 0xE69F00, SkyBlue = 0x56B4E9, BluishGreen = 0x009E73;

TEST(CompareCommand, PicturesExitStatusesAndUsage)
{
    const testing::TempFile folder("", "unused");
    const std::string out = folder.Folder() + "/out.png";
    const std::string examples = EXAMPLES_DIR;
    const std::string dvd = examples + "/dvd-verify.ibg", dl = examples + "/dvd-dl.ibg",
                      cd = examples + "/cd-write.ibg", truncated = examples + "/truncated-write.ibg";
    struct Case {
        std::vector<std::string> Arguments;
        int ExitCode;
        std::vector<QRgb> Present, Absent;
        std::string Named; // on standard error
    };
    const std::vector<Case> cases = {
        {{out, dvd, dl, cd}, 0, {Orange, SkyBlue, BluishGreen}, {}, ""},
        {{out, "--verify", dvd, dl}, 0, {Orange, SkyBlue}, {BluishGreen}, ""},
        {{out, dvd, truncated, cd}, 1, {Orange, BluishGreen}, {SkyBlue}, truncated},
        {{out, "/nonexistent.ibg", truncated}, 1, {}, {}, "/nonexistent.ibg"},
        {{out, dvd, dvd, dvd, dvd, dvd, dvd, dvd, dvd, dvd}, 2, {}, {}, "Usage: velantro"},
        {{out, "--range", "5:1", dvd}, 2, {}, {}, "--range"},
        {{out}, 2, {}, {}, "Usage: velantro"},
        {{folder.Folder() + "/out.jpg", dvd}, 2, {}, {}, "Usage: velantro"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.Arguments));
        std::filesystem::remove(out);
        std::vector<std::string> arguments = {VELANTRO_EXE, "--compare"};
        arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
        const auto result = testing::RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
        EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Err;
        EXPECT_NE(result.Err.find(c.Named), std::string::npos) << result.Err;
        const QImage image(QString::fromStdString(out));
        EXPECT_EQ(image.isNull(), c.Present.empty());
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y) & 0xFFFFFFu);
        for (const QRgb colour : c.Present)
            EXPECT_TRUE(colours.count(colour)) << std::hex << colour;
        for (const QRgb colour : c.Absent)
            EXPECT_FALSE(colours.count(colour)) << std::hex << colour;
    }
}

} // namespace
} // namespace velantro
