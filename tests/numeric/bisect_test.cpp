// Bisection of x*x - 2: fixed halvings from either end order, failures that leave the ends.
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "numeric/bisect.h"

using namespace numeric;

TEST(Bisect, KnownEstimates)
{
    struct Row {
        double a, b, n, expected;
    };
    const Row rows[] = {
        {0, 2, 1, 1.5},
        {0, 2, 2, 1.25},
        {0, 2, 3, 1.375},
        {0, 2, 10, 1.4150390625},
        {0, 2, 10.9, 1.4150390625},   // a fractional count is its whole part
        {0, 2, 20, 1.4142141342163086},
        {2, 0, 10, 1.4150390625},     // reversed interval
        {-2, 0, 10, -1.4150390625},   // the negative root
    };
    for (const Row& r : rows) {
        double a = r.a, b = r.b;
        const auto x = Bisect(a, b, r.n);
        ASSERT_TRUE(x) << r.a << " " << r.b << " " << r.n;
        EXPECT_EQ(*x, r.expected) << r.a << " " << r.b << " " << r.n;
        // The ends were narrowed in place: width |b - a| / 2^n, around the estimate.
        EXPECT_DOUBLE_EQ(std::abs(b - a), std::abs(r.b - r.a) / std::pow(2.0, std::floor(r.n)));
        EXPECT_EQ((a + b) / 2, *x);
    }
}

TEST(Bisect, ErrorsLeaveTheEnds)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        const char* name;
        double a, b, n;
    };
    const Row rows[] = {
        {"no halving", 0, 2, 0},      {"less than one halving", 0, 2, 0.9},
        {"no sign change", 2, 3, 10}, {"infinite count", 0, 2, inf},
        {"NaN count", 0, 2, nan},     {"infinite end", 0, inf, 10},
        {"NaN end", nan, 2, 10},
    };
    for (const Row& r : rows) {
        double a = r.a, b = r.b;
        EXPECT_FALSE(Bisect(a, b, r.n)) << r.name;
        EXPECT_TRUE(a == r.a || (std::isnan(a) && std::isnan(r.a))) << r.name;
        EXPECT_EQ(b, r.b) << r.name;
    }
}

TEST(Bisect, HugeCountConvergesWithoutHanging)
{
    double a = 0, b = 2;
    const auto x = Bisect(a, b, 1e18);
    ASSERT_TRUE(x);
    EXPECT_NEAR(*x, std::sqrt(2.0), 4e-16);
    // Same answer as enough halvings to exhaust the precision.
    double c = 0, d = 2;
    EXPECT_EQ(Bisect(c, d, 2000), x);
}
