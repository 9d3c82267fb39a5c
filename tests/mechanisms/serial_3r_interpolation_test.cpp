// The 3R arm driven along a straight segment and a circular arc: checked poses, the hand
// path, the seam of the base angle, rates against central differences, refused runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "mechanism_test_support.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "numeric/constants.h"
#include "serial_3r_test_support.h"

namespace {

using mechanisms::Serial3RArc;
using mechanisms::Serial3RLine;
using sim::ProfileKind;
using sim::Refusal;

// Result columns after the time: the1, dthe1, ddthe1, the2, ..., ddthe3.
enum Column { The1 = 0, Dthe1, Ddthe1, The2, Dthe2, Ddthe2, The3, Dthe3, Ddthe3 };

// Angle difference brought into (-pi, pi]: the2 and the3 may jump by 2 pi between samples.
double AngleStep(double to, double from)
{
    return std::remainder(to - from, 2 * M_PI);
}

void ExpectAt(WorldPoint p, double x, double y, const char* what)
{
    EXPECT_NEAR(p.x, x, 5e-5) << what;
    EXPECT_NEAR(p.y, y, 5e-5) << what;
}

struct CheckedPose {
    int step;
    WorldPoint hand, wrist, elbow;
    double the1, the2, the3;
};

void ExpectPose(const sim::MechanismRun& run, const CheckedPose& pose)
{
    SCOPED_TRACE("step " + std::to_string(pose.step));
    const auto arm = DrawnArm(run, pose.step);
    ExpectAt(arm[1], pose.elbow.x, pose.elbow.y, "elbow");
    ExpectAt(arm[2], pose.wrist.x, pose.wrist.y, "wrist");
    ExpectAt(arm[3], pose.hand.x, pose.hand.y, "hand");
    const auto c = run.resultTable().columns;
    const auto k = std::size_t(pose.step);
    EXPECT_NEAR(c[The1][k], pose.the1, 5e-6);
    EXPECT_NEAR(c[The2][k], pose.the2, 5e-6);
    EXPECT_NEAR(c[The3][k], pose.the3, 5e-6);
}

TEST(Serial3RLine, DefaultArmTakesTheCheckedPosesAtBothEnds)
{
    auto run = RunOf(ComputeWith(Serial3RLine(), Context(200)));
    ASSERT_TRUE(run);
    ExpectPose(*run, {0, {0, 100}, {0, 70}, {-19.3649, 35.0}, 2.07616, -1.01072, 0.50536});
    ExpectPose(*run, {200, {100, 0}, {70, 0}, {35.0, 19.3649}, 0.50536, -1.01072, 0.50536});
    EXPECT_EQ(run->resultTable().header,
              (std::vector<std::string>{"sec", "the1", "dthe1", "ddthe1", "the2", "dthe2", "ddthe2",
                                        "the3", "dthe3", "ddthe3"}));
}

TEST(Serial3RLine, HandStaysOnItsSegmentAndMovesEvenlyAtConstantVelocity)
{
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(Serial3RLine(), Context(200, profile)));
        ASSERT_TRUE(run);
        const sim::PointSeries& hand = *run->tracedPath();
        for (std::size_t k = 0; k <= 200; ++k) {
            // Segment from (0, 100) to (100, 0): x + y = 100 with 0 <= x <= 100.
            EXPECT_NEAR(hand.x[k] + hand.y[k], 100, 1e-12);
            EXPECT_GE(hand.x[k], -1e-12);
            EXPECT_LE(hand.x[k], 100 + 1e-12);
            if (profile == ProfileKind::Linear) {
                EXPECT_DOUBLE_EQ(hand.vx[k], 10);
                EXPECT_DOUBLE_EQ(hand.vy[k], -10);
                EXPECT_EQ(hand.ax[k], 0.0);
                EXPECT_EQ(hand.ay[k], 0.0);
            }
        }
    }
}

