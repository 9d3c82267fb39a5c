// Reading a drawn pose back in world units, and checking analytic rates against central
// differences of the stored positions, for the closed-mechanism tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "mechanism_test_support.h"
#include "numeric/constants.h"
#include "plot/palette.h"
#include "plot/recording_canvas.h"
#include "run/mechanism.h"

namespace closedtest {

using ::Context;
using ::kProfiles;

}

namespace drawn {

struct Point {
    double x = 0, y = 0;
};

inline double Distance(Point a, Point b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

struct Line {
    Point a, b;
    plot::Rgb colour;
    int penWidth = 0;
};

struct Pose {
    std::vector<Line> lines;
    std::vector<Point> circles;
    std::vector<plot::Rgb> circleColours;
    int penWidthAfter = 0;
};

// What DrawMechanism draws for pose `index`, at scale 1 with the window corner at (-500, -500):
// picture (10 + x + 500, H - 10 - (y + 500)).
inline Pose Draw(const sim::MechanismRun& run, int index)
{
    constexpr double kHeight = 2000, kCorner = -500;
    plot::RecordingCanvas canvas(2000, kHeight);
    run.DrawMechanism(canvas, plot::WorldWindow{kCorner, 0, kCorner, 0, 1, 1, 1}, index);
    auto world = [](plot::PointMm p) {
        return Point{p.x - 10 + kCorner, (kHeight - 10) - p.y + kCorner};
    };
    Pose pose;
    for (const plot::RecordedLine& l : canvas.lines)
        pose.lines.push_back({world(l.a), world(l.b), l.colour, l.penWidth});
    for (const plot::RecordedCircle& c : canvas.circles) {
        pose.circles.push_back(world(c.centre));
        pose.circleColours.push_back(c.colour);
    }
    pose.penWidthAfter = canvas.penWidth();
    return pose;
}

}

// Step-to-step difference of an angle series, folded into (-pi, pi] across the +-pi seam.
inline double AngleDifference(double later, double earlier)
{
    return std::remainder(later - earlier, 2 * numeric::kPi);
}

// Checks rate[i] and accel[i] against central differences of value and rate over every step
// 1..N-1 that `skip` does not exclude. The truncation error is of order h^2, so the tolerance
// is relative to the largest rate and acceleration of the run.
inline void ExpectRatesMatchCentralDifferences(const std::string& what, double step,
                                               const sim::TripleView& t, bool isAngle,
                                               double tolerance,
                                               const std::function<bool(int)>& skip = {})
{
    double rateScale = 0, accelScale = 0;
    for (std::size_t k = 0; k < t.value.size(); ++k) {
        rateScale = std::max(rateScale, std::abs(t.rate[k]));
        accelScale = std::max(accelScale, std::abs(t.accel[k]));
    }
    const int n = static_cast<int>(t.value.size()) - 1;
    int failures = 0;
    for (int i = 1; i < n && failures < 5; ++i) {
        if (skip && skip(i))
            continue;
        const auto k = static_cast<std::size_t>(i);
        const double dv = isAngle ? AngleDifference(t.value[k + 1], t.value[k - 1])
                                  : t.value[k + 1] - t.value[k - 1];
        const double v = dv / (2 * step);
        const double a = (t.rate[k + 1] - t.rate[k - 1]) / (2 * step);
        if (std::abs(t.rate[k] - v) > tolerance * rateScale
            || std::abs(t.accel[k] - a) > tolerance * accelScale) {
            ++failures;
            ADD_FAILURE() << what << " step " << i << ": rate " << t.rate[k] << " vs " << v
                          << ", accel " << t.accel[k] << " vs " << a;
        }
    }
}
