// The three-legged parallel mechanism: the printed start pose and base joints, the cusps of the
// platform path, rigid legs over whole runs, rates against central differences away from the
// cusps, any N (not only multiples of 4), and the refusal of a leg that cannot reach.
#include <gtest/gtest.h>

#include <cmath>

#include "closed_mechanism_test_support.h"
#include "mechanism_test_support.h"
#include "mechanisms/parallel_mechanism.h"
#include "numeric/constants.h"
#include "run/frame.h"

namespace {

using closedtest::Context;
using closedtest::kProfiles;
using mechanisms::ParallelMechanism;
using sim::ProfileKind;

// Drawn pose: lines B->E (0..2), E->V (3..5), platform V1-V2, V2-V3, V3-V1 (6..8); circles C,
// B1..B3, E1..E3, V1..V3.
struct Legs {
    drawn::Point c;
    std::array<drawn::Point, 3> b, e, v;
};

Legs DrawnLegs(const sim::MechanismRun& run, int index)
{
    const drawn::Pose pose = drawn::Draw(run, index);
    EXPECT_EQ(pose.lines.size(), 9u);
    EXPECT_EQ(pose.circles.size(), 10u);
    if (pose.lines.size() != 9 || pose.circles.size() != 10)
        return {};
    Legs legs;
    legs.c = pose.circles[0];
    for (std::size_t k = 0; k < 3; ++k) {
        legs.b[k] = pose.lines[k].a;
        legs.e[k] = pose.lines[k].b;
        legs.v[k] = pose.lines[3 + k].b;
    }
    return legs;
}

TEST(Parallel, DefaultStartPoseMatchesThePrintedValues)
{
    auto run = RunOf(ComputeWith(ParallelMechanism(), Context(200)));
    ASSERT_TRUE(run);
    const Legs l = DrawnLegs(*run, 0);
    const double h = 20 * std::sqrt(3.0) / 2;   // 17.32...
    EXPECT_NEAR(l.c.x, 20, 1e-12);
    EXPECT_NEAR(l.c.y, 0, 1e-12);
    EXPECT_NEAR(l.v[0].x, 30, 1e-12);
    EXPECT_NEAR(l.v[0].y, -h, 1e-12);
    EXPECT_NEAR(l.v[1].x, 30, 1e-12);
    EXPECT_NEAR(l.v[1].y, h, 1e-12);
    EXPECT_NEAR(l.v[2].x, 0, 1e-12);
    EXPECT_NEAR(l.v[2].y, 0, 1e-12);
    const double b = 50 * std::sqrt(3.0) / 2;   // 43.30...
    const drawn::Point base[] = {{b, -25}, {0, 50}, {-b, -25}};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(l.b[k].x, base[k].x, 1e-12);
        EXPECT_NEAR(l.b[k].y, base[k].y, 1e-12);
    }
    const auto c = run->resultTable().columns;
    EXPECT_NEAR(c[0][0], 1.325, 5e-4);
    EXPECT_NEAR(c[3][0], -1.485, 5e-4);
    EXPECT_NEAR(c[6][0], 0.056, 5e-4);
}

