// Taking a run away: the PDF report and the SVG pictures of the 2R arm at N = 1,000,000, and
// the animated GIF of a default run (N = 200) of the 2R arm and of the parallel mechanism,
// whose three legs change the most pixels per frame. Each reports the bytes it makes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "mechanism_window/run_export.h"
#include "mechanisms/catalog.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/picture_geometry.h"
#include "plot/qt/vector_canvas.h"
#include "run/frame.h"

namespace {

// A frame after RUN of `mechanism` with its design inputs and N divisions.
std::unique_ptr<sim::SimulationFrame> Run(const char* mechanism, int n)
{
    const sim::Mechanism& m = *mechanisms::FindMechanism(mechanism);
    auto frame = std::make_unique<sim::SimulationFrame>(m);
    plot::VectorCanvas p1(plot::ToQSize(plot::kGraph1Size)), p2(plot::ToQSize(plot::kGraph2Size)),
        p3(plot::ToQSize(plot::kViewSize));
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "mechsim_bench_export.dat";
    sim::RunContext context;
    context.divisions = n;
    sim::RunCycle(*frame, {&m, {}, context}, scratch, p1, p2, p3);
    std::filesystem::remove(scratch);
    return frame;
}

void BM_ReportOfAMillionSteps(benchmark::State& state)
{
    const auto frame = Run("2r", 1'000'000);
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = sim::RunReportPdf(*frame, plot::ToQSize(plot::kViewSize)).size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReportOfAMillionSteps)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// What --pictures DIR --format svg writes: both graphs, the summary and every next page.
void BM_SvgPicturesOfAMillionSteps(benchmark::State& state)
{
    const auto frame = Run("2r", 1'000'000);
    const int n = frame->context().divisions;
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        const auto graphs = frame->run()->graphs();
        const plot::PixelSize sizes[2] = {plot::kGraph1Size, plot::kGraph2Size};
        for (int g = 0; g < 2; ++g) {
            plot::VectorCanvas c(plot::ToQSize(sizes[g]));
            plot::PlotTimeHistory(c, n, graphs[g].value, graphs[g].rate, graphs[g].accel);
            bytes += c.picture().svg().size();
        }
        plot::VectorCanvas view(plot::ToQSize(plot::kViewSize));
        frame->drawSummary(view);
        bytes += view.picture().svg().size();
        for (const sim::GraphPage& page : frame->run()->nextPages()) {
            plot::PlotTimeHistory(view, n, page.triple.value, page.triple.rate, page.triple.accel);
            bytes += view.picture().svg().size();
        }
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_SvgPicturesOfAMillionSteps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_GifOfADefaultRun(benchmark::State& state)
{
    const char* mechanism = state.range(0) == 0 ? "2r" : "parallel";
    state.SetLabel(mechanism);
    const auto frame = Run(mechanism, 200);
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = sim::RunAnimationGif(*frame, plot::ToQSize(plot::kViewSize)).size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_GifOfADefaultRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}
