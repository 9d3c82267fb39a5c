// The four-bar linkage: the printed poses, rigid links over whole runs, rates against central
// differences, the refusal of a loop that cannot close, and what the frame is handed.
#include <gtest/gtest.h>

#include <cmath>

#include "closed_mechanism_test_support.h"
#include "mechanism_test_support.h"
#include "mechanisms/four_bar.h"
#include "numeric/constants.h"
#include "run/frame.h"

namespace {

using closedtest::Context;
using closedtest::kProfiles;
using mechanisms::FourBar;
using sim::ProfileKind;

// Drawn pose: crank D->B, coupler B->P, rocker P->O, ground O->D, P->C.
struct Linkage {
    drawn::Point d, b, p, o, c;
};

Linkage DrawnLinkage(const sim::MechanismRun& run, int index)
{
    const drawn::Pose pose = drawn::Draw(run, index);
    EXPECT_EQ(pose.lines.size(), 5u);
    if (pose.lines.size() != 5)
        return {};
    return {pose.lines[0].a, pose.lines[0].b, pose.lines[1].b, pose.lines[2].b, pose.lines[4].b};
}

TEST(FourBar, StepsZeroAndQuarterTurnMatchThePrintedPoses)
{
    auto run = RunOf(ComputeWith(FourBar(), Context(200, ProfileKind::Linear)));
    ASSERT_TRUE(run);
    const auto table = run->resultTable();
    struct Row {
        int step;
        double bx, by, px, py, phi, cx, cy;
    };
    const Row rows[] = {{0, 0.98, 0, 0.59204, 0.09740, 0.16306, 0.61639, 0.19439},
                        {50, 0.68, 0.3, 0.33306, 0.49907, 0.98232, 0.38282, 0.58581},
                        {200, 0.98, 0, 0.59204, 0.09740, 0.16306, 0.61639, 0.19439}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.step);
        const Linkage l = DrawnLinkage(*run, r.step);
        const auto k = static_cast<std::size_t>(r.step);
        EXPECT_NEAR(l.b.x, r.bx, 5e-6);
        EXPECT_NEAR(l.b.y, r.by, 5e-6);
        EXPECT_NEAR(l.p.x, r.px, 5e-6);
        EXPECT_NEAR(l.p.y, r.py, 5e-6);
        EXPECT_NEAR(table.columns[1][k], r.phi, 5e-6);
        EXPECT_NEAR(table.columns[2][k], r.cx, 5e-6);
        EXPECT_NEAR(table.columns[5][k], r.cy, 5e-6);
    }
}

TEST(FourBar, ResultTableHasTheFormsColumnsAndTheCrankTurnsOnce)
{
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(FourBar(), Context(200, profile)));
        ASSERT_TRUE(run);
        const auto table = run->resultTable();
        EXPECT_EQ(table.header, (std::vector<std::string>{"sec", "theta", "phi", "x", "dx", "ddx",
                                                          "y", "dy", "ddy"}));
        ASSERT_EQ(table.columns.size(), 8u);
        for (const auto& column : table.columns)
            EXPECT_EQ(column.size(), 201u);
        EXPECT_EQ(table.columns[0][0], 0.0);
        EXPECT_EQ(table.columns[0][200], numeric::kTwoPi);
        const auto crank = run->graphs()[0];
        if (profile == ProfileKind::Linear) {
            for (std::size_t k = 0; k <= 200; ++k) {
                EXPECT_DOUBLE_EQ(crank.rate[k], numeric::kTwoPi / 10);
                EXPECT_EQ(crank.accel[k], 0.0);
            }
        } else {
            // Cubic and quintic start and end at rest: crank, rocker and coupler point.
            for (std::size_t k : {std::size_t{0}, std::size_t{200}})
                for (int c : {3, 6})
                    EXPECT_NEAR(table.columns[static_cast<std::size_t>(c)][k], 0, 1e-15);
            EXPECT_EQ(crank.rate[0], 0.0);
            EXPECT_NEAR(run->graphs()[1].rate[200], 0, 1e-15);
        }
    }
}

