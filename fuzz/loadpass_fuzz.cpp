// Runs the whole load pass on arbitrary bytes, as the window would after
// start-up, and checks that every input ends on one of the two paths.

#include "charts/frames.h"
#include "vocabulary/windowfields.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// Counts the messages the pass shows: exactly one on the error path.
class FuzzControls : public velantro::HeadlessControls {
public:
    void ShowMessage(const std::string& prompt, const std::string& title) override
    {
        ++Messages;
        if (prompt != velantro::FileErrorText || title != velantro::FileErrorTitle)
            __builtin_trap();
        HeadlessControls::ShowMessage(prompt, title);
    }
    int Messages = 0;
};

std::filesystem::path& Folder()
{
    static std::filesystem::path folder;
    return folder;
}

void RemoveFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

// One private folder per process, under $TMPDIR, else on tmpfs where there
// is one: the input is rewritten for every run.
const std::string& InputPath()
{
    static const std::string path = [] {
        const char* base = std::getenv("TMPDIR");
        const std::string root = base && *base ? base : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = root + "/velantro-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        Folder() = pattern;
        std::atexit(RemoveFolder);
        return (Folder() / "input.ibg").string();
    }();
    return path;
}

// The reader takes 64 KiB at a time, more than an input holds. A first line
// that no key search stops at moves the input's own line ends across that
// boundary, at an offset that depends on the input.
constexpr std::size_t ChunkSize = 65536;

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size, std::size_t padding)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (padding > 0) {
        const std::string line = std::string(padding - 1, 'P') + "\r";
        if (std::fwrite(line.data(), 1, line.size(), file) != line.size())
            std::abort();
    }
    if ((size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
        std::abort();
}

// The pass on one file, checking the rules that hold whatever the file holds.
void RunPass(velantro::WindowFields& fields, FuzzControls& controls, const std::string& path)
{
    const std::string previous = fields.LoadedFilePath;
    const int messagesBefore = controls.Messages;
    fields.GraphFilePath = path;
    const velantro::LoadOutcome outcome = velantro::LoadGraphFile(fields, controls);
    const int shown = controls.Messages - messagesBefore;
    if (outcome.Loaded) {
        if (shown != 0 || fields.LoadedFilePath != path || fields.GraphFilePath != path)
            __builtin_trap();
    } else {
        if (shown != 1 || fields.GraphFilePath != previous || fields.LoadedFilePath != previous)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static constexpr int blockSizes[] = {2, 5, 10, 15, 20, 25};
    const std::string& path = InputPath();
    // The length picks the settings and the padding, so the input stays a
    // plain graph file that can be replayed with the viewer (a padding line
    // is passed over like any line that is not a key).
    const std::size_t padding = size % 7 == 0 ? ChunkSize - (size / 7) % 48 : 0;
    WriteInput(path, data, size, padding);

    velantro::WindowFields fields = velantro::StartupFields();
    FuzzControls controls;
    velantro::DrawSpeedFrame(fields, controls);
    velantro::DrawPercentFrame(fields, controls);

    controls.AveragedChosen = true;
    controls.BlockSizeChosen = blockSizes[size % 6];
    RunPass(fields, controls, path);

    // Then raw, with some series unticked: a re-plot when the first pass
    // loaded the file, a fresh load again when it did not.
    controls.AveragedChosen = false;
    const std::size_t ticks = size / 6;
    for (std::size_t i = 0; i < controls.Shown.size(); ++i)
        controls.Shown[i] = ((ticks >> i) & 1) == 0;
    RunPass(fields, controls, path);
    return 0;
}
