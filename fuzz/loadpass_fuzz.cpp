// Shows arbitrary bytes in a graph view, as the window would after start-up,
// and checks that every input ends on one of the two paths.

#include "graphfile/graphview.h"
#include "graphfile/headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

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

// The view on one file, checking the rules that hold whatever the file holds:
// it shows the file it was given, or it stays on what it showed before, and
// a failure always says why.
void Show(velantro::GraphView& view, const std::string& path, const velantro::ViewOptions& options)
{
    const std::string previous = view.Path();
    const velantro::LoadOutcome outcome = view.Show(path, options);
    if (outcome.Loaded) {
        if (!outcome.Reason.empty() || view.Path() != path)
            __builtin_trap();
    } else {
        if (outcome.Reason.empty() || (view.Path() != previous && !view.Path().empty()))
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

    velantro::DiscardSurfaces surfaces;
    velantro::GraphView view(surfaces.Surfaces());
    velantro::ViewOptions options;
    options.BlockSize = blockSizes[size % 6];
    Show(view, path, options);

    // Then raw, with some series unticked: a re-plot when the first pass
    // loaded the file, a fresh load again when it did not.
    options.Averaged = false;
    const std::size_t ticks = size / 6;
    for (std::size_t i = 0; i < options.Shown.size(); ++i)
        options.Shown[i] = ((ticks >> i) & 1) == 0;
    Show(view, path, options);
    return 0;
}
