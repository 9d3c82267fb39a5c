// Resident memory of a mechanism window across repeated RUNs at N = 10^6 and after it closes:
// whether the large series of a replaced or closed run go back to the system.
// Usage: QT_QPA_PLATFORM=offscreen mechsim_memory_probe [MECHANISM] [RUNS]
#include <QApplication>
#include <cstdio>
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
    if (!mechanism)
        return 2;
    const sim::Settings settings{.divisions = 1000000, .cycleTime = 10};
    const auto result = std::filesystem::temp_directory_path() / "mechsim_memory_probe.dat";
    std::printf("before the window: %.0f MB\n", ResidentMb());
    auto form = std::make_unique<sim::MechanismWindow>(*mechanism, settings);
    form->setResultPath(result);
    form->show();
    application.processEvents();
    for (int run = 1; run <= runs; ++run) {
        form->startRun();
        // A long run computes on a worker thread: wait until the window has taken it.
        do
            application.processEvents(QEventLoop::AllEvents, 50);
        while (form->isComputing());
        std::printf("after run %d: %.0f MB\n", run, ResidentMb());
    }
    form.reset();
    application.processEvents();
    std::printf("after closing: %.0f MB\n", ResidentMb());
    std::filesystem::remove(result);
}