TEST(FourBar, LinksStayRigidAndTheCouplerPointStaysFixedInTheCoupler)
{
    const double gsi = 0.15, eta = -0.08;
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(
            ComputeWith(FourBar(), Context(120, profile), {{"gsi", "0.15"}, {"eta", "-0.08"}}));
        ASSERT_TRUE(run);
        for (int i = 0; i <= 120; ++i) {
            SCOPED_TRACE(i);
            const Linkage l = DrawnLinkage(*run, i);
            EXPECT_NEAR(l.d.x, 0.68, 1e-12);   // pivots never move
            EXPECT_NEAR(l.d.y, 0, 1e-12);
            EXPECT_NEAR(l.o.x, 0, 1e-12);
            EXPECT_NEAR(l.o.y, 0, 1e-12);
            EXPECT_NEAR(drawn::Distance(l.d, l.b), 0.3, 1e-12);
            EXPECT_NEAR(drawn::Distance(l.b, l.p), 0.4, 1e-12);
            EXPECT_NEAR(drawn::Distance(l.o, l.p), 0.6, 1e-12);
            // C in the frame with origin P and x axis towards B.
            const double ux = (l.b.x - l.p.x) / 0.4, uy = (l.b.y - l.p.y) / 0.4;
            const double rx = l.c.x - l.p.x, ry = l.c.y - l.p.y;
            EXPECT_NEAR(rx * ux + ry * uy, gsi, 1e-12);
            EXPECT_NEAR(-rx * uy + ry * ux, eta, 1e-12);
            // P on the left of O->B: the assembly never flips.
            EXPECT_GT(l.b.x * l.p.y - l.b.y * l.p.x, 0);
            // The drawn coupler point is the one in the table.
            const auto k = static_cast<std::size_t>(i);
            EXPECT_NEAR(l.c.x, run->resultTable().columns[2][k], 1e-12);
        }
    }
}

TEST(FourBar, RatesAgreeWithCentralDifferencesForEveryProfile)
{
    const int n = 4000;
    const double t = 10, h = t / n;
    for (ProfileKind profile : kProfiles) {
        SCOPED_TRACE(static_cast<int>(profile));
        auto run = RunOf(ComputeWith(FourBar(), Context(n, profile, t), {{"gsi", "0.2"}}));
        ASSERT_TRUE(run);
        const auto graphs = run->graphs();
        const auto pages = run->nextPages();
        ExpectRatesMatchCentralDifferences("theta", h, graphs[0], true, 1e-4);
        ExpectRatesMatchCentralDifferences("phi", h, graphs[1], true, 1e-4);
        ExpectRatesMatchCentralDifferences("C.x", h, pages[0].triple, false, 1e-4);
        ExpectRatesMatchCentralDifferences("C.y", h, pages[1].triple, false, 1e-4);
    }
}

TEST(FourBar, ZeroCouplerOffsetPutsThePointOnTheRockerArc)
{
    auto run = RunOf(ComputeWith(FourBar(), Context(100), {{"eta", "0"}}));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    for (std::size_t k = 0; k <= 100; ++k)
        EXPECT_NEAR(std::hypot(c[2][k], c[5][k]), 0.6, 1e-12);
}

// First step of a linear-profile run whose crank tip B lies outside the rocker and coupler's
// reach: |L3 - L2| <= |OB| <= L2 + L3 with B = (L4 + L1 cos theta, L1 sin theta).
int FirstOpenStep(double l1, double l2, double l3, double l4, int n)
{
    for (int i = 0; i <= n; ++i) {
        const double theta = numeric::kTwoPi * i / n;
        const double ob = std::hypot(l4 + l1 * std::cos(theta), l1 * std::sin(theta));
        if (ob > l2 + l3 || ob < std::abs(l3 - l2))
            return i;
    }
    return -1;
}

