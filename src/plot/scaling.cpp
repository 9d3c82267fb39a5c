// Automatic scales of the graphs and of the mechanism view.
#include "plot/scaling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/angle.h"

namespace plot {

namespace {

// Int(v): the largest whole number not above v.
double Int(double v)
{
    return std::floor(v);
}

double PowerOfTen(double v)
{
    return std::pow(10.0, Int(numeric::Log10(v)));
}

bool FinitePositive(double v)
{
    return std::isfinite(v) && v > 0;
}

// Magnitudes below this are zero for every picture; their power of ten could underflow.
constexpr double kTiny = 1e-300;

// The elements 0..n of a that exist (a single one when n < 1).
std::span<const double> Elements(int n, std::span<const double> a)
{
    const std::size_t count = n < 1 ? 1 : static_cast<std::size_t>(n) + 1;
    return a.first(std::min(count, a.size()));
}

}

void AbsMaxScale(int n, std::span<const double> a, double& fullScale, double& unit)
{
    // Non-finite values cannot be scaled and are left out (the forms never produce them).
    double f = std::isfinite(fullScale) ? fullScale : 0;
    for (const double v : Elements(n, a))
        if (std::isfinite(v) && std::abs(v) > f)
            f = std::abs(v);
    if (f < kTiny) {
        fullScale = 1;
        unit = 1;
        return;
    }
    const double u = PowerOfTen(f);
    const double rounded = u * numeric::RoundUp(f / u);
    unit = u;
    // Rounding up just below the largest double would overflow; keep the maximum itself then.
    fullScale = std::isfinite(rounded) ? rounded : f;
}

void RangeScale(int n, std::span<const double> a, double& lower, double& upper, double& step)
{
    // Non-finite bounds count as not yet set, non-finite values are left out, so no NaN or
    // infinity can come out (the forms never pass them).
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double m = std::isfinite(lower) ? lower : kInf;
    double M = std::isfinite(upper) ? upper : -kInf;
    if (m > M && std::isfinite(m) && std::isfinite(M))
        std::swap(m, M);
    for (const double v : Elements(n, a)) {
        if (!std::isfinite(v))
            continue;
        if (v > M)
            M = v;
        if (v < m)
            m = v;
    }
    if (!std::isfinite(m) && !std::isfinite(M))
        m = M = 0;
    else if (!std::isfinite(m))
        m = M;
    else if (!std::isfinite(M))
        M = m;

    const double r = M - m;
    double s = 1;
    if (r != 0) {
        s = PowerOfTen(r);
        const double q = r / s;
        if (q < 2)
            s = s / 5;
        else if (q < 5)
            s = s / 2;
    }
    const double top = s * numeric::RoundUp(M / s);
    const double bottom = s * Int(m / s);
    if (FinitePositive(s) && std::isfinite(top) && std::isfinite(bottom)) {
        lower = bottom;
        upper = top;
        step = s;
        return;
    }
    // A range near the limits of a double (overflowing span, underflowing step): keep the
    // widened bounds unrounded with a tenth of the range as step.
    lower = m;
    upper = M;
    step = M / 10 - m / 10;
    if (!FinitePositive(step))
        step = 1;
}

void FitWorldWindow(int n, std::span<const double> xs, std::span<const double> ys, double& xmin,
                    double& xmax, double& ymin, double& ymax, double& xstep, double& ystep)
{
    RangeScale(n, xs, xmin, xmax, xstep);
    RangeScale(n, ys, ymin, ymax, ystep);
}

void FitWorldWindow(int n, std::span<const double> xs, std::span<const double> ys, WorldWindow& w)
{
    FitWorldWindow(n, xs, ys, w.xmin, w.xmax, w.ymin, w.ymax, w.xstep, w.ystep);
}

void FitWorldWindow(double x, double y, WorldWindow& w)
{
    FitWorldWindow(0, std::span<const double>(&x, 1), std::span<const double>(&y, 1), w);
}

// A window of zero width (every point on one vertical line) gives no horizontal ratio, so the
// height alone decides, and likewise for zero height. A single point gives neither; then the
// window is shown at 1 mm per world unit, which puts that point at the view origin like any
// other scale would. A picture too small for the margins gives no ratio either.
double DrawingScale(double width, double height, const WorldWindow& w)
{
    const double byWidth = (width - 20) / (w.xmax - w.xmin);
    const double byHeight = (height - 12) / (w.ymax - w.ymin);
    const bool widthUsable = FinitePositive(byWidth);
    const bool heightUsable = FinitePositive(byHeight);
    if (widthUsable && heightUsable)
        return std::min(byWidth, byHeight);
    if (widthUsable)
        return byWidth;
    if (heightUsable)
        return byHeight;
    return 1;
}

}
