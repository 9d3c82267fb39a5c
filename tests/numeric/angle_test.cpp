// Angle helpers: the 15-digit constants, ArcTan2's case order and range, ArcCos's domain,
// RoundUp and the unwrapping across the +-pi seam.
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "numeric/angle.h"

using namespace numeric;

TEST(Angle, DegToRadGivesTheFifteenDigitConstants)
{
    EXPECT_EQ(DegToRad(180), 3.14159265358979);
    EXPECT_EQ(DegToRad(90), 1.570796326794895);
    EXPECT_EQ(DegToRad(0), 0.0);
}

TEST(Angle, ArcTan2CasesAndRange)
{
    struct Row {
        const char* name;
        double y, x, expected;
    };
    const Row rows[] = {
        {"origin", 0, 0, 1.570796326794895},
        {"positive y axis", 2, 0, 1.570796326794895},
        {"negative y axis", -1, 0, -1.570796326794895},
        {"negative x axis is -pi", 0, -1, -3.14159265358979},
        {"second quadrant", 1, -1, std::atan(-1.0) + 3.14159265358979},
        {"third quadrant", -1, -1, std::atan(1.0) - 3.14159265358979},
        {"first quadrant", 1, 1, std::atan(1.0)},
        {"fourth quadrant", -1, 1, std::atan(-1.0)},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ArcTan2(r.y, r.x), r.expected) << r.name;
    EXPECT_NEAR(ArcTan2(1, -1), 2.35619, 1e-5);
    EXPECT_NEAR(ArcTan2(-1, -1), -2.35619, 1e-5);
}

TEST(Angle, ArcCosDomain)
{
    EXPECT_EQ(ArcCos(1), 0.0);
    EXPECT_EQ(ArcCos(0), 1.570796326794895);
    EXPECT_EQ(ArcCos(-1), -3.14159265358979);
    EXPECT_NEAR(*ArcCos(0.5), std::acos(0.5), 1e-14);
    EXPECT_FALSE(ArcCos(1.0000001));
    EXPECT_FALSE(ArcCos(-1.0000001));
    EXPECT_FALSE(ArcCos(std::numeric_limits<double>::quiet_NaN()));
}

TEST(Angle, RoundUpAndLog10)
{
    const std::pair<double, double> rows[] = {{3, 3}, {3.0001, 4}, {-0.5, 0},
                                              {2, 2}, {2.1, 3},    {-2.5, -2}};
    for (const auto& [x, expected] : rows)
        EXPECT_EQ(RoundUp(x), expected) << x;
    EXPECT_NEAR(Log10(1000), 3, 1e-15);
    EXPECT_NEAR(Log10(0.01), -2, 1e-15);
}

TEST(Angle, UnwrapAngleAcrossTheSeam)
{
    double previous = 3.1, angle = -3.1, offset = 0;
    UnwrapAngle(previous, angle, offset);
    EXPECT_EQ(offset, 6.28318530717958);
    EXPECT_EQ(previous, -3.1);
    EXPECT_NEAR(angle, 3.18318530717958, 1e-14);

    angle = -3.0;
    UnwrapAngle(previous, angle, offset);
    EXPECT_EQ(offset, 6.28318530717958);
    EXPECT_NEAR(angle, 3.28318530717958, 1e-14);

    // Back across the seam the other way removes the offset again.
    angle = 3.0;
    UnwrapAngle(previous, angle, offset);
    EXPECT_EQ(offset, 0.0);
    EXPECT_EQ(angle, 3.0);
}

TEST(Angle, UnwrapAngleExactHalfTurnChangesNothing)
{
    double previous = 0, angle = 3.14159265358979, offset = 0;
    UnwrapAngle(previous, angle, offset);
    EXPECT_EQ(offset, 0.0);
    previous = 0, angle = -3.14159265358979;
    UnwrapAngle(previous, angle, offset);
    EXPECT_EQ(offset, 0.0);
}
