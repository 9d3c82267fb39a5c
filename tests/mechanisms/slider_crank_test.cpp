// The crank-and-piston mechanism: the printed start pose, the piston on its guide at the rod's
// length over whole runs, rates against central differences, and the refused geometries.
#include <gtest/gtest.h>

#include <cmath>

#include "closed_mechanism_test_support.h"
#include "mechanism_test_support.h"
#include "mechanisms/slider_crank.h"
#include "numeric/angle.h"
#include "numeric/constants.h"
#include "run/frame.h"

namespace {

using closedtest::Context;
using closedtest::kProfiles;
using mechanisms::SliderCrank;
using sim::ProfileKind;

// Pin (pages 1, 2) and piston (result table) of step k.
struct Sample {
    double x2, y2, x3, y3;
};

Sample At(const sim::MechanismRun& run, std::size_t k)
{
    const auto pages = run.nextPages();
    const auto c = run.resultTable().columns;
    return {pages[0].triple.value[k], pages[1].triple.value[k], c[1][k], c[4][k]};
}

TEST(SliderCrank, DefaultStartHasThePinAtElevenThreeAndThePistonTwentyAway)
{
    auto run = RunOf(ComputeWith(SliderCrank(), Context(200)));
    ASSERT_TRUE(run);
    const Sample s = At(*run, 0);
    EXPECT_NEAR(s.x2, 11, 1e-12);
    EXPECT_NEAR(s.y2, 3, 1e-12);
    EXPECT_NEAR(s.x3, 29.580, 5e-4);
    EXPECT_NEAR(s.y3, 10.402, 5e-4);
    EXPECT_NEAR(std::hypot(s.x3 - s.x2, s.y3 - s.y2), 20, 1e-12);
}

TEST(SliderCrank, FullWidthRodLengthReadsAsTwenty)
{
    auto fullWidth = RunOf(ComputeWith(SliderCrank(), Context(40)));
    auto ascii = RunOf(ComputeWith(SliderCrank(), Context(40), {{"L", "20"}}));
    ASSERT_TRUE(fullWidth && ascii);
    const auto a = fullWidth->resultTable().columns, b = ascii->resultTable().columns;
    for (std::size_t c = 0; c < a.size(); ++c)
        for (std::size_t k = 0; k <= 40; ++k)
            EXPECT_EQ(a[c][k], b[c][k]);
}

TEST(SliderCrank, PistonStaysOnItsGuideAtTheRodsLengthOnTheLargerXSide)
{
    struct Case {
        const char* name;
        sim::InputEntries inputs;
        double x0, y0, r, rod, gx, gy, deg;
    };
    const Case cases[] = {
        {"defaults", {}, 1, 3, 10, 20, 1, 0, 20},
        {"falling guide", {{"phi", "-35"}, {"Y1", "4"}}, 1, 3, 10, 20, 1, 4, -35},
        {"steep guide", {{"phi", "89.9"}, {"L", "30"}}, 1, 3, 10, 30, 1, 0, 89.9},
        {"guide pointing left", {{"phi", "160"}}, 1, 3, 10, 20, 1, 0, 160},
    };
    for (const Case& c : cases) {
        for (ProfileKind profile : kProfiles) {
            SCOPED_TRACE(c.name);
            auto run = RunOf(ComputeWith(SliderCrank(), Context(90, profile), c.inputs));
            ASSERT_TRUE(run);
            const double phi = numeric::DegToRad(c.deg);
            for (std::size_t k = 0; k <= 90; ++k) {
                const Sample s = At(*run, k);
                EXPECT_NEAR(std::hypot(s.x2 - c.x0, s.y2 - c.y0), c.r, 1e-12);
                EXPECT_NEAR(std::hypot(s.x3 - s.x2, s.y3 - s.y2), c.rod, 1e-9);
                // Perpendicular distance from the guide line through (gx, gy).
                EXPECT_NEAR((s.y3 - c.gy) * std::cos(phi) - (s.x3 - c.gx) * std::sin(phi), 0, 1e-9);
                // The other intersection is the pin's foot on the guide mirrored: x3 >= foot's x.
                const double along = (s.x2 - c.gx) * std::cos(phi) + (s.y2 - c.gy) * std::sin(phi);
                EXPECT_GE(s.x3, c.gx + along * std::cos(phi) - 1e-9);
            }
        }
    }
}

TEST(SliderCrank, CrankTurnsOnceUnderEveryProfile)
{
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(SliderCrank(), Context(200, profile)));
        ASSERT_TRUE(run);
        const auto theta = run->graphs()[0];
        EXPECT_EQ(theta.value[0], 0.0);
        EXPECT_EQ(theta.value[200], numeric::kTwoPi);
        if (profile == ProfileKind::Linear)
            for (std::size_t k = 0; k <= 200; ++k)
                EXPECT_DOUBLE_EQ(theta.rate[k], numeric::kTwoPi / 10);
        else
            for (const auto& page : run->nextPages()) {
                EXPECT_EQ(page.triple.rate[0], 0.0);
                EXPECT_NEAR(page.triple.rate[200], 0, 1e-12);
            }
    }
}

TEST(SliderCrank, RatesAgreeWithCentralDifferencesForEveryProfile)
{
    const int n = 4000;
    const double t = 10, h = t / n;
    for (ProfileKind profile : kProfiles) {
        SCOPED_TRACE(static_cast<int>(profile));
        auto run = RunOf(ComputeWith(SliderCrank(), Context(n, profile, t)));
        ASSERT_TRUE(run);
        ExpectRatesMatchCentralDifferences("theta", h, run->graphs()[0], false, 1e-4);
        for (const auto& page : run->nextPages())
            ExpectRatesMatchCentralDifferences(page.caption, h, page.triple, false, 1e-4);
    }
}

