// The two simulation settings, cycle time T and division count N, and their checks. The
// application holds the one instance and hands it to the windows that read or change it.
#pragma once

#include <string>
#include <string_view>

#include "messages/refusal.h"

namespace sim {

// The cycle time T (CycleTime) and division count N (DivisionCount) a run is computed with.
// The defaults are those in force at start-up and shown by a fresh settings dialog.
struct Settings {
    int divisions = 200;     // N, a whole number 1..kMaxDivisions
    double cycleTime = 10;   // T, seconds
};

// A run keeps no series, so its memory does not grow with N; the result file does, by about
// 180 bytes a step.
inline constexpr int kMaxDivisions = 10'000'000;
// T bounds (seconds): velocities divide by T, accelerations by T squared and step times are
// T * i / N; the bounds keep all three far from overflowing to infinity.
inline constexpr double kMinCycleTime = 1e-6;
inline constexpr double kMaxCycleTime = 1e6;

// Checks the dialog's two texts (or the command line's). A refusal is a settings refusal whose
// reason names the box, e.g. "時分割数は 1 から 10000000 までの整数を入力してください（...）".
Refusable<double> ParseCycleTime(std::string_view text);
Refusable<int> ParseDivisionCount(std::string_view text);
Refusable<Settings> ParseSettings(std::string_view cycleTimeText,
                                  std::string_view divisionCountText);

// The settings as the dialog's boxes and the command line write them ("10", "200").
std::string CycleTimeText(const Settings& settings);
std::string DivisionCountText(const Settings& settings);

}
