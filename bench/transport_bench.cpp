// The transport's costs: moving the time cursor over a kept graph (the picture repainted as
// image plus line), one tick with the arrows and instant centres over the pose, and how long
// another window's animation waits while a window RUNs at N = 1,000,000 on its worker thread.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "mechanism_window/mechanism_window.h"
#include "mechanisms/catalog.h"
#include "mechanisms/serial_2r.h"
#include "plot/graphs.h"
#include "plot/picture_sizes.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_box.h"
#include "plot/qt/picture_geometry.h"
#include "run/frame.h"

namespace {

void BM_MoveTimeCursor(benchmark::State& state)
{
    plot::PictureBox picture(QSize(plot::kGraph1Size.width, plot::kGraph1Size.height));
    std::vector<double> samples(1001);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<double>(i % 97);
    plot::PlotTimeHistory(picture, 1000, samples, samples, samples);
    QImage screen(picture.size(), QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 1001;
        picture.setCursorX(plot::TimeAxisX(picture, 1000, step));
        picture.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_MoveTimeCursor)->Unit(benchmark::kMicrosecond);

// One animation tick of the parallel mechanism (the most joints) at device pixel ratio 1: the
// pose alone, and with both kinds of arrows and the instant centres over it.
void BM_ParallelTickWithOverlays(benchmark::State& state)
{
    const sim::Mechanism& m = *mechanisms::FindMechanism("parallel");
    const auto scratch = std::filesystem::temp_directory_path() / "mechsim_bench_overlays.dat";
    plot::ImageCanvas p1(plot::ToQSize(plot::kGraph1Size)), p2(plot::ToQSize(plot::kGraph2Size)),
        view(plot::ToQSize(plot::kViewSize));
    sim::SimulationFrame frame(m);
    sim::RunCycle(frame, {&m, {}, {200, 10, sim::ProfileKind::Quintic}}, scratch, p1, p2, view);
    const bool overlays = state.range(0) != 0;
    frame.setDrawingOptions(
        {.velocities = overlays, .accelerations = overlays, .centres = overlays});
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.tick(view));
    std::filesystem::remove(scratch);
}
BENCHMARK(BM_ParallelTickWithOverlays)
    ->ArgName("overlays")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// One window animates while another RUNs at N = 10^6; reports the longest gap between two
// ticks of the animating window (50 ms when none is missed) and the RUN's wall time.
void BM_TickGapDuringLongRun(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path();
    sim::Settings animating, computing;
    computing.divisions = 1'000'000;
    double worstGapMs = 0, worstRunMs = 0;
    for (auto _ : state) {
        sim::MechanismWindow watched(mechanisms::Serial2R(), animating);
        sim::MechanismWindow busy(mechanisms::Serial2R(), computing);
        watched.setResultPath(folder / "mechsim_bench_watched.dat");
        busy.setResultPath(folder / "mechsim_bench_busy.dat");
        watched.startRun();
        QElapsedTimer clock;
        qint64 lastTick = -1, longestGap = 0;
        QObject::connect(watched.findChild<QTimer*>("Timer1"), &QTimer::timeout, &watched, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (lastTick >= 0)
                longestGap = std::max(longestGap, now - lastTick);
            lastTick = now;
        });
        // The event loop sleeps between events as the application's does: a few ticks to
        // settle, the long RUN until it is shown, then a few ticks more.
        QEventLoop loop;
        auto runFor = [&loop](int ms) {
            QTimer::singleShot(ms, &loop, &QEventLoop::quit);
            loop.exec();
        };
        runFor(200);
        clock.start();
        busy.startRun();
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            if (!busy.isComputing())
                loop.quit();
        });
        watch.start(10);
        loop.exec();
        watch.stop();
        const double runMs = clock.nsecsElapsed() / 1e6;
        runFor(200);
        worstGapMs = std::max(worstGapMs, longestGap / 1e6);
        worstRunMs = std::max(worstRunMs, runMs);
    }
    state.counters["longest_gap_ms"] = worstGapMs;   // over all iterations
    state.counters["run_ms"] = worstRunMs;
    std::filesystem::remove(folder / "mechsim_bench_watched.dat");
    std::filesystem::remove(folder / "mechsim_bench_busy.dat");
}
BENCHMARK(BM_TickGapDuringLongRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}
