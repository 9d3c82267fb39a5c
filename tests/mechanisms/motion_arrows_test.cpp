// Velocity and acceleration arrows over a pose, recorded in millimetres: where they start, where
// they point, how long they are, the scale stated in the corner, and nothing when unasked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/serial_2r.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/run_pictures.h"

namespace {

constexpr double kWidth = 140, kHeight = 110;

// The lines of `colour` that leave picture point `from`: the shaft of an arrow drawn there.
std::vector<plot::RecordedLine> LinesFrom(const plot::RecordingCanvas& p, plot::Rgb colour,
                                          plot::PointMm from)
{
    std::vector<plot::RecordedLine> found;
    for (const plot::RecordedLine& l : p.lines)
        if (l.colour == colour && std::abs(l.a.x - from.x) < 1e-9
            && std::abs(l.a.y - from.y) < 1e-9)
            found.push_back(l);
    return found;
}

int LinesOf(const plot::RecordingCanvas& p, plot::Rgb colour)
{
    return static_cast<int>(std::count_if(p.lines.begin(), p.lines.end(),
                                          [&](const auto& l) { return l.colour == colour; }));
}

// The 2R arm's tip velocity arrow at a known step: from the tip, along (vx, -vy) in picture
// coordinates, |v| times the run's scale long; the tip's velocity agrees with the difference
// of its positions; the longest shaft of the cycle is a fifth of the width within the 1-2-5
// rounding of the scale; zero vectors and zero runs draw nothing; options off draw as before.
TEST(MotionArrows, PointAlongTheVectorsOnOneScaleForTheCycle)
{
    const int n = 40;
    const sim::RunContext context = Context(n);
    const auto run = RunOf(ComputeWith(mechanisms::Serial2R(), context));
    ASSERT_TRUE(run);
    plot::WorldWindow w = run->fitWorldWindow();
    w.scale = plot::DrawingScale(kWidth, kHeight, w);
    const sim::PointSeries& tip = *run->tracedPath();

    // The peaks from the series themselves: the elbow and the tip are what move.
    double vPeak = 0, aPeak = 0;
    for (int k = 0; k <= n; ++k)
        for (const auto& p : run->movingPoints(k)) {
            vPeak = std::max(vPeak, std::hypot(p.vx, p.vy));
            aPeak = std::max(aPeak, std::hypot(p.ax, p.ay));
        }
    ASSERT_EQ(run->movingPoints(0).size(), 2U);
    const sim::VectorPeaks peaks = sim::CyclePeaks(*run, n);
    EXPECT_EQ(peaks.velocity, vPeak);
    EXPECT_EQ(peaks.acceleration, aPeak);
    const auto scale = sim::ChooseArrowScale(vPeak, kWidth, w);
    ASSERT_TRUE(scale);
    // One grid step stands for a round number of velocity units.
    EXPECT_NEAR(scale->mmPerUnit * scale->unitsPerStep, w.xstep * w.scale, 1e-9);
    const double mantissa =
        scale->unitsPerStep / std::pow(10.0, std::floor(std::log10(scale->unitsPerStep)));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9
                || std::abs(mantissa - 5) < 1e-9)
        << mantissa;

    const sim::DrawingOptions both{.velocities = true, .accelerations = true};
    const int k = 13;
    plot::RecordingCanvas view(kWidth, kHeight);
    sim::DrawPose(view, *run, w, both, k, peaks);
    const plot::PointMm at = plot::WorldToPicture(view, w, tip.position(k));
    const auto shafts = LinesFrom(view, sim::kVelocityColour, at);
    ASSERT_EQ(shafts.size(), 1U);
    const double dx = shafts[0].b.x - at.x, dy = shafts[0].b.y - at.y;
    const double speed = std::hypot(tip.vx[k], tip.vy[k]);
    EXPECT_NEAR(std::hypot(dx, dy), speed * scale->mmPerUnit, 1e-9);
    EXPECT_NEAR(dx * -tip.vy[k] - dy * tip.vx[k], 0, 1e-9);   // parallel to (vx, -vy)
    EXPECT_GT(dx * tip.vx[k] - dy * tip.vy[k], 0);            // and the same way
    const double dt = context.cycleTime / n;
    EXPECT_NEAR(tip.vx[k], (tip.x[k + 1] - tip.x[k - 1]) / (2 * dt), 0.02 * speed);
    EXPECT_NEAR(tip.vy[k], (tip.y[k + 1] - tip.y[k - 1]) / (2 * dt), 0.02 * speed);
    EXPECT_EQ(LinesFrom(view, sim::kAccelerationColour, at).size(), 1U);
    ASSERT_EQ(view.texts.size(), 2U);
    EXPECT_EQ(view.texts[0].text,
              "速度 1 目盛 = " + numeric::FormatNumber(scale->unitsPerStep) + " /s");
    EXPECT_EQ(view.texts[1].text.rfind("加速度 1 目盛 = ", 0), 0U);

