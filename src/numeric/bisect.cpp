// Bisection of x*x - 2 by a fixed number of halvings, without tolerance or early answer.
#include "numeric/bisect.h"

#include <cmath>

namespace numeric {

double BisectTestFunction(double x)
{
    return x * x - 2;
}

std::optional<double> Bisect(double& a, double& b, double n)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(n))
        return std::nullopt;
    if (BisectTestFunction(a) * BisectTestFunction(b) > 0 || n < 1)
        return std::nullopt;

    // b keeps the end whose function value has the sign of the starting f(b).
    const double sign = BisectTestFunction(b) > 0 ? 1 : -1;
    double lo = a;
    double hi = b;
    for (double i = 1; i <= n; i += 1) {
        const double m = (lo + hi) / 2;
        const double oldLo = lo;
        const double oldHi = hi;
        if (sign * BisectTestFunction(m) > 0)
            hi = m;
        else
            lo = m;
        // A halving that changes nothing means the ends are neighbouring doubles (or equal):
        // every later halving repeats it, so stopping here gives the same result as running
        // all n of them, and a huge typed n cannot hang the caller.
        if (lo == oldLo && hi == oldHi)
            break;
    }
    a = lo;
    b = hi;
    return (a + b) / 2;
}

}
