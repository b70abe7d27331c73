// The load pass drawing into the window's real picture boxes, whole and
// zoomed, next to the parse floor and the same pass with drawing discarded;
// velantro --export as a whole process; the start-up with a file named.
// Compare CPU times: the machine may be shared.

#include "windows/mainwindow.h"
#include "windows/picturebox.h"
#include "windows/comparepicture.h"
#include "windows/comparewindow.h"
#include "windows/windowlook.h"
#include "charts/frames.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include "readfloor.h"

#include <QApplication>
#include <QRadioButton>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <ibggen.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <optional>

extern char** environ;

namespace {

const std::string& MillionSampleFile()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "velantro-window-bench.ibg").string();
        ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 500'000, "\r\n", 1}, file);
        return file;
    }();
    return path;
}

void BM_ReadFloor(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFloor(MillionSampleFile()));
}

// The file's DVD chart is 2,359,296 sectors wide: the whole of it, the tenth
// in its middle, a thousandth there.
constexpr double ChartWidth = 2359296;
std::optional<velantro::ZoomRange> View(std::int64_t view)
{
    if (view == 0)
        return std::nullopt;
    const double width = view == 1 ? ChartWidth / 10 : ChartWidth / 1000;
    return velantro::ZoomRange{ChartWidth / 2 - width / 2, ChartWidth / 2 + width / 2};
}

std::string Label(benchmark::State& state)
{
    static const char* const views[] = {"whole", "a tenth", "a thousandth"};
    return std::string(state.range(0) ? "raw, " : "averaged, ") + views[state.range(1)];
}

void BM_ReplotWindow(benchmark::State& state)
{
    velantro::MainWindow form;
    form.show();
    velantro::ViewOptions options;
    options.Averaged = state.range(0) == 0;
    options.Zoom = View(state.range(1));
    for (auto _ : state) {
        const auto outcome = form.ShowGraphFile(MillionSampleFile(), options);
        if (!outcome.Loaded)
            state.SkipWithError("rejected");
    }
    state.SetLabel(Label(state));
}

double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// velantro --export of the file as a process of its own; its CPU time is the
// figure, the wall time the benchmark's.
void BM_ExportProcess(benchmark::State& state)
{
    const std::string out = (std::filesystem::temp_directory_path() / "velantro-window-bench.png").string();
    std::vector<std::string> arguments = {VELANTRO_EXE, "--export", out};
    if (state.range(0))
        arguments.push_back("--raw");
    if (const auto view = View(state.range(1))) {
        arguments.push_back("--range");
        arguments.push_back(std::to_string(view->Left) + ":" + std::to_string(view->Right));
    }
    arguments.push_back(MillionSampleFile());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    double cpu = 0;
    for (auto _ : state) {
        const double before = ChildrenCpuSeconds();
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("the export failed");
        cpu += ChildrenCpuSeconds() - before;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000 / static_cast<double>(state.iterations()));
    state.SetLabel(Label(state));
}

void BM_ReplotDiscarded(benchmark::State& state)
{
    velantro::DiscardSurfaces surfaces;
    velantro::ViewOptions options;
    options.Averaged = state.range(0) == 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(velantro::LoadGraphFile(MillionSampleFile(), options, surfaces.Surfaces(), {}));
    state.SetLabel(options.Averaged ? "averaged" : "raw");
}

long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// 1,000 option changes through the handlers, on a 10^5-sample file: the
// resident size after the first and after the last must stay level.
void BM_OptionChangesMemory(benchmark::State& state)
{
    const std::string file = (std::filesystem::temp_directory_path() / "velantro-window-bench-1e5.ibg").string();
    ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 50'000, "\r\n", 2}, file);
    velantro::MainWindow form(file);
    form.show();
    for (auto _ : state) {
        form.RawData->setChecked(true);
        form.RawDataClicked();
        const long first = ResidentKilobytes();
        for (int i = 0; i < 999; ++i) {
            (i % 2 ? form.RawData : form.AveragedData)->setChecked(true);
            i % 2 ? form.RawDataClicked() : form.AveragedDataClicked();
        }
        state.counters["rss_first_kB"] = static_cast<double>(first);
        state.counters["rss_last_kB"] = static_cast<double>(ResidentKilobytes());
    }
}

// From building the window with a file named to the window on screen.
void BM_StartToFirstWindow(benchmark::State& state)
{
    for (auto _ : state) {
        velantro::MainWindow form(MillionSampleFile());
        form.show();
        QApplication::processEvents();
    }
}

// Thirty notches of Shift and the wheel arriving at once on a zoomed 10^6-sample
// view: they wait behind the first pass and move the view in one more.
void BM_PanNotches(benchmark::State& state)
{
    velantro::MainWindow form;
    form.show();
    velantro::ViewOptions options;
    options.Zoom = View(1);
    form.ShowGraphFile(MillionSampleFile(), options);
    velantro::PictureBox& chart = *form.SpeedChart;
    const QPointF at(10, 10);
    double sign = 1;
    long passes = 0;
    for (auto _ : state) {
        const long before = form.View().Passes();
        for (int n = 0; n < state.range(0); ++n)
            QCoreApplication::postEvent(&chart, new QWheelEvent(at, chart.mapToGlobal(at), {},
                                                                 QPoint(0, static_cast<int>(-120 * sign)),
                                                                 Qt::NoButton, Qt::ShiftModifier,
                                                                 Qt::NoScrollPhase, false));
        while (form.View().Passes() == before)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        passes += form.View().Passes() - before;
        sign = -sign;
    }
    state.counters["passes"] = static_cast<double>(passes) / static_cast<double>(state.iterations());
}

// The compare window with four 10^6-sample files: what a new size (the files
// read again for the new columns), a zoom (the same) and a plain redraw from
// the column summaries cost.
void BM_CompareRedraw(benchmark::State& state)
{
    velantro::QtFileDialogs dialogs;
    velantro::QtMessageBoxes boxes;
    velantro::CompareWindow window(MillionSampleFile(), {}, {}, dialogs, boxes);
    for (int i = 1; i < 4; ++i)
        window.AddGraphFiles({QString::fromStdString(MillionSampleFile())});
    window.show();
    QApplication::processEvents();
    const int kind = static_cast<int>(state.range(0));
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        if (kind == 0) {
            window.resize(flip ? QSize(1100, 640) : QSize(1200, 680));
            QApplication::processEvents();
            window.RebuildLines();
        } else if (kind == 1) {
            const velantro::ZoomRange whole = velantro::WholeRange(window.Set().Limits());
            window.ZoomTo(flip ? velantro::ZoomRange{whole.Width() / 4, whole.Width() / 2} : whole);
        } else {
            window.DrawComparison();
        }
    }
    state.SetLabel(kind == 0 ? "resize" : kind == 1 ? "zoom" : "redraw from summaries");
}

} // namespace

BENCHMARK(BM_ReadFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplotWindow)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanNotches)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportProcess)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareRedraw)->DenseRange(0, 2)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplotDiscarded)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToFirstWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptionChangesMemory)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    velantro::SetWindowLook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
