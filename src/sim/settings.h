// The two program-wide settings, cycle time T and division count N, and their checks.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace sim {

struct GlobalSettings {
    double CycleTime = 10;        // T, seconds
    double DivisionCount = 200;   // N, a whole number 1..kMaxDivisions
};

inline constexpr double kMaxDivisions = 1'000'000;   // keeps a run's memory bounded
// T bounds (seconds): velocities divide by T, accelerations by T squared and step times are
// T * i / N; the bounds keep all three far from overflowing to infinity.
inline constexpr double kMinCycleTime = 1e-6;
inline constexpr double kMaxCycleTime = 1e6;

// The one copy of the program (written by the main menu at start-up and by the settings dialog).
GlobalSettings& Settings();

// Checks the dialog's two texts (or the command line's). On refusal: a short Japanese message
// naming the box, e.g. "時分割数は 1 から 1000000 までの整数を入力してください".
std::variant<double, std::string> ParseCycleTime(std::string_view text);
std::variant<double, std::string> ParseDivisionCount(std::string_view text);
std::variant<GlobalSettings, std::string> ParseSettings(std::string_view cycleTimeText,
                                                        std::string_view divisionCountText);

}
