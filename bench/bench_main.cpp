// Entry point of mechsim_bench: one QApplication on the offscreen platform (pictures need fonts,
// the start-up benchmark needs widgets), then every benchmark of this folder. With
// `--bare-four-bar N FILE` it only writes the bare loop's file, for timing whole processes.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

#include "bare_loop.h"

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--bare-four-bar")
        return bench::WriteBareFourBar(argv[3], std::atoi(argv[2])) ? 0 : 1;
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
