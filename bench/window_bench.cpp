// The load pass drawing into the window's real picture boxes, next to the
// same pass with drawing discarded, and the start-up with a file named.

#include "app/burnform.h"
#include "app/windowlook.h"
#include "charts/frames.h"
#include "graphfile/burnfields.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"

#include <QApplication>
#include <QRadioButton>
#include <benchmark/benchmark.h>
#include <ibggen.h>

#include <filesystem>
#include <fstream>

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

void BM_ReplotWindow(benchmark::State& state)
{
    velantro::BurnForm form(MillionSampleFile());
    form.show();
    const bool raw = state.range(0) != 0;
    form.Option1->setChecked(raw);
    form.Option2->setChecked(!raw);
    for (auto _ : state) {
        const auto outcome = form.LoadGraphFile();
        if (!outcome.Loaded)
            state.SkipWithError("rejected");
    }
    state.SetLabel(raw ? "raw" : "averaged");
}

void BM_ReplotDiscarded(benchmark::State& state)
{
    velantro::HeadlessControls controls;
    controls.Averaged = state.range(0) == 0;
    velantro::BurnFields fields = velantro::StartupFields();
    velantro::DrawSpeedFrame(fields, controls);
    velantro::DrawPercentFrame(fields, controls);
    fields.GraphFilePath = MillionSampleFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(velantro::LoadGraphFile(fields, controls));
    state.SetLabel(controls.Averaged ? "averaged" : "raw");
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
    velantro::BurnForm form(file);
    form.show();
    for (auto _ : state) {
        form.Option1->setChecked(true);
        form.Option1_Click();
        const long first = ResidentKilobytes();
        for (int i = 0; i < 999; ++i) {
            (i % 2 ? form.Option1 : form.Option2)->setChecked(true);
            i % 2 ? form.Option1_Click() : form.Option2_Click();
        }
        state.counters["rss_first_kB"] = static_cast<double>(first);
        state.counters["rss_last_kB"] = static_cast<double>(ResidentKilobytes());
    }
}

// From building the window with a file named to the window on screen.
void BM_StartToFirstWindow(benchmark::State& state)
{
    for (auto _ : state) {
        velantro::BurnForm form(MillionSampleFile());
        form.show();
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_ReplotWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
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
