// A RUN of the 2R arm at N = 1,000,000 taken apart (compute, result file, each graph, window
// fit, the whole RUN), one animation tick, and the main menu's first paint beside a bare window.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <filesystem>

#include "app/form_opener.h"
#include "app/main_menu.h"
#include "mechanisms/serial_2r.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "run/frame.h"

namespace {

constexpr int kMillion = 1'000'000;

std::unique_ptr<sim::MechanismRun> Compute2R(int n)
{
    const sim::Mechanism& m = mechanisms::Serial2R();
    const sim::InputValues values = sim::ReadInputs(m.inputs, {}).value();
    return m.ComputeMotion(values, sim::StepLoop{{n, 10, sim::ProfileKind::Quintic}}).value();
}

std::filesystem::path ScratchFile()
{
    return std::filesystem::temp_directory_path() / "mechsim_bench_result.dat";
}

void BM_Run2R_Compute(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Compute2R(kMillion));
}
BENCHMARK(BM_Run2R_Compute)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Run2R_WriteResultFile(benchmark::State& state)
{
    const auto run = Compute2R(kMillion);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            sim::WriteResultFile(ScratchFile(), run->resultTable(), kMillion, 10));
    std::filesystem::remove(ScratchFile());
}
BENCHMARK(BM_Run2R_WriteResultFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Run2R_OneGraph(benchmark::State& state)
{
    const auto run = Compute2R(kMillion);
    plot::ImageCanvas picture(plot::ToQSize(plot::kGraph1Size));
    const sim::TripleView t = run->graphs()[0];
    for (auto _ : state)
        plot::PlotTimeHistory(picture, kMillion, t.value, t.rate, t.accel);
}
BENCHMARK(BM_Run2R_OneGraph)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Run2R_FitWorldWindow(benchmark::State& state)
{
    const auto run = Compute2R(kMillion);
    for (auto _ : state)
        benchmark::DoNotOptimize(run->fitWorldWindow());
}
BENCHMARK(BM_Run2R_FitWorldWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Run2R_WholeRun(benchmark::State& state)
{
    const sim::Mechanism& m = mechanisms::Serial2R();
    plot::ImageCanvas p1(plot::ToQSize(plot::kGraph1Size)), p2(plot::ToQSize(plot::kGraph2Size)),
        p3(plot::ToQSize(plot::kViewSize));
    sim::SimulationFrame frame(m);
    const sim::RunRequest request{&m, {}, {kMillion, 10, sim::ProfileKind::Quintic}};
    for (auto _ : state)
        sim::RunCycle(frame, request, ScratchFile(), p1, p2, p3);
    std::filesystem::remove(ScratchFile());
}
BENCHMARK(BM_Run2R_WholeRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_AnimationTick(benchmark::State& state)
{
    const sim::Mechanism& m = mechanisms::Serial2R();
    plot::ImageCanvas p1(plot::ToQSize(plot::kGraph1Size)), p2(plot::ToQSize(plot::kGraph2Size)),
        p3(plot::ToQSize(plot::kViewSize), 96, static_cast<double>(state.range(0)));
    sim::SimulationFrame frame(m);
    sim::RunCycle(frame, {&m, {}, {200, 10, sim::ProfileKind::Quintic}}, ScratchFile(), p1, p2, p3);
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.tick(p3));
    std::filesystem::remove(ScratchFile());
}
BENCHMARK(BM_AnimationTick)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// First paint: construct, show and render the window once (grab paints it off screen).
void BM_StartMenuFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        app::FormOpener opener;
        sim::Settings settings;
        app::MainMenu menu(opener, settings);
        menu.show();
        benchmark::DoNotOptimize(menu.grab());
    }
}
BENCHMARK(BM_StartMenuFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareMenuWindowFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        QMainWindow window;
        window.menuBar()->addMenu("file")->addAction("終了");
        window.menuBar()->addAction("設定");
        window.resize(480, 360);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_BareMenuWindowFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}