TEST(Serial3RLine, JointAnglesAddUpToTheHandDirection)
{
    // Quintic profile: phi = pi/2 (1 - s), s = 6t^5 - 15t^4 + 10t^3.
    const int n = 200;
    const double t = 10;
    auto run = RunOf(ComputeWith(Serial3RLine(), Context(n)));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    for (int i = 0; i <= n; ++i) {
        const double tau = double(i) / n;
        const double s = ((6 * tau - 15) * tau + 10) * tau * tau * tau;
        const double ds = 30 * tau * tau * (tau - 1) * (tau - 1);
        const auto k = std::size_t(i);
        EXPECT_NEAR(AngleStep(c[The1][k] + c[The2][k] + c[The3][k], M_PI / 2 * (1 - s)), 0, 1e-12);
        EXPECT_NEAR(c[Dthe1][k] + c[Dthe2][k] + c[Dthe3][k], -M_PI / 2 * ds / t, 1e-12);
    }
}

TEST(Serial3RArc, DefaultArmStartsAndReturnsToTheCheckedPose)
{
    auto run = RunOf(ComputeWith(Serial3RArc(), Context(200)));
    ASSERT_TRUE(run);
    for (int step : {0, 200})
        ExpectPose(
            *run,
            {step, {20, 50}, {-8.1908, 39.7394}, {-37.8592, 12.9106}, 2.81294, -2.07776, -0.38611});
}

TEST(Serial3RArc, HandDirectionStaysFixed)
{
    auto run = RunOf(ComputeWith(Serial3RArc(), Context(200, ProfileKind::Cubic)));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    const double phi = 20 * M_PI / 180;
    for (std::size_t k = 0; k <= 200; ++k) {
        EXPECT_NEAR(AngleStep(c[The1][k] + c[The2][k] + c[The3][k], phi), 0, 1e-12);
        EXPECT_NEAR(c[Dthe1][k] + c[Dthe2][k] + c[Dthe3][k], 0, 1e-12);
        EXPECT_NEAR(c[Ddthe1][k] + c[Ddthe2][k] + c[Ddthe3][k], 0, 1e-12);
    }
}

TEST(Serial3RArc, BaseAngleCarriesOnAcrossTheSeam)
{
    struct Case {
        ProfileKind profile;
        int backBelowPi;
    };
    for (const Case& c : {Case{ProfileKind::Linear, 181}, Case{ProfileKind::Cubic, 162},
                          Case{ProfileKind::Quintic, 152}}) {
        SCOPED_TRACE("profile " + std::to_string(int(c.profile)));
        auto run = RunOf(ComputeWith(Serial3RArc(), Context(200, c.profile)));
        ASSERT_TRUE(run);
        const auto the1 = run->resultTable().columns[The1];
        const double pi = numeric::kPi;
        EXPECT_LT(the1[100], pi);
        for (std::size_t k = 101; k < std::size_t(c.backBelowPi); ++k)
            EXPECT_GT(the1[k], pi) << "step " << k;
        for (std::size_t k = std::size_t(c.backBelowPi); k <= 200; ++k)
            EXPECT_LT(the1[k], pi) << "step " << k;
        EXPECT_NEAR(*std::max_element(the1.begin(), the1.end()), 3.6625, 5e-4);
        for (std::size_t k = 1; k <= 200; ++k)
            EXPECT_LT(std::abs(the1[k] - the1[k - 1]), 0.2) << "step " << k;
    }
}

TEST(Serial3RArc, WindowHoldsHandElbowAndWristPaths)
{
    auto run = RunOf(ComputeWith(Serial3RArc(), Context(200)));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    for (int i = 0; i <= 200; ++i)
        for (const WorldPoint& p : DrawnArm(*run, i))
            EXPECT_TRUE(p.x >= w.xmin && p.x <= w.xmax && p.y >= w.ymin && p.y <= w.ymax) << i;
}

TEST(Serial3RInterpolation, JointRatesAgreeWithCentralDifferencesOfAngles)
{
    const int n = 2000;
    const double h = 10.0 / n;
    for (const sim::Mechanism* m : {&Serial3RLine(), &Serial3RArc()})
        for (ProfileKind profile : kProfiles) {
            SCOPED_TRACE(m->command + " profile " + std::to_string(int(profile)));
            auto run = RunOf(ComputeWith(*m, Context(n, profile)));
            ASSERT_TRUE(run);
            const auto c = run->resultTable().columns;
            for (int i = 1; i < n; i += 7) {
                const auto k = std::size_t(i);
                for (int angle : {The1, The2, The3}) {
                    const double rate = AngleStep(c[angle][k + 1], c[angle][k - 1]) / (2 * h);
                    const double accel = (c[angle + 1][k + 1] - c[angle + 1][k - 1]) / (2 * h);
                    EXPECT_NEAR(c[angle + 1][k], rate, 1e-3) << "step " << i << " column " << angle;
                    EXPECT_NEAR(c[angle + 2][k], accel, 1e-3)
                        << "step " << i << " column " << angle;
                }
            }
        }
}