TEST(Parallel, CentreRestsAtTheFourCuspsAndClosesAtIndexN)
{
    // Off-centre path so that a swapped sign or centre coordinate shows.
    const double xc = 3, yc = -2, rc = 15;
    const sim::InputEntries inputs{{"xc", "3"}, {"yc", "-2"}, {"rc", "15"}};
    struct Cusp {
        int index;
        double x, y;
    };
    const Cusp cusps[] = {{0, xc + rc, yc},
                          {50, xc, yc + rc},
                          {100, xc - rc, yc},
                          {150, xc, yc - rc},
                          {200, xc + rc, yc}};
    for (ProfileKind profile : kProfiles) {
        SCOPED_TRACE(static_cast<int>(profile));
        auto run = RunOf(ComputeWith(ParallelMechanism(), Context(200, profile), inputs));
        ASSERT_TRUE(run);
        const auto pages = run->nextPages();
        const sim::TripleView x = pages[0].triple, y = pages[1].triple;
        for (const Cusp& cusp : cusps) {
            const auto k = static_cast<std::size_t>(cusp.index);
            EXPECT_NEAR(x.value[k], cusp.x, 1e-12) << cusp.index;
            EXPECT_NEAR(y.value[k], cusp.y, 1e-12) << cusp.index;
            if (profile != ProfileKind::Linear) {
                EXPECT_NEAR(x.rate[k], 0, 1e-12) << cusp.index;
                EXPECT_NEAR(y.rate[k], 0, 1e-12) << cusp.index;
            }
        }
        // Between the cusps each quarter is an arc of radius rc about a corner of the square.
        const drawn::Point corners[] = {
            {xc + rc, yc + rc}, {xc - rc, yc + rc}, {xc - rc, yc - rc}, {xc + rc, yc - rc}};
        for (std::size_t k = 0; k <= 200; ++k) {
            const drawn::Point corner = corners[std::min<std::size_t>(3, k / 50)];
            EXPECT_NEAR(std::hypot(x.value[k] - corner.x, y.value[k] - corner.y), rc, 1e-12) << k;
        }
    }
}

TEST(Parallel, LegsAndPlatformStayRigidOverEveryPose)
{
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(ParallelMechanism(), Context(120, profile)));
        ASSERT_TRUE(run);
        const Legs first = DrawnLegs(*run, 0);
        for (int i = 0; i <= 120; ++i) {
            SCOPED_TRACE(i);
            const Legs l = DrawnLegs(*run, i);
            for (std::size_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(l.b[k].x, first.b[k].x, 1e-12);   // base joints never move
                EXPECT_NEAR(l.b[k].y, first.b[k].y, 1e-12);
                EXPECT_NEAR(drawn::Distance(l.b[k], l.e[k]), 28, 1e-9);
                EXPECT_NEAR(drawn::Distance(l.e[k], l.v[k]), 28, 1e-9);
                EXPECT_NEAR(drawn::Distance(l.c, l.v[k]), 20, 1e-9);
                // The platform translates: each joint keeps its offset from the centre.
                EXPECT_NEAR(l.v[k].x - l.c.x, first.v[k].x - first.c.x, 1e-9);
                EXPECT_NEAR(l.v[k].y - l.c.y, first.v[k].y - first.c.y, 1e-9);
                // The stored base joint angle is the direction of the drawn proximal link.
                const double drawnAngle = std::atan2(l.e[k].y - l.b[k].y, l.e[k].x - l.b[k].x);
                EXPECT_NEAR(
                    AngleDifference(run->resultTable().columns[3 * k][std::size_t(i)], drawnAngle),
                    0, 1e-9);
            }
        }
    }
}

TEST(Parallel, RatesAgreeWithCentralDifferencesAwayFromTheCusps)
{
    const int n = 20000;
    const double t = 10, h = t / n;
    // Each quarter starts afresh from its cusp; differences across one are meaningless.
    auto nearCusp = [n](int i) {
        const int quarter = n / 4, r = i % quarter;
        return r <= 1 || r >= quarter - 1;
    };
    for (ProfileKind profile : kProfiles) {
        SCOPED_TRACE(static_cast<int>(profile));
        auto run = RunOf(ComputeWith(ParallelMechanism(), Context(n, profile, t)));
        ASSERT_TRUE(run);
        const auto c = run->resultTable().columns;
        for (std::size_t leg = 0; leg < 3; ++leg)
            ExpectRatesMatchCentralDifferences("theta" + std::to_string(leg + 1), h,
                                               {c[3 * leg], c[3 * leg + 1], c[3 * leg + 2]}, true,
                                               1e-4, nearCusp);
        for (const auto& page : run->nextPages())
            ExpectRatesMatchCentralDifferences(page.caption, h, page.triple, false, 1e-4, nearCusp);
    }
}

