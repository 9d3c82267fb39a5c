// One drag update of the linkage editor on Jansen's leg: a mouse move that carries the fixed
// pivot Z, the model edited, the pose solved at the drive angle in hand and the foot's path at
// N = 360, the picture drawn again. Interleaved move by move with the bare four-bar loop at the
// same N, so that a busy machine slows both alike; the target is one 60 Hz frame, 16 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "bare_loop.h"
#include "linkage/preview.h"
#include "linkage_editor/linkage_editor.h"
#include "linkage_editor/sketch_view.h"
#include "plot/primitives.h"
#include "setup_files/mechsim_file.h"

namespace {

double Seconds(auto&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Send(QWidget* view, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void BM_EditorDragUpdateJansenLeg(benchmark::State& state)
{
    auto read = setup_files::ReadMechsimFile(std::filesystem::path(MECHSIM_SOURCE_DIR) / "examples"
                                             / "jansen-leg.mechsim");
    if (!read) {
        state.SkipWithError(read.error().reason.c_str());
        return;
    }
    sim::Settings settings;
    linkage_editor::LinkageEditor editor(settings, read.value());
    editor.setGrid(1, false);
    auto* view = editor.view();
    const plot::WorldPoint z = editor.model().ground[1].at;
    const QPointF at = view->toWidget(plot::WorldToPicture(*view, editor.worldWindow(), z));
    Send(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    const auto bare = std::filesystem::temp_directory_path() / "mechsim_bench_editor_bare.dat";
    std::vector<double> ratios;
    int k = 0;
    for (auto _ : state) {
        // Back and forth over a few pixels, each move a new position of Z.
        const QPointF to = at + QPointF(3 * (k % 4), 2 * (k % 3));
        ++k;
        const double drag = Seconds([&] { Send(view, QEvent::MouseMove, to, Qt::LeftButton); });
        const double bareTime = Seconds([&] {
            if (!bench::WriteBareFourBar(bare.string(), linkage::kPreviewDivisions))
                state.SkipWithError("bare loop failed");
        });
        ratios.push_back(drag / bareTime);
        state.SetIterationTime(drag);
    }
    const plot::WorldPoint moved = editor.model().ground[1].at;
    if (moved.x == z.x && moved.y == z.y)
        state.SkipWithError("the press missed Z: nothing was dragged");
    Send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
    state.counters["ratio_max"] = ratios.back();
    std::filesystem::remove(bare);
}

}

BENCHMARK(BM_EditorDragUpdateJansenLeg)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(200);
