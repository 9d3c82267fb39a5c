// Taking a run away: the PDF report and the SVG pictures of the 2R arm at N = 1,000,000, drawn
// from what its RUN gathered for vector pictures of their sizes, and
// the animated GIF of a default run (N = 200) of the 2R arm and of the parallel mechanism,
// whose three legs change the most pixels per frame. Each reports the bytes it makes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "mechanism_window/run_export.h"
#include "mechanisms/catalog.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_geometry.h"
#include "plot/qt/vector_canvas.h"
#include "run/frame.h"
#include "run/run_pipeline.h"

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

// What --pictures DIR --format svg writes: both graphs, the summary and every next page, from
// the pictures gathered in one pass over the steps, as the run keeps none.
void BM_SvgPicturesOfAMillionSteps(benchmark::State& state)
{
    const auto frame = Run("2r", 1'000'000);
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        plot::VectorCanvas graph1(plot::ToQSize(plot::kGraph1Size)),
            graph2(plot::ToQSize(plot::kGraph2Size)), view(plot::ToQSize(plot::kViewSize));
        frame->plotGraphs(graph1, graph2, &view);
        bytes += graph1.picture().svg().size() + graph2.picture().svg().size();
        frame->drawSummary(view);
        bytes += view.picture().svg().size();
        for (std::size_t page = 0; page < frame->run()->nextPages().size(); ++page) {
            frame->plotPage(view, page);
            bytes += view.picture().svg().size();
        }
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_SvgPicturesOfAMillionSteps)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The parallel mechanism at N = 10^6 with every export (the graphs and view, the summary and
// pages, the report and the GIF, as the command line makes them) against its plain streamed run, interleaved in this process;
// the counters give the ratio's min, median and max.
void BM_AllExportsOverStreamedRun(benchmark::State& state)
{
    const sim::Mechanism& m = *mechanisms::FindMechanism("parallel");
    const auto scratch = std::filesystem::temp_directory_path() / "mechsim_bench_exports.dat";
    sim::RunContext context;
    context.divisions = 1'000'000;
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (sim::StreamRun({&m, {}, context}, scratch))
            state.SkipWithError("streamed run failed");
        const auto streamed = std::chrono::steady_clock::now();
        // As the command line does it: the pictures and the report gathered in one pass while
        // the animation is drawn.
        sim::SimulationFrame frame(m);
        const QSize viewSize = plot::ToQSize(plot::kViewSize);
        plot::ImageCanvas p1(plot::ToQSize(plot::kGraph1Size)),
            p2(plot::ToQSize(plot::kGraph2Size)), p3(viewSize);
        frame.showRun(sim::ComputeRun({&m, {}, context}, scratch, p3).value());
        const sim::ReportCanvases report(viewSize);
        const sim::PictureNeeds needs{{{&p1, &p2}, report.graphs()}, {&p3, report.view()}};
        benchmark::DoNotOptimize(sim::GatherExports(frame, needs, viewSize));
        frame.plotGraphs(p1, p2);
        frame.stop(p3);
        while (frame.next(p3)) {
        }
        benchmark::DoNotOptimize(sim::RunReportPdf(frame, viewSize));
        const auto done = std::chrono::steady_clock::now();
        const std::chrono::duration<double> plain = streamed - start, all = done - streamed;
        ratios.push_back(all / plain);
        state.SetIterationTime(all.count());
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_min"] = ratios.front();
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
    state.counters["ratio_max"] = ratios.back();
    std::filesystem::remove(scratch);
}
BENCHMARK(BM_AllExportsOverStreamedRun)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
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
