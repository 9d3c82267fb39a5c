// Resident memory of a mechanism window after a run of 200 steps and across repeated RUNs at
// N steps (10^6 by default), in one process, and after it closes; then how long one move of the
// time slider takes, its pose computed again, across the last run.
// Usage: QT_QPA_PLATFORM=offscreen mechsim_memory_probe [MECHANISM] [RUNS] [N]
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "mechanisms/catalog.h"
#include "mechanism_window/mechanism_window.h"
#include "run/settings.h"

namespace {

double ResidentMb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const sim::Mechanism* mechanism = mechanisms::FindMechanism(argc > 1 ? argv[1] : "parallel");
    const int runs = argc > 2 ? std::stoi(argv[2]) : 4;
    const int divisions = argc > 3 ? std::stoi(argv[3]) : 1'000'000;
    if (!mechanism)
        return 2;
    sim::Settings settings{.divisions = 200, .cycleTime = 10};
    const auto result = std::filesystem::temp_directory_path() / "mechsim_memory_probe.dat";
    std::printf("before the window: %.0f MB\n", ResidentMb());
    auto form = std::make_unique<sim::MechanismWindow>(*mechanism, settings);
    form->setResultPath(result);
    form->show();
    application.processEvents();
    const auto runOnce = [&] {
        form->startRun();
        // A long run computes on a worker thread: wait until the window has taken it.
        do
            application.processEvents(QEventLoop::AllEvents, 50);
        while (form->isComputing());
    };
    runOnce();
    const double small = ResidentMb();
    std::printf("after a run of 200 steps: %.0f MB\n", small);
    form.reset();
    settings.divisions = divisions;   // the window reads the settings it was given at each RUN
    form = std::make_unique<sim::MechanismWindow>(*mechanism, settings);
    form->setResultPath(result);
    form->show();
    application.processEvents();
    for (int run = 1; run <= runs; ++run) {
        runOnce();
        std::printf("after run %d of %d steps: %.0f MB (%+.0f MB)\n", run, divisions,
                    ResidentMb(), ResidentMb() - small);
        if (const auto* message = form->findChild<QLabel*>("lblMessage"))
            std::printf("  %s\n", message->text().toStdString().c_str());
    }
    // Scrubbing: the slider moved across the run, each pose computed again and drawn.
    if (auto* slider = form->findChild<QSlider*>("TimeSlider")) {
        std::vector<double> moves;
        for (int k = 1; k <= 200; ++k) {
            const auto start = std::chrono::steady_clock::now();
            slider->setValue(static_cast<int>(static_cast<long long>(divisions) * k / 201));
            application.processEvents();
            moves.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - start)
                                .count());
        }
        std::sort(moves.begin(), moves.end());
        std::printf("one slider move (steps 0..%d, now at %d): median %.3f ms, max %.3f ms\n",
                    slider->maximum(), form->frame().currentStep(), moves[moves.size() / 2],
                    moves.back());
    }
    // STOP and next draw what the run's pass gathered for the view: no pass of their own.
    for (const char* button : {"STOP", "next"})
        if (auto* pressed = form->findChild<QPushButton*>(button)) {
            const auto start = std::chrono::steady_clock::now();
            pressed->click();
            application.processEvents();
            std::printf("%s: %.1f ms\n", button,
                        std::chrono::duration<double, std::milli>(
                            std::chrono::steady_clock::now() - start)
                            .count());
        }
    form.reset();
    application.processEvents();
    std::printf("after closing: %.0f MB\n", ResidentMb());
    std::filesystem::remove(result);
}
