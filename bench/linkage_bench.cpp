// The four-bar written as a linkage against the built-in four-bar at N = 1,000,000: the steps
// alone, and both streamed into a result file, interleaved run by run so that a busy machine
// slows both alike. The linkage writes every joint (21 columns against 8), so the streamed ratio
// is given as it is and per byte written.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "linkage/linkage_mechanism.h"
#include "mechanisms/catalog.h"
#include "numeric/angle.h"
#include "run/run_pipeline.h"

namespace {

constexpr int kMillion = 1'000'000;

// The built-in four-bar's defaults as a linkage: crank D-B, rocker O-P, coupler point C.
linkage::Model FourBar()
{
    linkage::Model m;
    m.ground = {{"O", {0, 0}}, {"D", {0.68, 0}}};
    m.drive = {.kind = linkage::DriveKind::Crank,
               .joint = "B",
               .pivot = "D",
               .length = 0.3,
               .end = numeric::DegToRad(360)};
    m.joints = {
        {.name = "P", .from = {"O", "B"}, .lengths = {0.6, 0.4}},
        {.name = "C", .kind = linkage::JointKind::Point, .from = {"P", "B"}, .across = 0.1}};
    return m;
}

double Seconds(auto&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LinkageOverBuiltInFourBar(benchmark::State& state)
{
    const sim::Mechanism& builtIn = *mechanisms::FindMechanism("four-bar");
    const auto made = linkage::LinkageMechanism(FourBar());
    if (!made) {
        state.SkipWithError(made.error().reason.c_str());
        return;
    }
    const sim::Mechanism& linkage = *made.value();
    const auto dir = std::filesystem::temp_directory_path();
    const auto builtInPath = dir / "mechsim_bench_four_bar.dat",
               linkagePath = dir / "mechsim_bench_linkage.dat";
    sim::RunContext context;
    context.divisions = kMillion;
    std::vector<double> ratios, perByte;
    for (auto _ : state) {
        double builtInTime = 0, linkageTime = 0;
        const auto stream = [&](const sim::Mechanism& m, const std::filesystem::path& path,
                                double& time) {
            time = Seconds([&] {
                if (sim::StreamRun({&m, {}, context}, path))
                    state.SkipWithError("streamed run failed");
            });
        };
        if (ratios.size() % 2 == 0) {
            stream(builtIn, builtInPath, builtInTime);
            stream(linkage, linkagePath, linkageTime);
        } else {
            stream(linkage, linkagePath, linkageTime);
            stream(builtIn, builtInPath, builtInTime);
        }
        const double bytes = static_cast<double>(std::filesystem::file_size(linkagePath))
                             / static_cast<double>(std::filesystem::file_size(builtInPath));
        ratios.push_back(linkageTime / builtInTime);
        perByte.push_back(linkageTime / (builtInTime * bytes));
        state.SetIterationTime(linkageTime);
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(perByte.begin(), perByte.end());
    state.counters["ratio_min"] = ratios.front();
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
    state.counters["ratio_max"] = ratios.back();
    state.counters["per_byte_median"] = perByte[perByte.size() / 2];
    std::filesystem::remove(builtInPath);
    std::filesystem::remove(linkagePath);
}

// The steps alone, kept in memory without a file: the closures and the stores.
void BM_LinkageOverBuiltInFourBarStepsOnly(benchmark::State& state)
{
    const sim::Mechanism& builtIn = *mechanisms::FindMechanism("four-bar");
    const auto linkage = linkage::LinkageMechanism(FourBar()).value();
    const sim::StepLoop loop{{kMillion, 10, sim::ProfileKind::Quintic}};
    const auto compute = [&](const sim::Mechanism& m) {
        return Seconds([&] {
            const auto values = sim::ReadInputs(m.inputs, {}).value();
            benchmark::DoNotOptimize(m.ComputeMotion(values, loop));
        });
    };
    std::vector<double> ratios;
    for (auto _ : state) {
        const double builtInTime = compute(builtIn), linkageTime = compute(*linkage);
        ratios.push_back(linkageTime / builtInTime);
        state.SetIterationTime(linkageTime);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
}

}

BENCHMARK(BM_LinkageOverBuiltInFourBarStepsOnly)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
BENCHMARK(BM_LinkageOverBuiltInFourBar)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(7);
