// Closure routines: known poses, and every degenerate pose reported as an error that leaves
// the outputs alone; nothing non-finite ever comes back as "ok".
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

#include "numeric/angle.h"
#include "numeric/closures.h"
#include "numeric/finite.h"

using namespace numeric;

namespace {

PointKinematics Rest(double x, double y)
{
    return PointKinematics::AtRest(x, y);
}

// Outputs are pre-filled with this marker to show that a failing routine leaves them alone.
constexpr PointKinematics kMarkerPoint{-123, -123, -123, -123, -123, -123};
constexpr ValueTriple kMarkerTriple{-123, -123, -123};

}

TEST(Closures, KnownPoses)
{
    ValueTriple l;
    ASSERT_EQ(PointDistance(Rest(0, 0), {3, 1, 0, 4, 0, 0}, l), Status::Ok);
    EXPECT_NEAR(l.value, 5, 1e-15);
    EXPECT_NEAR(l.rate, 0.6, 1e-15);
    EXPECT_NEAR(l.accel, 0.128, 1e-15);

    ValueTriple phi;
    ASSERT_EQ(LineAngle(Rest(0, 0), Rest(-1, 0), phi), Status::Ok);
    EXPECT_EQ(phi, (ValueTriple{-3.14159265358979, 0, 0}));

    PointKinematics c;
    ASSERT_EQ(SolveDyad(Rest(0, 0), Rest(8, 2), 10, 10, c), Status::Ok);
    // Apex of the isosceles triangle over AB: midpoint plus height along the left normal.
    const double half = std::sqrt(68.0) / 2, height = std::sqrt(100 - half * half);
    EXPECT_NEAR(c.x, 4 + height * -2 / (2 * half), 1e-13);
    EXPECT_NEAR(c.y, 1 + height * 8 / (2 * half), 1e-13);
    EXPECT_NEAR(c.x, 1.79, 5e-3);
    EXPECT_NEAR(c.y, 9.84, 5e-3);
    EXPECT_EQ(c.vx, 0.0);
    EXPECT_EQ(c.ay, 0.0);

    const PointKinematics p = PolarPoint(Rest(0, 0), 2, {1.570796326794895, 1, 0});
    EXPECT_NEAR(p.x, 0, 1e-14);
    EXPECT_NEAR(p.y, 2, 1e-14);
    EXPECT_NEAR(p.vx, -2, 1e-14);
    EXPECT_NEAR(p.vy, 0, 1e-14);
    EXPECT_NEAR(p.ax, 0, 1e-14);
    EXPECT_NEAR(p.ay, -2, 1e-14);

    PointKinematics s;
    ASSERT_EQ(SolveSlider(0, 5, Rest(0, 0), Rest(3, 4), s), Status::Ok);
    EXPECT_EQ(s, Rest(6, 0));
}

TEST(Closures, BodyPointOnTheLineIsPolarPoint)
{
    const PointKinematics a{1, 0.3, -0.2, 2, -0.5, 0.1};
    const PointKinematics b{4, -0.7, 0.4, 6, 0.2, -0.3};
    ValueTriple phi;
    ASSERT_EQ(LineAngle(a, b, phi), Status::Ok);
    PointKinematics body;
    ASSERT_EQ(BodyPoint(a, b, 1, 0, body), Status::Ok);
    const PointKinematics polar = PolarPoint(a, 1, phi);
    for (auto [x, y] : {std::pair{body.x, polar.x},
                        {body.vx, polar.vx},
                        {body.ax, polar.ax},
                        {body.y, polar.y},
                        {body.vy, polar.vy},
                        {body.ay, polar.ay}})
        EXPECT_NEAR(x, y, 1e-14);
    // On a line that only turns about A, u = |AB| is B itself, with all of B's motion.
    const PointKinematics rigid = PolarPoint(a, 5, {0.7, 1.3, -0.4});
    PointKinematics atB;
    ASSERT_EQ(BodyPoint(a, rigid, 5, 0, atB), Status::Ok);
    for (auto [x, y] : {std::pair{atB.x, rigid.x},
                        {atB.vx, rigid.vx},
                        {atB.ax, rigid.ax},
                        {atB.y, rigid.y},
                        {atB.vy, rigid.vy},
                        {atB.ay, rigid.ay}})
        EXPECT_NEAR(x, y, 1e-13);
}

TEST(Closures, ClassicSliderClosedForm)
{
    // alpha = 0: X = xB + sqrt(l^2 - (y0 - yB)^2), Y = y0, for a crank pin on a circle.
    for (double q = 0; q < 6.3; q += 0.3) {
        const PointKinematics b = PolarPoint(Rest(0, 0), 2, {q, 1.5, 0});
        PointKinematics s;
        ASSERT_EQ(SolveSlider(0, 7, Rest(0, 1), b, s), Status::Ok);
        EXPECT_NEAR(s.x, b.x + std::sqrt(49 - (1 - b.y) * (1 - b.y)), 1e-12);
        EXPECT_EQ(s.y, 1.0);
        EXPECT_EQ(s.vy, 0.0);
    }
}

