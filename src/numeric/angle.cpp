// Angle and scalar helpers, all built on the program's 15-digit pi.
#include "numeric/angle.h"

#include <cmath>
#include <string>

#include "numeric/constants.h"
#include "numeric/number_text.h"

namespace numeric {

double DegToRad(double degrees)
{
    return (degrees * kPi) / 180;
}

double RadToDegExactly(double radians)
{
    // DegToRad gives the same radians for neighbouring degrees; of those the shortest text is
    // the one typed (18.4 rather than 18.399999999999995).
    const double degrees = radians * 180 / kPi;
    double candidate = degrees;
    for (int k = 0; k < 8; ++k)
        candidate = std::nextafter(candidate, -HUGE_VAL);
    double best = degrees;
    std::size_t shortest = std::string::npos;
    for (int k = 0; k <= 16; ++k, candidate = std::nextafter(candidate, HUGE_VAL))
        if (DegToRad(candidate) == radians && FormatNumber(candidate).size() < shortest) {
            best = candidate;
            shortest = FormatNumber(candidate).size();
        }
    return best;
}

double ArcTan2(double y, double x)
{
    // The cases are tested in this order; a zero abscissa is settled before any division,
    // and the negative x axis gives -pi, so the range is [-pi, pi).
    if (x == 0 && y >= 0)
        return kHalfPi;
    if (x == 0 && y < 0)
        return -kHalfPi;
    if (x > 0)
        return std::atan(y / x);
    if (x < 0 && y > 0)
        return std::atan(y / x) + kPi;
    return std::atan(y / x) - kPi;
}

std::optional<double> ArcCos(double c)
{
    // Written so that NaN, which lies in no interval, is refused as well.
    if (!(c >= -1 && c <= 1))
        return std::nullopt;
    const double s = std::sqrt(1 - c * c);
    return ArcTan2(s, c);
}

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

double RoundUp(double x)
{
    const double f = std::floor(x);
    return x == f ? f : f + 1;
}

void UnwrapAngle(double& previous, double& angle, double& offset)
{
    const double d = angle - previous;
    if (d > kPi)
        offset -= kTwoPi;
    else if (d < -kPi)
        offset += kTwoPi;
    previous = angle;
    angle += offset;
}

}