TEST(SliderCrank, VerticalGuideIsRefusedNamingTheAngleBox)
{
    for (const char* angle : {"90", "-90", "270", "９０"}) {
        SCOPED_TRACE(angle);
        auto outcome = ComputeWith(SliderCrank(), Context(200), {{"phi", angle}});
        const auto* error = (outcome ? nullptr : &outcome.error());
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->kind, sim::Refusal::Kind::Input);
        EXPECT_EQ(error->key, "phi");
        EXPECT_FALSE(error->reason.empty());
    }
}

TEST(SliderCrank, RodThatCannotReachTheGuideIsRefusedAtItsFirstStep)
{
    // Defaults with L = 5: the pin's distance from the guide through (1, 0) at 20 degrees is
    // |3 cos phi + 10 sin(theta - phi)|, which first exceeds 5 part way round.
    const int n = 200;
    const double phi = numeric::DegToRad(20);
    int expected = -1;
    for (int i = 0; i <= n && expected < 0; ++i) {
        const double theta = numeric::kTwoPi * i / n;
        if (std::abs(3 * std::cos(phi) + 10 * std::sin(theta - phi)) > 5)
            expected = i;
    }
    ASSERT_GT(expected, 0);
    auto outcome = ComputeWith(SliderCrank(), Context(n, ProfileKind::Linear), {{"L", "5"}});
    const auto* error = (outcome ? nullptr : &outcome.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, sim::Refusal::Kind::Step);
    EXPECT_EQ(error->step, expected);
}

TEST(SliderCrank, RodThatOnlyTouchesTheGuideIsRefused)
{
    // Crank about (0, -13), r = 10, horizontal guide y = 0, rod 13: at the start the pin is at
    // (10, -13) and the rod just touches the guide, where the piston's rates are unbounded;
    // later the pin rises and the rod reaches the guide again.
    auto outcome =
        ComputeWith(SliderCrank(), Context(4, ProfileKind::Linear),
                    {{"x0", "0"}, {"y0", "-13"}, {"L", "13"}, {"X1", "0"}, {"phi", "0"}});
    const auto* error = (outcome ? nullptr : &outcome.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, sim::Refusal::Kind::Step);
    EXPECT_EQ(error->step, 0);
}

TEST(SliderCrank, DrawsCrankRodAndThreeJoints)
{
    auto run = RunOf(ComputeWith(SliderCrank(), Context(200)));
    ASSERT_TRUE(run);
    const drawn::Pose pose = drawn::Draw(*run, 30);
    const Sample s = At(*run, 30);
    ASSERT_EQ(pose.lines.size(), 2u);
    EXPECT_NEAR(pose.lines[0].a.x, 1, 1e-9);
    EXPECT_NEAR(pose.lines[0].a.y, 3, 1e-9);
    EXPECT_NEAR(pose.lines[0].b.x, s.x2, 1e-9);
    EXPECT_NEAR(pose.lines[1].b.x, s.x3, 1e-9);
    EXPECT_NEAR(pose.lines[1].b.y, s.y3, 1e-9);
    EXPECT_EQ(pose.lines[0].colour, plot::PaletteColour(1));
    EXPECT_EQ(pose.lines[1].colour, plot::PaletteColour(2));
    EXPECT_EQ(pose.lines[1].penWidth, 2);
    ASSERT_EQ(pose.circles.size(), 3u);
    EXPECT_EQ(pose.penWidthAfter, 1);
}

TEST(SliderCrank, WorldWindowStartsAtTheGuidePointAndHoldsBothPaths)
{
    // A horizontal guide through (-40, 0), far left of the crank.
    auto run = RunOf(ComputeWith(SliderCrank(), Context(200), {{"X1", "-40"}, {"phi", "0"}}));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    EXPECT_LE(w.xmin, -40);
    for (std::size_t k = 0; k <= 200; ++k) {
        const Sample s = At(*run, k);
        EXPECT_LE(w.xmin, std::min(s.x2, s.x3));
        EXPECT_GE(w.xmax, std::max(s.x2, s.x3));
        EXPECT_LE(w.ymin, std::min(s.y2, s.y3));
        EXPECT_GE(w.ymax, std::max(s.y2, s.y3));
    }
}

TEST(SliderCrank, HandsTheFrameFourPagesAndNoPath)
{
    const sim::Mechanism& m = SliderCrank();
    EXPECT_EQ(m.command, "slider");
    EXPECT_EQ(m.formName, "Formslider");
    EXPECT_EQ(m.inputs.at(3).defaultText, "２０");
    EXPECT_TRUE(m.inputs.at(6).isAngle);
    EXPECT_TRUE(m.traits.nextStopsTimer);
    EXPECT_TRUE(m.traits.showsOkAfterCompute);
    EXPECT_FALSE(m.traits.stopTracesPath);
    const std::vector<int> poses = sim::StopPoseIndices(m.traits.stopPoses, 200);
    ASSERT_EQ(poses.size(), 20u);
    EXPECT_EQ(poses.front(), 1);
    EXPECT_EQ(poses.back(), 191);

    auto run = RunOf(ComputeWith(m, Context(200)));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->tracedPath(), nullptr);
    EXPECT_EQ(run->resultTable().header,
              (std::vector<std::string>{"sec", "theta", "x3", "dx3", "ddx3", "y3", "dy3", "ddy3"}));
    const auto pages = run->nextPages();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].caption, "x2   dx2   ddx2");
    EXPECT_EQ(pages[1].caption, "y2   dy2   ddy2");
    EXPECT_EQ(pages[2].caption, "x3   dx3   ddx3");
    EXPECT_EQ(pages[3].caption, "y3   dy3   ddy3");
}

}