TEST(Closures, StretchedOrFoldedAtRestClosesOnTheLine)
{
    struct Row {
        const char* name;
        PointKinematics a, b;
        double la, lb, x, y;
    };
    const Row rows[] = {
        {"stretched", Rest(0, 0), Rest(20, 0), 10, 10, 10, 0},
        {"folded, C beyond B", Rest(0, 0), Rest(5, 0), 10, 5, 10, 0},
        {"folded, C behind A", Rest(0, 0), Rest(5, 0), 5, 10, -5, 0},
        // Translating together keeps |AB| exactly constant: the rates are those of A.
        {"stretched, translating", {0, 1, 2, 0, 3, 4}, {20, 1, 2, 0, 3, 4}, 10, 10, 10, 0},
    };
    for (const Row& r : rows) {
        PointKinematics c;
        ASSERT_EQ(SolveDyad(r.a, r.b, r.la, r.lb, c), Status::Ok) << r.name;
        EXPECT_NEAR(c.x, r.x, 1e-13) << r.name;
        EXPECT_NEAR(c.y, r.y, 1e-13) << r.name;
        EXPECT_EQ(c.vx, r.a.vx) << r.name;
        EXPECT_EQ(c.vy, r.a.vy) << r.name;
        EXPECT_EQ(c.ax, r.a.ax) << r.name;
        EXPECT_EQ(c.ay, r.a.ay) << r.name;
    }
}

TEST(Closures, DegeneratePosesAreErrorsThatLeaveOutputs)
{
    const PointKinematics moving{20, 1, 0, 0, 0, 0};     // B moving away along AB
    const PointKinematics turning{20, 0, -1, 0, 0, 0};   // at the toggle: |AB| still, decelerating
    struct Row {
        std::string name;
        std::function<Status(PointKinematics&)> call;
    };
    const Row rows[] = {
        {"SolveDyad coincident ends",
         [](auto& c) { return SolveDyad(Rest(1, 1), Rest(1, 1), 10, 10, c); }},
        {"SolveDyad zero first link",
         [](auto& c) { return SolveDyad(Rest(0, 0), Rest(3, 0), 0, 3, c); }},
        {"SolveDyad zero second link",
         [](auto& c) { return SolveDyad(Rest(0, 0), Rest(3, 0), 3, 0, c); }},
        {"SolveDyad out of reach",
         [](auto& c) { return SolveDyad(Rest(0, 0), Rest(25, 0), 10, 10, c); }},
        {"SolveDyad too short",
         [](auto& c) { return SolveDyad(Rest(0, 0), Rest(2, 0), 10, 5, c); }},
        {"SolveDyad stretched while moving",
         [&](auto& c) { return SolveDyad(Rest(0, 0), moving, 10, 10, c); }},
        {"SolveDyad stretched at a toggle",
         [&](auto& c) { return SolveDyad(Rest(0, 0), turning, 10, 10, c); }},
        {"SolveDyad folded while moving",
         [](auto& c) {
             return SolveDyad(Rest(0, 0), {5, 0.5, 0, 0, 0, 0}, 5, 10, c);
         }},
        {"SolveDyad folded beyond B while moving",
         [](auto& c) {
             return SolveDyad(Rest(0, 0), {5, -0.5, 0, 0, 0, 0}, 10, 5, c);
         }},
        {"BodyPoint coincident",
         [](auto& c) { return BodyPoint(Rest(2, 3), Rest(2, 3), 1, 1, c); }},
        {"SolveSlider D < 0", [](auto& c) { return SolveSlider(0, 3, Rest(0, 0), Rest(0, 5), c); }},
        {"SolveSlider D = 0", [](auto& c) { return SolveSlider(0, 5, Rest(0, 0), Rest(0, 5), c); }},
        {"SolveSlider vertical guide",
         [](auto& c) { return SolveSlider(DegToRad(90), 5, Rest(0, 0), Rest(3, 4), c); }},
        {"SolveSlider vertical guide down",
         [](auto& c) { return SolveSlider(DegToRad(270), 5, Rest(0, 0), Rest(3, 4), c); }},
        {"SolveSlider exact half pi",
         [](auto& c) { return SolveSlider(M_PI / 2, 5, Rest(0, 0), Rest(3, 4), c); }},
        {"SolveSlider NaN angle",
         [](auto& c) { return SolveSlider(NAN, 5, Rest(0, 0), Rest(3, 4), c); }},
    };
    for (const Row& r : rows) {
        PointKinematics c = kMarkerPoint;
        EXPECT_EQ(r.call(c), Status::Error) << r.name;
        EXPECT_EQ(c, kMarkerPoint) << r.name;
    }
}

