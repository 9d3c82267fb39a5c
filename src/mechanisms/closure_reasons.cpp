// Refusal reasons of the closures with their numbers.
#include "mechanisms/closure_reasons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mechanisms {

namespace {

// value with `digits` significant digits, but never fewer than its whole part needs.
std::string Significant(double value, int digits)
{
    const double size = std::abs(value);
    const int wholeDigits = size >= 1 ? static_cast<int>(std::floor(std::log10(size))) + 1 : 1;
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", std::clamp(std::max(digits, wholeDigits), 1, 17),
                  value);
    return text;
}

}

std::pair<std::string, std::string> ContrastingTexts(double a, double b)
{
    for (int digits = 3;; ++digits) {
        std::pair<std::string, std::string> texts{Significant(a, digits), Significant(b, digits)};
        if (texts.first != texts.second || a == b || digits >= 17)
            return texts;
    }
}

sim::Phrase DyadRefusalReason(const DyadNames& names, double la, double lb,
                              const numeric::PointKinematics& a, const numeric::PointKinematics& b)
{
    using sim::Marked;
    using sim::Plain;
    if (la == 0 || lb == 0)
        return {MECHSIM_TR_NOOP("core", "%1 が 0 でリンクになりません"),
                {Plain(la == 0 ? names.first : names.second)}};
    const double d = std::hypot(b.x - a.x, b.y - a.y);
    if (!(d > 0))
        return {MECHSIM_TR_NOOP("core", "%1が 0 でリンクの向きが定まりません"),
                {Marked(names.distance)}};
    const double sum = la + lb, difference = std::abs(la - lb);
    // The sum is written with its names in order ("L2+L3"), the way a student writes it.
    const std::string sumName =
        std::min(names.first, names.second) + "+" + std::max(names.first, names.second);
    const std::string differenceName = "|" + names.first + "-" + names.second + "|";
    const auto& [dSum, sumText] = ContrastingTexts(d, sum);
    const auto& [dDifference, differenceText] = ContrastingTexts(d, difference);
    const std::vector<sim::PhrasePart> beyond = {Marked(names.distance), Plain(dSum),
                                                 Plain(sumName), Plain(sumText)};
    const std::vector<sim::PhrasePart> within = {Marked(names.distance), Plain(dDifference),
                                                 Plain(differenceName), Plain(differenceText)};
    if (d > sum)
        return {MECHSIM_TR_NOOP("core", "%1 %2 が %3 = %4 を超えます"), beyond};
    if (d < difference)
        return {MECHSIM_TR_NOOP("core", "%1 %2 が %3 = %4 より短くなります"), within};
    // On a limit (within rounding): the chain is flat and its rates are undefined while it moves.
    if (sum - d <= d - difference)
        return {MECHSIM_TR_NOOP("core", "%1 %2 が %3 = %4 に等しく、伸び切った特異姿勢です"),
                beyond};
    return {MECHSIM_TR_NOOP("core", "%1 %2 が %3 = %4 に等しく、折り畳まれた特異姿勢です"), within};
}

}