TEST(FourBar, LoopThatCannotCloseIsRefusedAtItsFirstOpenStep)
{
    struct Case {
        const char* name;
        double l1, l2, l3, l4;
    };
    const Case cases[] = {
        {"crank tip too far at the start", 0.5, 0.4, 0.6, 0.68},
        {"crank tip too near half way round", 0.3, 0.4, 0.6, 0.45},
        {"rocker and coupler too short", 0.3, 0.2, 0.2, 0.68},
        {"overflowing crank", 1e200, 0.4, 0.6, 0.68},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int expected = FirstOpenStep(c.l1, c.l2, c.l3, c.l4, 200);
        ASSERT_GE(expected, 0);
        auto outcome = ComputeWith(FourBar(), Context(200, ProfileKind::Linear),
                                   {{"L1", std::to_string(c.l1)},
                                    {"L2", std::to_string(c.l2)},
                                    {"L3", std::to_string(c.l3)},
                                    {"L4", std::to_string(c.l4)}});
        const auto* error = (outcome ? nullptr : &outcome.error());
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->kind, sim::Refusal::Kind::Step);
        EXPECT_EQ(error->step, expected);
        EXPECT_FALSE(error->reason.empty());
    }
}

TEST(FourBar, DrawsFiveLinksAndFourJointsWithTheFormsColours)
{
    auto run = RunOf(ComputeWith(FourBar(), Context(200)));
    ASSERT_TRUE(run);
    const drawn::Pose pose = drawn::Draw(*run, 37);
    ASSERT_EQ(pose.lines.size(), 5u);
    const int colours[] = {1, 2, 3, 4, 6};
    for (std::size_t j = 0; j < 5; ++j) {
        EXPECT_EQ(pose.lines[j].colour, plot::PaletteColour(colours[j]));
        EXPECT_EQ(pose.lines[j].penWidth, 2);
    }
    ASSERT_EQ(pose.circles.size(), 4u);   // D, B, P, O; none at C
    for (plot::Rgb c : pose.circleColours)
        EXPECT_EQ(c, plot::PaletteColour(1));
    EXPECT_EQ(pose.penWidthAfter, 1);
}

TEST(FourBar, WorldWindowHoldsBothPathsAndBothPivots)
{
    auto run = RunOf(ComputeWith(FourBar(), Context(200)));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    for (std::size_t k = 0; k <= 200; ++k) {
        const Linkage l = DrawnLinkage(*run, static_cast<int>(k));
        for (drawn::Point p : {l.b, l.c, l.o, l.d}) {
            EXPECT_LE(w.xmin, p.x);
            EXPECT_GE(w.xmax, p.x);
            EXPECT_LE(w.ymin, p.y);
            EXPECT_GE(w.ymax, p.y);
        }
    }
    EXPECT_GT(w.xstep, 0);
    EXPECT_GT(w.ystep, 0);
}

TEST(FourBar, HandsTheFrameItsPagesPathAndSinglePose)
{
    const sim::Mechanism& m = FourBar();
    EXPECT_EQ(m.command, "four-bar");
    EXPECT_EQ(m.formName, "Form4link");
    EXPECT_TRUE(m.traits.showsOkAfterCompute);
    EXPECT_FALSE(m.traits.nextStopsTimer);
    // N/4 rounded half to even: N = 10 draws step 2, N = 30 step 8, N = 200 step 50.
    EXPECT_EQ(sim::StopPoseIndices(m.traits.stopPoses, 10), std::vector<int>{2});
    EXPECT_EQ(sim::StopPoseIndices(m.traits.stopPoses, 30), std::vector<int>{8});
    EXPECT_EQ(sim::StopPoseIndices(m.traits.stopPoses, 200), std::vector<int>{50});

    auto run = RunOf(ComputeWith(m, Context(200)));
    ASSERT_TRUE(run);
    const auto pages = run->nextPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].caption, "x   dx   ddx");
    EXPECT_EQ(pages[1].caption, "y   dy   ddy");
    ASSERT_NE(run->tracedPath(), nullptr);
    EXPECT_EQ(run->tracedPath()->x.data(), pages[0].triple.value.data());   // the coupler point
}

}
