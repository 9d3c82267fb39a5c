// A streamed run at N = 1,000,000 (what `mechsim run MECHANISM --divisions 1000000` does after
// reading its arguments) against the bare four-bar loop, interleaved run by run so that a busy
// machine slows both alike. The counters give the ratio's min, median and max; for the
// parallel mechanism the bare loop's time is scaled by the ratio of the two files' bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "bare_loop.h"
#include "mechanisms/catalog.h"
#include "run/run_pipeline.h"

namespace {

constexpr int kMillion = 1'000'000;

double Seconds(auto&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_StreamedRunOverBareLoop(benchmark::State& state, const char* command)
{
    const sim::Mechanism& m = *mechanisms::FindMechanism(command);
    const auto dir = std::filesystem::temp_directory_path();
    const auto bare = dir / "mechsim_bench_bare.dat", streamed = dir / "mechsim_bench_run.dat";
    sim::RunContext context;
    context.divisions = kMillion;
    std::vector<double> ratios;
    for (auto _ : state) {
        double bareTime = 0, runTime = 0;
        const auto runBare = [&] {
            bareTime = Seconds([&] {
                if (!bench::WriteBareFourBar(bare.string(), kMillion))
                    state.SkipWithError("bare loop failed");
            });
        };
        const auto runStreamed = [&] {
            runTime = Seconds([&] {
                if (sim::StreamRun({&m, {}, context}, streamed))
                    state.SkipWithError("streamed run failed");
            });
        };
        if (ratios.size() % 2 == 0) {
            runBare();
            runStreamed();
        } else {
            runStreamed();
            runBare();
        }
        const double bytes = static_cast<double>(std::filesystem::file_size(streamed))
                             / static_cast<double>(std::filesystem::file_size(bare));
        ratios.push_back(runTime / (bareTime * bytes));
        state.SetIterationTime(runTime);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_min"] = ratios.front();
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
    state.counters["ratio_max"] = ratios.back();
    std::filesystem::remove(bare);
    std::filesystem::remove(streamed);
}

}

BENCHMARK_CAPTURE(BM_StreamedRunOverBareLoop, four_bar, "four-bar")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(9);
BENCHMARK_CAPTURE(BM_StreamedRunOverBareLoop, parallel, "parallel")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(9);
