// Drawing cost: a time-history graph of three 10^6-sample curves into a graph-sized image, and
// one animation frame of a mechanism (clear, five links, four joint circles).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "plot/graphs.h"
#include "plot/primitives.h"
#include "plot/qt/image_canvas.h"

namespace {

// Text needs a GUI application (fonts); the benchmark main does not make one.
void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "mechsim_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A quintic-like sweep with its rates: smooth curves that fill the graph's height.
struct Triple {
    std::vector<double> value, rate, accel;
    explicit Triple(int n) : value(n + 1), rate(n + 1), accel(n + 1)
    {
        for (int i = 0; i <= n; ++i) {
            const double t = static_cast<double>(i) / n;
            value[i] = 2 * std::sin(6.28318530717958 * t) + t;
            rate[i] = 12.56637061435916 * std::cos(6.28318530717958 * t) + 1;
            accel[i] = -78.95683520871486 * std::sin(6.28318530717958 * t);
        }
    }
};

void BM_PlotTimeHistoryMillionSamples(benchmark::State& state)
{
    EnsureGuiApplication();
    const int n = 1'000'000;
    const Triple triple(n);
    plot::ImageCanvas canvas(QSize(545, 418), 96, static_cast<double>(state.range(0)));
    for (auto _ : state)
        plot::PlotTimeHistory(canvas, n, triple.value, triple.rate, triple.accel);
    state.SetItemsProcessed(state.iterations() * 3 * n);
}
BENCHMARK(BM_PlotTimeHistoryMillionSamples)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("dpr")
    ->Unit(benchmark::kMillisecond);

void BM_PoseFrame(benchmark::State& state)
{
    EnsureGuiApplication();
    plot::ImageCanvas canvas(QSize(545, 418), 96, static_cast<double>(state.range(0)));
    const plot::WorldWindow w{.xmin = -30, .ymin = -10, .scale = 2};
    double angle = 0;
    for (auto _ : state) {
        angle += 0.01;
        const plot::WorldPoint o{0, 0}, a{20 * std::cos(angle), 20 * std::sin(angle)};
        const plot::WorldPoint b{a.x + 15 * std::cos(2 * angle), a.y + 15 * std::sin(2 * angle)};
        const plot::WorldPoint hand{b.x + 5, b.y};
        canvas.clear();
        canvas.setPenWidth(2);
        plot::WorldLine(canvas, w, o, a, 1);
        plot::WorldLine(canvas, w, a, b, 2);
        plot::WorldLine(canvas, w, b, hand, 3);
        plot::WorldLine(canvas, w, {-5, 0}, {5, 0}, 0);
        plot::WorldLine(canvas, w, o, {0, -5}, 0);
        canvas.setPenWidth(1);
        for (const plot::WorldPoint joint : {o, a, b, hand})
            plot::WorldCircle(canvas, w, joint, 1);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_PoseFrame)->Arg(1)->Arg(2)->ArgName("dpr")->Unit(benchmark::kMicrosecond);

}