// the1 is the direction of link 1 (continued across the seam on the arc only); the1 + the2 is
// the direction of link 2 as LineAngle gives it, in [-pi, pi), and the3 turns it to the hand.
TEST(Serial3RInterpolation, JointAnglesAreTheDirectionsOfTheDrawnLinks)
{
    const double pi = numeric::kPi;
    for (const sim::Mechanism* m : {&Serial3RLine(), &Serial3RArc()})
        for (ProfileKind profile : kProfiles) {
            SCOPED_TRACE(m->command + " profile " + std::to_string(int(profile)));
            auto run = RunOf(ComputeWith(*m, Context(200, profile)));
            ASSERT_TRUE(run);
            const auto c = run->resultTable().columns;
            for (int i = 0; i <= 200; ++i) {
                const auto k = std::size_t(i);
                const auto arm = DrawnArm(*run, i);
                const double link1 = std::atan2(arm[1].y, arm[1].x);
                const double link2 = c[The1][k] + c[The2][k];
                const double hand = link2 + c[The3][k];
                EXPECT_NEAR(AngleStep(c[The1][k], link1), 0, 1e-9) << "step " << i;
                if (m == &Serial3RLine()) {
                    EXPECT_GE(c[The1][k], -pi) << "step " << i;
                    EXPECT_LT(c[The1][k], pi) << "step " << i;
                }
                EXPECT_GE(link2, -pi) << "step " << i;
                EXPECT_LT(link2, pi) << "step " << i;
                EXPECT_NEAR(AngleStep(link2, std::atan2(arm[2].y - arm[1].y, arm[2].x - arm[1].x)),
                            0, 1e-9)
                    << "step " << i;
                EXPECT_NEAR(AngleStep(hand, std::atan2(arm[3].y - arm[2].y, arm[3].x - arm[2].x)),
                            0, 1e-9)
                    << "step " << i;
            }
        }
}

TEST(Serial3RInterpolation, QuinticRunsStartAndEndAtRest)
{
    for (const sim::Mechanism* m : {&Serial3RLine(), &Serial3RArc()}) {
        auto run = RunOf(ComputeWith(*m, Context(200)));
        ASSERT_TRUE(run);
        const auto c = run->resultTable().columns;
        for (std::size_t k : {std::size_t(0), std::size_t(200)})
            for (int r : {Dthe1, Ddthe1, Dthe2, Ddthe2, Dthe3, Ddthe3})
                EXPECT_NEAR(c[r][k], 0, 1e-12) << m->command << " step " << k;
    }
}

// A hand that does not travel: on the line it stays put while the hand direction turns about
// it; on the arc with the_s = the_f the whole arm rests.
TEST(Serial3RInterpolation, HandThatDoesNotTravelStaysPut)
{
    auto line =
        RunOf(ComputeWith(Serial3RLine(), Context(100, ProfileKind::Cubic),
                          {{"x5_s", "30"}, {"x5_f", "30"}, {"y5_s", "40"}, {"y5_f", "40"}}));
    ASSERT_TRUE(line);
    const sim::PointSeries& hand = *line->tracedPath();
    for (std::size_t k = 0; k <= 100; ++k) {
        const auto arm = DrawnArm(*line, int(k));
        EXPECT_NEAR(arm[3].x, 30, 1e-9) << k;
        EXPECT_NEAR(arm[3].y, 40, 1e-9) << k;
        for (const sim::Series* s : {&hand.vx, &hand.ax, &hand.vy, &hand.ay})
            EXPECT_EQ((*s)[k], 0.0) << k;
    }
    const auto c = line->resultTable().columns;
    EXPECT_NE(c[Dthe3][50], 0.0);   // the hand still turns

    auto arc = RunOf(ComputeWith(Serial3RArc(), Context(100), {{"the_s", "45"}, {"the_f", "45"}}));
    ASSERT_TRUE(arc);
    const auto a = arc->resultTable().columns;
    for (std::size_t k = 0; k <= 100; ++k)
        for (int angle : {The1, The2, The3}) {
            EXPECT_EQ(a[angle][k], a[angle][0]) << "step " << k << " column " << angle;
            EXPECT_EQ(a[angle + 1][k], 0.0) << "step " << k << " column " << angle;
            EXPECT_EQ(a[angle + 2][k], 0.0) << "step " << k << " column " << angle;
        }
}