TEST(Closures, DegenerateScalarsAreErrorsThatLeaveOutputs)
{
    struct Row {
        std::string name;
        std::function<Status(ValueTriple&)> call;
    };
    const Row rows[] = {
        {"PointDistance coincident",
         [](auto& v) {
             return PointDistance(Rest(1, 2), {1, 3, 0, 2, 0, 0}, v);
         }},
        {"LineAngle coincident",
         [](auto& v) {
             return LineAngle({1, 1, 1, 2, 0, 0}, Rest(1, 2), v);
         }},
        {"TriangleAngle cannot close",
         [](auto& v) {
             return TriangleAngle(3, 4, {8, 0, 0}, v);
         }},
        {"TriangleAngle zero side la",
         [](auto& v) {
             return TriangleAngle(0, 4, {4, 0, 0}, v);
         }},
        {"TriangleAngle zero side L",
         [](auto& v) {
             return TriangleAngle(3, 3, {0, 0, 0}, v);
         }},
        {"TriangleAngle flat, L moving",
         [](auto& v) {
             return TriangleAngle(3, 4, {7, 1e-9, 0}, v);
         }},
        {"TriangleAngle flat, L accelerating",
         [](auto& v) {
             return TriangleAngle(3, 4, {1, 0, -2}, v);
         }},
    };
    for (const Row& r : rows) {
        ValueTriple v = kMarkerTriple;
        EXPECT_EQ(r.call(v), Status::Error) << r.name;
        EXPECT_EQ(v, kMarkerTriple) << r.name;
    }
}

// Every one of the six (or three) numbers is checked: a NaN or infinity in any of them is caught.
TEST(Closures, IsFiniteChecksEveryComponent)
{
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        for (double PointKinematics::*field :
             {&PointKinematics::x, &PointKinematics::vx, &PointKinematics::ax, &PointKinematics::y,
              &PointKinematics::vy, &PointKinematics::ay}) {
            PointKinematics p = Rest(1, 2);
            EXPECT_TRUE(IsFinite(p));
            p.*field = bad;
            EXPECT_FALSE(IsFinite(p));
        }
        for (double ValueTriple::*field :
             {&ValueTriple::value, &ValueTriple::rate, &ValueTriple::accel}) {
            ValueTriple v{1, 2, 3};
            EXPECT_TRUE(IsFinite(v));
            v.*field = bad;
            EXPECT_FALSE(IsFinite(v));
        }
    }
}

// Random poses, many of them degenerate on purpose (shared points, exact stretched and folded
// chains, zero lengths, vertical or near-vertical guides): "ok" must always mean finite.
TEST(Closures, OkAlwaysMeansFinite)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> any(-10, 10);
    std::uniform_int_distribution<int> pick(0, 5);
    const auto point = [&] {
        return PointKinematics{any(random), any(random), any(random),
                               any(random), any(random), any(random)};
    };
    const auto scaled = [&](double s) { return pick(random) == 0 ? 0.0 : s * any(random); };
    int ok = 0;
    for (int i = 0; i < 20000; ++i) {
        const PointKinematics a = point();
        PointKinematics b = point();
        const double la = std::round(scaled(1)), lb = std::round(scaled(1));
        switch (pick(random)) {
        case 0:
            b = a;
            break;   // coincident
        case 1:
            b.x = a.x + la + lb;
            b.y = a.y;
            break;   // stretched along x
        case 2:
            b.x = a.x;
            b.y = a.y + std::abs(la - lb);
            break;   // folded along y
        case 3:
            b.vx = a.vx;
            b.vy = a.vy;
            b.ax = a.ax;
            b.ay = a.ay;
            break;   // rigid translation
        default:
            break;
        }
        ValueTriple v;
        PointKinematics c;
        if (PointDistance(a, b, v) == Status::Ok) {
            ++ok;
            EXPECT_TRUE(IsFinite(v));
        }
        if (LineAngle(a, b, v) == Status::Ok) {
            EXPECT_TRUE(IsFinite(v));
        }
        if (TriangleAngle(la, lb, {std::abs(scaled(2)), scaled(1), scaled(1)}, v) == Status::Ok) {
            EXPECT_TRUE(IsFinite(v));
        }
        if (SolveDyad(a, b, la, lb, c) == Status::Ok) {
            EXPECT_TRUE(IsFinite(c)) << i;
        }
        if (BodyPoint(a, b, la, lb, c) == Status::Ok) {
            EXPECT_TRUE(IsFinite(c));
        }
        const double alpha =
            pick(random) < 2 ? DegToRad(90 * std::round(any(random))) + scaled(1e-12) : any(random);
        if (SolveSlider(alpha, std::abs(la) + std::abs(lb), a, b, c) == Status::Ok) {
            EXPECT_TRUE(IsFinite(c)) << i;
        }
    }
    EXPECT_GT(ok, 10000);
}
