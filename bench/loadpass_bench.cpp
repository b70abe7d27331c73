// The load pass, the burn report and the comparison of four files against a
// floor that only reads the same lines and parses the same fields. Files of
// 10^4..10^6 sample lines in all, both sections.

#include "compare/compareset.h"
#include "charts/frames.h"
#include "charts/seriespens.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"
#include "graphfile/samplescan.h"
#include "report/reportformats.h"

#include "readfloor.h"

#include <benchmark/benchmark.h>
#include <ibggen.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>
#include <string>
#include <sys/resource.h>

namespace {

const std::string& GraphFile(std::size_t sampleLines)
{
    static std::map<std::size_t, std::string> files;
    auto& path = files[sampleLines];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("velantro-bench-" + std::to_string(sampleLines) + ".ibg"))
                   .string();
        ibggen::Options options;
        options.kind = ibggen::Kind::DvdBurnVerify;
        options.samples = sampleLines / 2;
        ibggen::WriteFile(options, path);
    }
    return path;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void LoadPass(benchmark::State& state, bool averaged)
{
    const std::string& path = GraphFile(static_cast<std::size_t>(state.range(0)));
    velantro::DiscardSurfaces surfaces;
    velantro::ViewOptions options;
    options.Averaged = averaged;
    for (auto _ : state) {
        const auto outcome = velantro::LoadGraphFile(path, options, surfaces.Surfaces(), {});
        if (!outcome.Loaded)
            state.SkipWithError("the pass rejected the file");
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = PeakMegabytes();
}

void BM_LoadPassAveraged(benchmark::State& state)
{
    LoadPass(state, true);
}
void BM_LoadPassRaw(benchmark::State& state)
{
    LoadPass(state, false);
}

// Reads every line and parses fields 0, 1, 3 and 4 of each, nothing more.
void BM_ReadFloor(benchmark::State& state)
{
    const std::string& path = GraphFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFloor(path));
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}

std::string SameDate(const std::string& text)
{
    return text;
}

// What every reader other than the window pays: the shared reader and the
// checks of every sample, nothing drawn.
void BM_SampleScan(benchmark::State& state)
{
    const std::string& path = GraphFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        velantro::SampleScan scan;
        double sum = 0;
        if (scan.Open(path)) {
            while (scan.Next())
                sum += scan.Point().Rpm;
        }
        if (scan.HasError())
            state.SkipWithError("the scan rejected the file");
        benchmark::DoNotOptimize(sum);
    }
}

// The burn report reads the file once, through the same reader as the pass.
void BM_Report(benchmark::State& state)
{
    const std::string& path = GraphFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const velantro::BurnReport report = velantro::ReadBurnReport(path, SameDate);
        if (!report.Read())
            state.SkipWithError("the report rejected the file");
        benchmark::DoNotOptimize(report);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = PeakMegabytes();
}

// velantro --report --format json on 1,000 typical files of 2,000 samples,
// without the process start.
void BM_ReportBatch(benchmark::State& state)
{
    std::vector<std::string> paths;
    const auto folder = std::filesystem::temp_directory_path() / "velantro-bench-batch";
    std::filesystem::create_directories(folder);
    for (std::uint32_t i = 0; i < 1000; ++i) {
        paths.push_back((folder / (std::to_string(i) + ".ibg")).string());
        ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 1000, "\r\n", i + 1}, paths.back());
    }
    for (auto _ : state) {
        nlohmann::ordered_json all = nlohmann::ordered_json::array();
        for (const std::string& path : paths)
            all.push_back(velantro::ReportJson(velantro::ReadBurnReport(path, SameDate)));
        benchmark::DoNotOptimize(all.dump(2));
    }
    std::filesystem::remove_all(folder);
}

// Four 10^6-sample files read into their column summaries, as the compare
// window and --compare read them: to be set against one BM_ReadFloor.
void BM_CompareFourFiles(benchmark::State& state)
{
    const std::string& path = GraphFile(1'000'000);
    velantro::CompareSet set;
    for (int i = 0; i < 4; ++i)
        set.Add(path);
    for (auto _ : state) {
        set.Rebuild(velantro::CompareSeries::WriteSpeed, velantro::CompareAxis::Sectors, {}, 888);
        if (set.DrawnCount() != 4)
            state.SkipWithError("a file was left out");
    }
    state.counters["lines/s"] =
        benchmark::Counter(4e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = PeakMegabytes();
}

// A chart image the size of the window's speed chart, for the pens alone.
class ImageSurface : public velantro::DiscardSurface {
public:
    ImageSurface(int width, int height, float scaleWidth, float scaleHeight) : pixels_(std::size_t(width) * height)
    {
        grid_.XFactor = width / static_cast<double>(scaleWidth);
        grid_.YFactor = height / static_cast<double>(scaleHeight);
        grid_.Width = width;
        grid_.Height = height;
    }
    const velantro::PixelGrid* Pixels() const override { return &grid_; }
    velantro::PixelCanvas Canvas() override { return {pixels_.data(), grid_.Width, grid_.Width, grid_.Height}; }

private:
    velantro::PixelGrid grid_;
    std::vector<std::uint32_t> pixels_;
};

// The 10^6-sample file's write series drawn by the pens, the speed chart's
// or the percent chart's: what drawing adds to a raw re-plot, per segment.
void BM_SeriesPens(benchmark::State& state)
{
    const bool percent = state.range(0) != 0;
    velantro::SampleScan scan;
    scan.Open(GraphFile(1'000'000));
    struct Point {
        float X, Values[2];
    };
    std::vector<Point> points;
    while (scan.Next() && scan.Section() == velantro::GraphSection::Write) {
        const velantro::PlotPoint& point = scan.Point();
        const float* values = percent ? point.PercentHeights : point.SpeedHeights;
        points.push_back(Point{point.X, {values[0], values[1]}});
    }
    ImageSurface chart(429, percent ? 157 : 400, static_cast<float>(scan.Scale().Width),
                       static_cast<float>(percent ? 1000 : scan.Scale().SpeedHeight));
    for (auto _ : state) {
        velantro::SeriesPens pens(chart);
        pens.AddSeries(0, 0xFFFF00);
        pens.AddSeries(1, 0x00FF00);
        for (std::size_t i = 1; i < points.size(); ++i)
            pens.Lines(points[i - 1].X, points[i - 1].Values, points[i].X, points[i].Values);
    }
    state.counters["ns_per_segment"] = benchmark::Counter(
        static_cast<double>(2 * points.size()) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(percent ? "buffer and CPU" : "speed and RPM");
}

} // namespace

// The files are read on threads of their own: the CPU time of all threads
// beside the time on the clock.
BENCHMARK(BM_CompareFourFiles)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFloor)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPassAveraged)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPassRaw)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleScan)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportBatch)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK(BM_SeriesPens)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