// A step the arm cannot take refuses the whole run at that step, with its reason.
TEST(Serial3RInterpolation, ImpossibleStepsRefuseTheRun)
{
    struct Case {
        const char* name;
        const sim::Mechanism& mechanism;
        sim::InputEntries inputs;
        ProfileKind profile;
        Refusal::Kind kind;
        std::string where;   // the step, or the box's key
        std::string reason;
    };
    // The wrists, 30 behind the hands: (200, 70) on the line, (220, 50) - 30 (cos 20°, sin 20°)
    // on the arc.
    const Case cases[] = {
        {"hand starts out of reach",
         Serial3RLine(),
         {{"x5_s", "200"}},
         ProfileKind::Quintic,
         Refusal::Kind::Step,
         "0",
         "手首点までの距離 212 が L1+L2 = 80 を超えます"},
        {"circle far from the base",
         Serial3RArc(),
         {{"xc", "200"}},
         ProfileKind::Quintic,
         Refusal::Kind::Step,
         "0",
         "手首点までの距離 196 が L1+L2 = 80 を超えます"},
        // Wrist slides out along y = 0 and ends exactly stretched (L1 + L2 = 80) while moving.
        {"stretched in motion",
         Serial3RLine(),
         {{"x5_s", "50"},
          {"x5_f", "110"},
          {"y5_s", "0"},
          {"y5_f", "0"},
          {"phi_s", "0"},
          {"phi_f", "0"}},
         ProfileKind::Linear,
         Refusal::Kind::Step,
         "100",
         "手首点までの距離 80 が L1+L2 = 80 に等しく、伸び切った特異姿勢です"},
        {"zero first link",
         Serial3RLine(),
         {{"L1", "0"}},
         ProfileKind::Quintic,
         Refusal::Kind::Input,
         "L1",
         "0より大きい長さを入力してください"},
        {"negative second link",
         Serial3RArc(),
         {{"L2", "-40"}},
         ProfileKind::Quintic,
         Refusal::Kind::Input,
         "L2",
         "0より大きい長さを入力してください"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = ComputeWith(c.mechanism, Context(100, c.profile), c.inputs);
        const auto* error = (outcome ? nullptr : &outcome.error());
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->kind, c.kind);
        EXPECT_EQ(c.kind == Refusal::Kind::Step ? std::to_string(error->step) : error->key,
                  c.where);
        EXPECT_EQ(error->reason, c.reason);
    }
}

TEST(Serial3RLine, RunLeavingTheReachIsRefusedAtItsFirstUnreachableStep)
{
    // Hand from (0, 100) to (200, 0) at constant velocity: the wrist, 30 behind the hand along
    // phi = 90 (1 - tau) degrees, passes L1 + L2 = 80 from the base part way.
    const int n = 200;
    int firstOut = -1;
    double reach = 0;
    for (int i = 0; i <= n && firstOut < 0; ++i) {
        const double tau = double(i) / n, phi = M_PI / 2 * (1 - tau);
        reach = std::hypot(200 * tau - 30 * std::cos(phi), 100 - 100 * tau - 30 * std::sin(phi));
        if (reach > 80)
            firstOut = i;
    }
    ASSERT_GT(firstOut, 0);
    const auto outcome =
        ComputeWith(Serial3RLine(), Context(n, ProfileKind::Linear), {{"x5_f", "200"}});
    const auto* error = (outcome ? nullptr : &outcome.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, Refusal::Kind::Step);
    EXPECT_EQ(error->step, firstOut);
    char distance[16];
    std::snprintf(distance, sizeof distance, "%.3g", reach);
    EXPECT_EQ(error->reason,
              "手首点までの距離 " + std::string(distance) + " が L1+L2 = 80 を超えます");
}

}
