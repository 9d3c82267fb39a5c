// Running the 3R arms and reading a pose back from what DrawMechanism draws, in world units.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "mechanism_test_support.h"
#include "plot/recording_canvas.h"
#include "run/mechanism.h"

struct WorldPoint {
    double x = 0, y = 0;
};

inline double Distance(WorldPoint a, WorldPoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The base, both inner joints and the hand of pose `index`, taken from the three link lines
// drawn at scale 1 with the window's corner at the world origin (picture = (10 + x, H - 10 - y)).
inline std::array<WorldPoint, 4> DrawnArm(const sim::MechanismRun& run, int index)
{
    constexpr double kHeight = 1000;
    plot::RecordingCanvas canvas(1000, kHeight);
    run.DrawMechanism(canvas, plot::WorldWindow{0, 0, 0, 0, 1, 1, 1}, index);
    EXPECT_EQ(canvas.lines.size(), 3u);
    EXPECT_EQ(canvas.circles.size(), 4u);
    if (canvas.lines.size() != 3)
        return {};
    auto world = [](plot::PointMm p) { return WorldPoint{p.x - 10, (kHeight - 10) - p.y}; };
    return {world(canvas.lines[0].a), world(canvas.lines[1].a), world(canvas.lines[2].a),
            world(canvas.lines[2].b)};
}
