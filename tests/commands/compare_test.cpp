#include "support/graphtext.h"
#include "support/process.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace velantro {
namespace {

// The first three colours of the palette, one per file drawn in the order given.
constexpr QRgb First = 0x0072B2, Second = 0xD55E00, Third = 0x009E73;

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
        {{out, dvd, dl, cd}, 0, {First, Second, Third}, {}, ""},
        {{out, "--verify", dvd, dl}, 0, {First, Second}, {Third}, ""},
        // A file that cannot be read takes no colour.
        {{out, dvd, truncated, cd}, 1, {First, Second}, {Third}, truncated},
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
