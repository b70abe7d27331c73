// The thumbnailer as a file manager runs it: a whole process with a cleared
// environment, on a typical file (2,000 samples a section).

#include <benchmark/benchmark.h>
#include <ibggen.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void BM_ThumbnailProcess(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string file = (folder / "velantro-thumbnail-bench.ibg").string();
    const std::string out = (folder / "velantro-thumbnail-bench.png").string();
    ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 2'000, "\r\n", 3}, file);
    const std::string command = "env -i '" VELANTRO_EXE "' --thumbnail " + std::to_string(state.range(0)) + " '" +
                                file + "' '" + out + "' 2>/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the thumbnailer failed");
    std::filesystem::remove(out);
}

} // namespace

BENCHMARK(BM_ThumbnailProcess)->Arg(128)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
