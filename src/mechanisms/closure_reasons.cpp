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

std::string DyadRefusalReason(const DyadNames& names, double la, double lb,
                              const numeric::PointKinematics& a, const numeric::PointKinematics& b)
{
    if (la == 0 || lb == 0)
        return (la == 0 ? names.first : names.second) + " が 0 でリンクになりません";
    const double d = std::hypot(b.x - a.x, b.y - a.y);
    if (!(d > 0))
        return names.distance + "が 0 でリンクの向きが定まりません";
    const double sum = la + lb, difference = std::abs(la - lb);
    // The sum is written with its names in order ("L2+L3"), the way a student writes it.
    const std::string sumName =
        std::min(names.first, names.second) + "+" + std::max(names.first, names.second);
    const std::string differenceName = "|" + names.first + "-" + names.second + "|";
    const auto& [dSum, sumText] = ContrastingTexts(d, sum);
    const auto& [dDifference, differenceText] = ContrastingTexts(d, difference);
    if (d > sum)
        return names.distance + " " + dSum + " が " + sumName + " = " + sumText + " を超えます";
    if (d < difference)
        return names.distance + " " + dDifference + " が " + differenceName + " = " + differenceText
               + " より短くなります";
    // On a limit (within rounding): the chain is flat and its rates are undefined while it moves.
    if (sum - d <= d - difference)
        return names.distance + " " + dSum + " が " + sumName + " = " + sumText
               + " に等しく、伸び切った特異姿勢です";
    return names.distance + " " + dDifference + " が " + differenceName + " = " + differenceText
           + " に等しく、折り畳まれた特異姿勢です";
}

}