TEST(Parallel, ConstantVelocityProfileRunsEachQuarterInAQuarterOfTheCycle)
{
    // Arc speed rc * (pi/2) / (T/4) everywhere, also for N not a multiple of 4.
    for (int n : {200, 30, 7}) {
        SCOPED_TRACE(n);
        auto run = RunOf(ComputeWith(ParallelMechanism(), Context(n, ProfileKind::Linear, 8)));
        ASSERT_TRUE(run);
        const auto pages = run->nextPages();
        for (std::size_t k = 0; k <= static_cast<std::size_t>(n); ++k)
            EXPECT_NEAR(std::hypot(pages[0].triple.rate[k], pages[1].triple.rate[k]),
                        20 * numeric::kHalfPi / 2, 1e-12);
    }
}

TEST(Parallel, QuartersAreExactForEveryN)
{
    for (int j = 0; j < 50; ++j)
        for (int q = 0; q < 4; ++q) {
            const mechanisms::QuarterTime qt = mechanisms::ParallelQuarterTime(j + 50 * q, 200);
            EXPECT_EQ(qt.quarter, q);
            EXPECT_EQ(qt.t, j / 50.0);
        }
    struct Row {
        int i, n, quarter;
        double t;
    };
    const Row rows[] = {
        {200, 200, 3, 1.0}, {8, 30, 1, 2.0 / 30}, {15, 30, 2, 0.0}, {29, 30, 3, 26.0 / 30},
        {30, 30, 3, 1.0},   {1, 1, 3, 1.0},       {0, 1, 0, 0.0},   {1, 2, 2, 0.0},
        {5, 0, 0, 0.0}};   // no divisions: no division by zero
    for (const Row& r : rows) {
        const mechanisms::QuarterTime qt = mechanisms::ParallelQuarterTime(r.i, r.n);
        EXPECT_EQ(qt.quarter, r.quarter) << r.i << " of " << r.n;
        EXPECT_DOUBLE_EQ(qt.t, r.t) << r.i << " of " << r.n;
    }
}

TEST(Parallel, ThirtyDivisionsRunTheWholePathAndClose)
{
    auto run = RunOf(ComputeWith(ParallelMechanism(), Context(30)));
    ASSERT_TRUE(run);
    const auto pages = run->nextPages();
    const sim::TripleView x = pages[0].triple, y = pages[1].triple;
    EXPECT_NEAR(x.value[0], 20, 1e-12);
    EXPECT_NEAR(x.value[15], -20, 1e-12);   // 4 * 15 / 30 = 2: the start of quarter 2
    EXPECT_NEAR(y.value[15], 0, 1e-12);
    EXPECT_NEAR(x.value[30], 20, 1e-12);
    EXPECT_NEAR(y.value[30], 0, 1e-12);
    EXPECT_EQ(sim::StopPoseIndices(ParallelMechanism().traits.stopPoses, 30), std::vector<int>{4});
}

TEST(Parallel, LegThatCannotReachIsRefusedAtItsFirstStep)
{
    // The platform joints do not depend on the leg lengths: take them from a run with the
    // defaults and find where legs of 2 x 26 first fall short.
    const int n = 200;
    auto reference = RunOf(ComputeWith(ParallelMechanism(), Context(n, ProfileKind::Linear)));
    ASSERT_TRUE(reference);
    int expectedStep = -1, expectedLeg = -1;
    for (int i = 0; i <= n && expectedStep < 0; ++i) {
        const Legs l = DrawnLegs(*reference, i);
        for (std::size_t k = 0; k < 3 && expectedStep < 0; ++k)
            if (drawn::Distance(l.b[k], l.v[k]) > 52) {
                expectedStep = i;
                expectedLeg = static_cast<int>(k) + 1;
            }
    }
    ASSERT_GT(expectedStep, 0);
    auto outcome = ComputeWith(ParallelMechanism(), Context(n, ProfileKind::Linear),
                               {{"L1", "26"}, {"L2", "26"}});
    const auto* error = (outcome ? nullptr : &outcome.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, sim::Refusal::Kind::Step);
    EXPECT_EQ(error->step, expectedStep);
    EXPECT_NE(error->reason.find("脚" + std::to_string(expectedLeg)), std::string::npos)
        << error->reason;

    auto farAway = ComputeWith(ParallelMechanism(), Context(n), {{"xc", "500"}});
    const auto* farError = (farAway ? nullptr : &farAway.error());
    ASSERT_NE(farError, nullptr);
    EXPECT_EQ(farError->step, 0);
}

