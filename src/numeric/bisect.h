// Bisection of the test function x*x - 2 by a fixed number of halvings.
#pragma once

#include <optional>

namespace numeric {

double BisectTestFunction(double x);

// Halves [a, b] (either order) n times, whole part of n; narrows a and b in place and returns
// the midpoint of the last interval. nullopt ("error") with a, b unchanged when there is no
// sign change or n < 1.
std::optional<double> Bisect(double& a, double& b, double n);

}
