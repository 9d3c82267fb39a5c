// The simulation settings and the check that guards them: a run divides by T and by N,
// sizes its series with N + 1 elements and turns its animation at index N.
#include "run/settings.h"

#include <cmath>

#include "numeric/number_text.h"
#include "messages/translatable.h"

namespace sim {

namespace {

const char* const kCycleTimeRefused =
    MECHSIM_TR_NOOP("core", "サイクルタイムは 0.000001 から 1000000 までの数値を入力してください");
const char* const kDivisionCountRefused =
    MECHSIM_TR_NOOP("core", "時分割数は 1 から 1000000 までの整数を入力してください");

}

std::variant<double, std::string> ParseCycleTime(std::string_view text)
{
    const std::optional<double> cycleTime = numeric::ReadNumber(text);
    if (!cycleTime || !std::isfinite(*cycleTime) || *cycleTime < kMinCycleTime
        || *cycleTime > kMaxCycleTime)
        return std::string(kCycleTimeRefused);
    return *cycleTime;
}

std::variant<int, std::string> ParseDivisionCount(std::string_view text)
{
    const std::optional<double> divisions = numeric::ReadNumber(text);
    if (!divisions || !std::isfinite(*divisions) || *divisions != std::floor(*divisions)
        || *divisions < 1 || *divisions > kMaxDivisions)
        return std::string(kDivisionCountRefused);
    return static_cast<int>(*divisions);
}

std::variant<Settings, std::string> ParseSettings(std::string_view cycleTimeText,
                                                  std::string_view divisionCountText)
{
    const auto cycleTime = ParseCycleTime(cycleTimeText);
    if (const auto* message = std::get_if<std::string>(&cycleTime))
        return *message;
    const auto divisions = ParseDivisionCount(divisionCountText);
    if (const auto* message = std::get_if<std::string>(&divisions))
        return *message;
    return Settings{std::get<int>(divisions), std::get<double>(cycleTime)};
}

std::string CycleTimeText(const Settings& settings)
{
    return numeric::FormatNumber(settings.cycleTime);
}

std::string DivisionCountText(const Settings& settings)
{
    return std::to_string(settings.divisions);
}

}