TEST(Parallel, DrawsLegsPlatformAndJointsWithTheFormsColours)
{
    auto run = RunOf(ComputeWith(ParallelMechanism(), Context(200)));
    ASSERT_TRUE(run);
    const drawn::Pose pose = drawn::Draw(*run, 77);
    ASSERT_EQ(pose.lines.size(), 9u);
    for (std::size_t j = 0; j < 9; ++j) {
        EXPECT_EQ(pose.lines[j].colour, plot::PaletteColour(1 + static_cast<int>(j / 3)));
        EXPECT_EQ(pose.lines[j].penWidth, 2);
    }
    // Platform lines join V1-V2, V2-V3, V3-V1.
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_NEAR(pose.lines[6 + j].a.x, pose.lines[3 + j].b.x, 1e-9);
        EXPECT_NEAR(pose.lines[6 + j].b.x, pose.lines[3 + (j + 1) % 3].b.x, 1e-9);
    }
    ASSERT_EQ(pose.circles.size(), 10u);
    EXPECT_EQ(pose.circleColours[0], plot::PaletteColour(2));
    for (std::size_t j = 1; j < 10; ++j)
        EXPECT_EQ(pose.circleColours[j], plot::PaletteColour(1));
    EXPECT_EQ(pose.penWidthAfter, 1);
}

TEST(Parallel, WorldWindowFramesTheBaseTriangle)
{
    auto run = RunOf(ComputeWith(ParallelMechanism(), Context(200)));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    const Legs l = DrawnLegs(*run, 0);
    for (const drawn::Point& b : l.b) {
        EXPECT_LE(w.xmin, b.x);
        EXPECT_GE(w.xmax, b.x);
        EXPECT_LE(w.ymin, b.y);
        EXPECT_GE(w.ymax, b.y);
    }
    // The path is not fitted: moving it (with legs long enough to follow) leaves the window.
    auto moved = RunOf(ComputeWith(ParallelMechanism(), Context(200),
                                   {{"L1", "60"}, {"L2", "60"}, {"xc", "10"}, {"yc", "10"}}));
    ASSERT_TRUE(moved);
    const plot::WorldWindow m = moved->fitWorldWindow();
    EXPECT_EQ(m.xmin, w.xmin);
    EXPECT_EQ(m.xmax, w.xmax);
    EXPECT_EQ(m.ymin, w.ymin);
    EXPECT_EQ(m.ymax, w.ymax);
}

TEST(Parallel, HandsTheFrameItsPagesPathAndEighthPose)
{
    const sim::Mechanism& m = ParallelMechanism();
    EXPECT_EQ(m.command, "parallel");
    EXPECT_EQ(m.formName, "Formparallel");
    EXPECT_FALSE(m.traits.showsOkAfterCompute);
    EXPECT_FALSE(m.traits.nextStopsTimer);
    EXPECT_EQ(sim::StopPoseIndices(m.traits.stopPoses, 200), std::vector<int>{25});

    auto run = RunOf(ComputeWith(m, Context(200)));
    ASSERT_TRUE(run);
    const auto table = run->resultTable();
    EXPECT_EQ(table.header,
              (std::vector<std::string>{"sec", "the1", "dthe1", "ddthe1", "the2", "dthe2", "ddthe2",
                                        "the3", "dthe3", "ddthe3"}));
    const auto pages = run->nextPages();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].caption, "x10  dx10  ddx10");
    EXPECT_EQ(pages[1].caption, "y10  dy10  ddy10");
    EXPECT_EQ(pages[2].caption, "x7   dx7   ddx7");
    EXPECT_EQ(pages[3].caption, "y7   dy7   ddy7");
    ASSERT_NE(run->tracedPath(), nullptr);
    EXPECT_EQ(run->tracedPath()->x.data(), pages[0].triple.value.data());   // the centre C
    // The graphs are theta1 and theta2, the result table's first two triples.
    EXPECT_EQ(run->graphs()[1].value.data(), table.columns[3].data());
}

}
