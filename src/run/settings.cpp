// The simulation settings and the check that guards them: a run divides by T and by N,
// sizes its series with N + 1 elements and turns its animation at index N.
#include "run/settings.h"

#include <cmath>

#include "messages/translatable.h"
#include "numeric/number_text.h"

namespace sim {

namespace {

const char* const kCycleTimeRefused =
    MECHSIM_TR_NOOP("core", "サイクルタイムは 0.000001 から 1000000 までの数値を入力してください");
const char* const kDivisionCountRefused =
    MECHSIM_TR_NOOP("core", "時分割数は 1 から 10000000 までの整数を入力してください（10000000 では結果ファイルが約 1.8 GB になります）");

}

Refusable<double> ParseCycleTime(std::string_view text)
{
    const std::optional<double> cycleTime = numeric::ReadNumber(text);
    if (!cycleTime || !std::isfinite(*cycleTime) || *cycleTime < kMinCycleTime
        || *cycleTime > kMaxCycleTime)
        return Refusal::OfSettings(kCycleTimeRefused);
    return *cycleTime;
}

Refusable<int> ParseDivisionCount(std::string_view text)
{
    const std::optional<double> divisions = numeric::ReadNumber(text);
    if (!divisions || !std::isfinite(*divisions) || *divisions != std::floor(*divisions)
        || *divisions < 1 || *divisions > kMaxDivisions)
        return Refusal::OfSettings(kDivisionCountRefused);
    return static_cast<int>(*divisions);
}

Refusable<Settings> ParseSettings(std::string_view cycleTimeText,
                                  std::string_view divisionCountText)
{
    Refusable<double> cycleTime = ParseCycleTime(cycleTimeText);
    if (!cycleTime)
        return std::move(cycleTime).error();
    Refusable<int> divisions = ParseDivisionCount(divisionCountText);
    if (!divisions)
        return std::move(divisions).error();
    return Settings{divisions.value(), cycleTime.value()};
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
