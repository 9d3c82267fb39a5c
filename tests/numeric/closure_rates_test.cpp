// The analytic rates of every closure routine against central differences of its own
// outputs along smooth motions with exactly known velocities and accelerations.
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "numeric/angle.h"
#include "numeric/closures.h"

using namespace numeric;

namespace {

// A point on x = cx + rx cos(wx t + px), y = cy + ry sin(wy t + py), with exact derivatives.
struct Path {
    double cx, rx, wx, px, cy, ry, wy, py;

    PointKinematics At(double t) const
    {
        const double cs = std::cos(wx * t + px), sn = std::sin(wy * t + py);
        const double sx = std::sin(wx * t + px), cy2 = std::cos(wy * t + py);
        return {cx + rx * cs, -rx * wx * sx, -rx * wx * wx * cs,
                cy + ry * sn, ry * wy * cy2, -ry * wy * wy * sn};
    }
};

// A scalar s(t) = s0 + s1 t + s2 sin(w t) with exact derivatives.
struct Scalar {
    double s0, s1, s2, w;

    ValueTriple At(double t) const
    {
        return {s0 + s1 * t + s2 * std::sin(w * t), s1 + s2 * w * std::cos(w * t),
                -s2 * w * w * std::sin(w * t)};
    }
};

// One output channel of a routine; angles are compared modulo 2 pi.
struct Channel {
    ValueTriple v;
    bool angle = false;
};

std::vector<Channel> Channels(const PointKinematics& p)
{
    return {{{p.x, p.vx, p.ax}}, {{p.y, p.vy, p.ay}}};
}

using Evaluation = std::function<std::optional<std::vector<Channel>>(double t)>;

double Difference(double later, double earlier, bool angle)
{
    const double d = later - earlier;
    return angle ? std::remainder(d, 2 * M_PI) : d;
}

// Compares rate with (f(t+h) - f(t-h)) / 2h and acceleration with the same difference of the
// routine's own rates, at samples spread over a few seconds of motion.
void ExpectRatesMatchDifferences(const std::string& name, const Evaluation& eval)
{
    const double h = 1e-5;
    int checked = 0;
    for (double t = 0.05; t < 4; t += 0.0731) {
        const auto now = eval(t), before = eval(t - h), after = eval(t + h);
        ASSERT_TRUE(now && before && after) << name << " failed at t = " << t;
        for (std::size_t i = 0; i < now->size(); ++i) {
            const Channel& c = (*now)[i];
            const double rate =
                Difference((*after)[i].v.value, (*before)[i].v.value, c.angle) / (2 * h);
            const double accel = ((*after)[i].v.rate - (*before)[i].v.rate) / (2 * h);
            EXPECT_NEAR(c.v.rate, rate, 1e-6 * (1 + std::abs(rate)))
                << name << " channel " << i << " t = " << t;
            EXPECT_NEAR(c.v.accel, accel, 1e-6 * (1 + std::abs(accel)))
                << name << " channel " << i << " t = " << t;
        }
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

// Crank pin and rocker-like points of moderate speed around a few length units.
const Path kA{0.5, 1.2, 1.3, 0.2, -0.3, 0.9, 0.8, 1.0};
const Path kB{7.0, 1.5, -0.9, 2.0, 2.0, 1.1, 1.7, -0.4};

}

TEST(ClosureRates, PointDistanceAndLineAngle)
{
    ExpectRatesMatchDifferences("PointDistance",
                                [](double t) -> std::optional<std::vector<Channel>> {
                                    ValueTriple l;
                                    if (PointDistance(kA.At(t), kB.At(t), l) != Status::Ok)
                                        return std::nullopt;
                                    return std::vector<Channel>{{l}};
                                });
    // B circles A so the direction sweeps through the -pi / pi seam.
    const Path around{0, 4.0, 1.1, 0.3, 0, 3.5, 1.1, 0.3};
    for (const Path& b : {kB, around})
        ExpectRatesMatchDifferences("LineAngle",
                                    [&](double t) -> std::optional<std::vector<Channel>> {
                                        ValueTriple phi;
                                        if (LineAngle(kA.At(t), b.At(t), phi) != Status::Ok)
                                            return std::nullopt;
                                        return std::vector<Channel>{{phi, true}};
                                    });
}

TEST(ClosureRates, TriangleAngle)
{
    // la = 4, lb = 3: L oscillates in [2, 6], inside the closable range (1, 7).
    const Scalar l{4, 0, 2, 1.3};
    ExpectRatesMatchDifferences("TriangleAngle",
                                [&](double t) -> std::optional<std::vector<Channel>> {
                                    ValueTriple theta;
                                    if (TriangleAngle(4, 3, l.At(t), theta) != Status::Ok)
                                        return std::nullopt;
                                    return std::vector<Channel>{{theta, true}};
                                });
}

TEST(ClosureRates, PolarPoint)
{
    const Scalar psi{0.3, 0.7, 1.1, 2.3};
    ExpectRatesMatchDifferences("PolarPoint", [&](double t) -> std::optional<std::vector<Channel>> {
        return Channels(PolarPoint(kA.At(t), 2.5, psi.At(t)));
    });
}

TEST(ClosureRates, SolveDyadBothAssemblies)
{
    // |AB| stays within about [3.6, 10.5]; la + lb = 12 and |la - lb| = 2 keep the chain closable.
    const double la = 5, lb = 7;
    ExpectRatesMatchDifferences("SolveDyad A,B",
                                [&](double t) -> std::optional<std::vector<Channel>> {
                                    PointKinematics c;
                                    if (SolveDyad(kA.At(t), kB.At(t), la, lb, c) != Status::Ok)
                                        return std::nullopt;
                                    return Channels(c);
                                });
    ExpectRatesMatchDifferences("SolveDyad B,A",
                                [&](double t) -> std::optional<std::vector<Channel>> {
                                    PointKinematics c;
                                    if (SolveDyad(kB.At(t), kA.At(t), lb, la, c) != Status::Ok)
                                        return std::nullopt;
                                    return Channels(c);
                                });
}

TEST(ClosureRates, BodyPoint)
{
    for (const auto& [u, w] : {std::pair{2.0, 1.5}, {-1.0, -3.0}, {0.0, 4.0}})
        ExpectRatesMatchDifferences("BodyPoint",
                                    [&](double t) -> std::optional<std::vector<Channel>> {
                                        PointKinematics c;
                                        if (BodyPoint(kA.At(t), kB.At(t), u, w, c) != Status::Ok)
                                            return std::nullopt;
                                        return Channels(c);
                                    });
}

TEST(ClosureRates, SolveSliderOnAnInclinedMovingGuide)
{
    // Crank pin B on a circle of radius 2, guide at 20 degrees through a swaying P0.
    const Path crank{0, 2, 1.7, 0.1, 0, 2, 1.7, 0.1};
    const Path p0{-1, 0.4, 0.6, 0, 0.5, 0.3, 0.9, 0.4};
    const double alpha = DegToRad(20);
    ExpectRatesMatchDifferences(
        "SolveSlider", [&](double t) -> std::optional<std::vector<Channel>> {
            PointKinematics s;
            if (SolveSlider(alpha, 6, p0.At(t), crank.At(t), s) != Status::Ok)
                return std::nullopt;
            return Channels(s);
        });
}

TEST(ClosureRates, SolveGuidePointOnAVerticalMovingGuideBothBranches)
{
    // A vertical guide, which SolveSlider cannot take; the larger s lies higher on it.
    const Path crank{0, 2, 1.7, 0.1, 0, 2, 1.7, 0.1};
    const Path p0{-1, 0.4, 0.6, 0, 0.5, 0.3, 0.9, 0.4};
    for (const Branch branch : {Branch::Usual, Branch::Other})
        ExpectRatesMatchDifferences(
            "SolveGuidePoint", [&](double t) -> std::optional<std::vector<Channel>> {
                PointKinematics s, mirror;
                const Branch other = branch == Branch::Usual ? Branch::Other : Branch::Usual;
                if (SolveGuidePoint(DegToRad(90), 6, p0.At(t), crank.At(t), s, branch) != Status::Ok
                    || SolveGuidePoint(DegToRad(90), 6, p0.At(t), crank.At(t), mirror, other)
                           != Status::Ok)
                    return std::nullopt;
                EXPECT_NEAR(std::hypot(s.x - crank.At(t).x, s.y - crank.At(t).y), 6, 1e-12);
                EXPECT_EQ(s.y > mirror.y, branch == Branch::Usual);
                return Channels(s);
            });
}

// Geometric truth along the same motions: the joint keeps both link lengths and its side.
TEST(ClosureRates, DyadAndSliderStayRigid)
{
    for (double t = 0; t < 4; t += 0.1) {
        const PointKinematics a = kA.At(t), b = kB.At(t);
        PointKinematics left, right;
        ASSERT_EQ(SolveDyad(a, b, 5, 7, left), Status::Ok);
        ASSERT_EQ(SolveDyad(b, a, 7, 5, right), Status::Ok);
        for (const PointKinematics& c : {left, right}) {
            EXPECT_NEAR(std::hypot(c.x - a.x, c.y - a.y), 5, 1e-12) << t;
            EXPECT_NEAR(std::hypot(c.x - b.x, c.y - b.y), 7, 1e-12) << t;
        }
        const auto cross = [&](const PointKinematics& c) {
            return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        };
        EXPECT_GT(cross(left), 0) << t;
        EXPECT_LT(cross(right), 0) << t;

        const double alpha = DegToRad(20);
        PointKinematics s;
        ASSERT_EQ(SolveSlider(alpha, 9, a, b, s), Status::Ok);
        EXPECT_NEAR(std::hypot(s.x - b.x, s.y - b.y), 9, 1e-12) << t;
        EXPECT_NEAR(s.y - a.y, std::tan(alpha) * (s.x - a.x), 1e-12) << t;
    }
}
