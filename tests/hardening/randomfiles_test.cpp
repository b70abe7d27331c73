// Properties of the load pass over files of every shape; the fuzzer in CI
// covers arbitrary bytes.

#include "support/recording.h"

#include <ibggen.h>

#include <chrono>
#include <random>

namespace velantro {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// The number after `key` and then each character of `skips` in turn, replaced.
std::string Spoilt(std::string text, const std::string& key, const std::string& skips, const std::string& value)
{
    std::size_t at = text.find(key) + key.size();
    for (const char c : skips)
        at = text.find(c, at) + 1;
    return text.replace(at, text.find_first_of(",\r\n", at) - at, value);
}

// Every kind of sample file whole and cut at a random byte, with each line end,
// and a burn with an odd number in each place that takes one.
std::vector<std::string> Files()
{
    std::vector<std::string> files;
    std::minstd_rand dice(2026);
    for (const ibggen::Kind kind : ibggen::AllKinds)
        for (const char* eol : {"\r\n", "\n", "\r"}) {
            files.push_back(ibggen::Generate({kind, 40, eol, std::uint32_t(dice())}));
            files.push_back(files.back().substr(0, dice() % files.back().size()));
        }
    const std::string burn = ibggen::Generate({ibggen::Kind::DvdBurnVerify, 40, "\r\n", 5});
    for (const auto& [key, skips] : std::vector<std::pair<std::string, std::string>>{
             {"MEDIA_CAPACITY=", ""}, {"MEDIA_LAYER_BREAK=", ""}, {"DATA_SECTORS=", ""}, {"MODE1/", ""},
             {"WRITE_TIME_TAKEN=", ""}, {"[START_WRITE]", "\n\n\n"}, {"[START_WRITE]", "\n\n\n,"},
             {"[START_WRITE]", "\n\n\n,,,"}, {"[START_VERIFY]", "\n,,,"}})
        for (const char* odd : {"1e308", "1e400", "1E+309", "1e39", "-1e39", "3e38", "-5", "-2295104", "abc", "",
                                "1e-400", "-0", "8.5x", "99999999999999999999999999999999e300"})
            files.push_back(Spoilt(burn, key, skips, odd));
    return files;
}

// Everything a pass leaves visible.
auto Seen(const PassRun& run)
{
    const testing::RecordingSurfaces& drawn = run.Drawn;
    const GraphView& view = run.View;
    std::vector<std::string> captions(view.Scale().SpeedCaptions.begin(), view.Scale().SpeedCaptions.end());
    for (const AxisCaption& caption : view.SizeCaptions())
        captions.push_back(caption.Text);
    return std::tuple(drawn.Speed.Lines, drawn.Percent.Lines, drawn.InfoValues.Printed, drawn.Drive.Printed, captions,
                      view.Options().Shown, view.Enabled(), view.Path());
}

// Whatever a file holds, the pass loads it or takes its one error path, which
// leaves the window on the file shown before; raw and averaged agree on which.
// Loading again, in another window or the same one, shows the same picture,
// and no load leaves a trace on the file or its folder.
TEST(RandomFiles, OnePathSamePictureFileUntouched)
{
    const TempFile good(GraphText().Text());
    // Far from now, to the nanosecond, so that any write would move it.
    const auto stamp = fs::file_time_type(std::chrono::nanoseconds(123'456'789));
    static const int blockSizes[] = {2, 5, 10, 15, 20, 25};
    const std::vector<std::string> files = Files();
    std::size_t loaded = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE("file " + std::to_string(i));
        const TempFile file(files[i]);
        fs::last_write_time(file.Path(), stamp);
        PassRun averaged(true, blockSizes[i % 6]), raw(false), again(true, blockSizes[i % 6]);
        for (PassRun* run : {&averaged, &raw, &again}) {
            ASSERT_TRUE(run->Load(good.Path()).Loaded);
            const LoadOutcome outcome = run->Load(file.Path());
            EXPECT_EQ(run->View.Path(), outcome.Loaded ? file.Path() : good.Path());
            EXPECT_NE(outcome.Loaded, !outcome.Reason.empty());
        }
        loaded += averaged.Outcome.Loaded;
        EXPECT_EQ(std::pair(averaged.Outcome.Loaded, averaged.Outcome.Sections),
                  std::pair(raw.Outcome.Loaded, raw.Outcome.Sections));
        const auto once = Seen(averaged);
        EXPECT_TRUE(once == Seen(again));
        // The same window again: a re-plot of a loaded file, a fresh try of a rejected one.
        averaged.Load(file.Path());
        EXPECT_TRUE(once == Seen(averaged));
        EXPECT_TRUE(fs::last_write_time(file.Path()) == stamp);
        std::ifstream in(file.Path(), std::ios::binary);
        EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(in), {}) == files[i]);
        EXPECT_EQ(std::distance(fs::directory_iterator(file.Folder()), fs::directory_iterator()), 1);
    }
    // Files that all load, or all fail, would prove little.
    EXPECT_GE(std::min(loaded, files.size() - loaded), files.size() / 5) << loaded << " of " << files.size();
}

} // namespace
} // namespace velantro