    // The longest velocity shaft of the cycle.
    double longest = 0;
    for (int step = 0; step <= n; ++step) {
        plot::RecordingCanvas pose(kWidth, kHeight);
        sim::DrawPose(pose, *run, w, {.velocities = true}, step, peaks);
        for (const auto& p : run->movingPoints(step))
            for (const auto& l :
                 LinesFrom(pose, sim::kVelocityColour, plot::WorldToPicture(pose, w, {p.x, p.y})))
                longest = std::max(longest, std::hypot(l.b.x - l.a.x, l.b.y - l.a.y));
    }
    EXPECT_NEAR(longest, vPeak * scale->mmPerUnit, 1e-9);
    EXPECT_GE(longest, kWidth / 5 / std::sqrt(2.5));
    EXPECT_LE(longest, kWidth / 5 * std::sqrt(2.5));

    // The quintic profile starts at rest: no arrow at step 0, only the scales in the corner.
    plot::RecordingCanvas rest(kWidth, kHeight);
    sim::DrawPose(rest, *run, w, both, 0, peaks);
    for (const auto& p : run->movingPoints(0)) {
        const plot::PointMm joint = plot::WorldToPicture(rest, w, {p.x, p.y});
        EXPECT_TRUE(LinesFrom(rest, sim::kVelocityColour, joint).empty());
        EXPECT_TRUE(LinesFrom(rest, sim::kAccelerationColour, joint).empty());
    }
    EXPECT_EQ(rest.texts.size(), 2U);

    // A run at rest throughout: no arrows and no scale.
    plot::RecordingCanvas still(kWidth, kHeight);
    sim::DrawPose(still, *run, w, both, k, sim::VectorPeaks{});
    EXPECT_EQ(LinesOf(still, sim::kVelocityColour) + LinesOf(still, sim::kAccelerationColour), 0);
    EXPECT_TRUE(still.texts.empty());

    // Unasked, every mechanism's pose is exactly what it draws without arrows.
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        const auto other = RunOf(ComputeWith(*m, context));
        ASSERT_TRUE(other);
        plot::WorldWindow ow = other->fitWorldWindow();
        ow.scale = plot::DrawingScale(kWidth, kHeight, ow);
        const sim::VectorPeaks otherPeaks = sim::CyclePeaks(*other, n);
        EXPECT_GT(otherPeaks.velocity, 0);
        plot::RecordingCanvas plain(kWidth, kHeight), unasked(kWidth, kHeight);
        plain.clear();
        other->DrawMechanism(plain, ow, k);
        sim::DrawPose(unasked, *other, ow, {}, k, otherPeaks);
        ASSERT_EQ(unasked.lines.size(), plain.lines.size());
        for (std::size_t i = 0; i < plain.lines.size(); ++i) {
            const plot::RecordedLine &u = unasked.lines[i], &q = plain.lines[i];
            EXPECT_TRUE(u.a.x == q.a.x && u.a.y == q.a.y && u.b.x == q.b.x && u.b.y == q.b.y
                        && u.colour == q.colour && u.penWidth == q.penWidth && u.style == q.style)
                << i;
        }
        EXPECT_EQ(unasked.circles.size(), plain.circles.size());
        EXPECT_TRUE(unasked.texts.empty());
        // Asked, an arrow leaves some moving point, and no point listed is a fixed pivot.
        plot::RecordingCanvas asked(kWidth, kHeight);
        sim::DrawPose(asked, *other, ow, {.velocities = true}, k, otherPeaks);
        EXPECT_GT(LinesOf(asked, sim::kVelocityColour), 3);
        for (const auto& p : other->movingPoints(k))
            EXPECT_GT(std::hypot(p.vx, p.vy) + std::hypot(p.ax, p.ay), 0);
    }
}

}
