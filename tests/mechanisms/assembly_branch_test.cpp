// The other assembly of every closure: the mirrored joint with every link length kept, its rates
// against central differences, the four-bar's Grashof class and transmission angle, refusals
// that state their numbers, and the guide lines drawn only when asked for.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "closed_mechanism_test_support.h"
#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/closure_reasons.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/four_bar_analysis.h"
#include "mechanisms/parallel_mechanism.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "mechanisms/slider_crank.h"
#include "numeric/angle.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/refusal_text.h"

namespace {

using drawn::Point;
using sim::ProfileKind;

// p mirrored across the line through a and b.
Point Mirror(Point p, Point a, Point b)
{
    const double ux = b.x - a.x, uy = b.y - a.y;
    const double t = ((p.x - a.x) * ux + (p.y - a.y) * uy) / (ux * ux + uy * uy);
    const Point foot{a.x + t * ux, a.y + t * uy};
    return {2 * foot.x - p.x, 2 * foot.y - p.y};
}

void ExpectSamePoint(Point actual, Point expected, double tolerance, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
}

// The usual run and the run with `branchKey` set to -1, with the same other inputs.
struct RunPair {
    std::unique_ptr<sim::MechanismRun> usual, other;
};
RunPair Runs(const sim::Mechanism& m, const std::string& branchKey, int n,
             ProfileKind profile = ProfileKind::Quintic)
{
    return {RunOf(ComputeWith(m, Context(n, profile))),
            RunOf(ComputeWith(m, Context(n, profile), {{branchKey, numeric::Branch::Other}}))};
}

// The other elbow of the 3R arms, the crossed four-bar, each parallel leg on its own and the
// piston at the guide's other intersection: links keep their lengths, the known points stay,
// and the new joint is the usual one mirrored across the line of the known points (the
// perpendicular from the pin for the piston) at every sample.
TEST(AssemblyBranch, OtherBranchKeepsTheLinksAndMirrorsTheUsualJoint)
{
    const int n = 200;
    for (const sim::Mechanism* m : {&mechanisms::Serial3RLine(), &mechanisms::Serial3RArc()}) {
        SCOPED_TRACE(m->command);
        const RunPair runs = Runs(*m, "branch", n);
        ASSERT_TRUE(runs.usual && runs.other);
        for (int i = 0; i <= n; ++i) {
            // Lines base->elbow, elbow->wrist, wrist->hand.
            const auto usual = drawn::Draw(*runs.usual, i).lines;
            const auto other = drawn::Draw(*runs.other, i).lines;
            const Point base{0, 0}, wrist = usual[1].b;
            ExpectSamePoint(other[1].b, wrist, 1e-9, "wrist");
            EXPECT_NEAR(drawn::Distance(base, other[0].b), 40, 1e-9);
            EXPECT_NEAR(drawn::Distance(other[0].b, wrist), 40, 1e-9);
            ExpectSamePoint(other[0].b, Mirror(usual[0].b, base, wrist), 1e-9, "elbow");
        }
    }
    {
        const RunPair runs = Runs(mechanisms::FourBar(), "branch", n);
        ASSERT_TRUE(runs.usual && runs.other);
        for (int i = 0; i <= n; ++i) {
            // Lines D->B, B->P, P->O, O->D, P->C.
            const auto usual = drawn::Draw(*runs.usual, i).lines;
            const auto other = drawn::Draw(*runs.other, i).lines;
            const Point o{0, 0}, b = usual[0].b, p = other[1].b;
            ExpectSamePoint(other[0].b, b, 1e-12, "crank tip");
            EXPECT_NEAR(drawn::Distance(b, p), 0.4, 1e-12);
            EXPECT_NEAR(drawn::Distance(o, p), 0.6, 1e-12);
            ExpectSamePoint(p, Mirror(usual[1].b, o, b), 1e-12, "rocker tip");
            // The coupler point keeps its place in the coupler: gsi = 0, eta = 0.1 left of P->B.
            EXPECT_NEAR(drawn::Distance(p, other[4].b), 0.1, 1e-12);
        }
    }
    for (int leg = 0; leg < 3; ++leg) {
        SCOPED_TRACE("leg " + std::to_string(leg + 1));
        const RunPair runs =
            Runs(mechanisms::ParallelMechanism(), "branch" + std::to_string(leg + 1), n);
        ASSERT_TRUE(runs.usual && runs.other);
        for (int i = 0; i <= n; ++i) {
            // Lines base->elbow of each leg, then elbow->platform joint of each leg.
            const auto usual = drawn::Draw(*runs.usual, i).lines;
            const auto other = drawn::Draw(*runs.other, i).lines;
            for (std::size_t k = 0; k < 3; ++k) {
                const Point base = usual[k].a, joint = usual[3 + k].b;
                const Point elbow = other[k].b;
                EXPECT_NEAR(drawn::Distance(base, elbow), 28, 1e-9);
                EXPECT_NEAR(drawn::Distance(elbow, other[3 + k].b), 28, 1e-9);
                ExpectSamePoint(
                    elbow, k == std::size_t(leg) ? Mirror(usual[k].b, joint, base) : usual[k].b,
                    1e-9, "elbow " + std::to_string(k + 1));
            }
        }
    }
    {
        const RunPair runs = Runs(mechanisms::SliderCrank(), "branch", n);
        ASSERT_TRUE(runs.usual && runs.other);
        const double phi = numeric::DegToRad(20);
        const Point guide{1, 0}, along{1 + std::cos(phi), std::sin(phi)};
        for (int i = 0; i <= n; ++i) {
            // Lines centre->pin, pin->piston.
            const auto usual = drawn::Draw(*runs.usual, i).lines;
            const auto other = drawn::Draw(*runs.other, i).lines;
            const Point pin = usual[1].a, piston = other[1].b;
            EXPECT_NEAR(drawn::Distance(pin, piston), 20, 1e-9);
            ExpectSamePoint(Mirror(piston, guide, along), piston, 1e-9, "on the guide");
            EXPECT_LT(piston.x, usual[1].b.x);
            // The two intersections lie symmetric about the foot of the perpendicular from the pin.
            const Point mid{(piston.x + usual[1].b.x) / 2, (piston.y + usual[1].b.y) / 2};
            EXPECT_NEAR((mid.x - pin.x) * std::cos(phi) + (mid.y - pin.y) * std::sin(phi), 0, 1e-9);
        }
    }
}

// The other branch's rates agree with central differences of its own values, for every
// mechanism and profile (parallel legs away from the cusps where each quarter starts afresh).
TEST(AssemblyBranch, OtherBranchRatesAgreeWithCentralDifferences)
{
    const int n = 20000;
    const double h = 10.0 / n;
    const int quarter = n / 4;
    auto nearCusp = [quarter](int i) { return i % quarter <= 1 || i % quarter >= quarter - 1; };
    struct Case {
        const sim::Mechanism& mechanism;
        std::string key;
    };
    const Case cases[] = {{mechanisms::Serial3RLine(), "branch"},
                          {mechanisms::Serial3RArc(), "branch"},
                          {mechanisms::FourBar(), "branch"},
                          {mechanisms::SliderCrank(), "branch"},
                          {mechanisms::ParallelMechanism(), "branch2"}};
    for (const Case& c : cases)
        for (ProfileKind profile : kProfiles) {
            SCOPED_TRACE(c.mechanism.command + " profile " + std::to_string(int(profile)));
            auto run = RunOf(
                ComputeWith(c.mechanism, Context(n, profile), {{c.key, numeric::Branch::Other}}));
            ASSERT_TRUE(run);
            const bool parallel = &c.mechanism == &mechanisms::ParallelMechanism();
            std::function<bool(int)> skip;
            if (parallel)
                skip = nearCusp;
            // Angles first (their differences fold across the seam), then positions.
            for (const sim::TripleView& graph : run->graphs())
                ExpectRatesMatchCentralDifferences("graph", h, graph, true, 1e-4, skip);
            for (const sim::GraphPage& page : run->nextPages())
                ExpectRatesMatchCentralDifferences(page.caption, h, page.triple,
                                                   page.caption.starts_with("the"), 1e-4, skip);
        }
}

// One set of lengths per class (crank, coupler, rocker, ground), and the default four-bar's
// class as its run reports it.
TEST(FourBarAnalysis, GrashofClassFromTheFourLengths)
{
    using mechanisms::ClassifyGrashof;
    using mechanisms::GrashofClass;
    EXPECT_EQ(ClassifyGrashof(1, 3, 3.5, 4), GrashofClass::CrankRocker);         // 1 + 4 < 6.5
    EXPECT_EQ(ClassifyGrashof(3, 3.5, 4, 1), GrashofClass::DoubleCrank);         // ground shortest
    EXPECT_EQ(ClassifyGrashof(3, 1, 3.5, 4), GrashofClass::DoubleRocker);        // coupler shortest
    EXPECT_EQ(ClassifyGrashof(2, 3, 4, 8), GrashofClass::DoubleRocker);          // 2 + 8 > 7
    EXPECT_EQ(ClassifyGrashof(0.2, 0.3, 0.3, 0.2), GrashofClass::ChangePoint);   // 0.5 = 0.5
    auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(200)));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->findings().at(0), "グラスホフの分類: てこクランク機構");   // 0.98 < 1.0
}

// At P = (1, 0) with the crank tip B = (3, 0) and the rocker pivot O two units away at 60
// degrees the transmission angle is 60 degrees; over the default cycle it runs between the
// law-of-cosines values at |OB| = L4 - L1 (crank at 180 degrees, step 100) and L4 + L1 (step 0).
TEST(FourBarAnalysis, TransmissionAngleAtAPoseAndOverTheCycle)
{
    const double pi = numeric::kPi;
    EXPECT_NEAR(mechanisms::TransmissionAngle({3, 0}, {1, 0}, {2, std::sqrt(3.0)}), pi / 3, 1e-15);
    EXPECT_NEAR(mechanisms::TransmissionAngle({3, 0}, {1, 0}, {2, -std::sqrt(3.0)}), pi / 3, 1e-15);

    auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(200)));
    ASSERT_TRUE(run);
    auto mu = [](double ob) {
        return std::acos((0.4 * 0.4 + 0.6 * 0.6 - ob * ob) / (2 * 0.4 * 0.6)) * 180 / numeric::kPi;
    };
    char expected[128];
    std::snprintf(expected, sizeof expected,
                  "伝達角: 最小 %.1f°（ステップ 100）, 最大 %.1f°（ステップ 0）", mu(0.68 - 0.3),
                  mu(0.68 + 0.3));
    EXPECT_EQ(run->findings().at(1), expected);
}

// A refusal states the distance and the limit it broke, with as many digits as tell them apart.
TEST(ClosureReasons, RefusalsStateTheirNumbers)
{
    // Wrist of the line arm at (200, 70): 212 from the base.
    auto outcome = ComputeWith(mechanisms::Serial3RLine(), Context(100), {{"x5_s", "200"}});
    ASSERT_TRUE(!outcome);
    EXPECT_EQ(
        sim::DescribeRefusal(mechanisms::Serial3RLine(), outcome.error(), sim::BoxNames::Captions),
        "ステップ 0（時刻 0 秒）: 手首点までの距離 212 が L1+L2 = 80 を超えます");
    // Rocker pivot to crank tip 0.98 at the start; coupler and rocker reach 0.4 + 0.5.
    outcome = ComputeWith(mechanisms::FourBar(), Context(100), {{"L3", "0.5"}});
    ASSERT_TRUE(!outcome);
    EXPECT_EQ(outcome.error().reason,
              "ロッカー支点からクランク先端までの距離 0.98 が L2+L3 = 0.9 を超えます");
    // The pin starts at (11, 3), |3 cos 20° - (11 - 1) sin 20°| = 0.601 from the guide through
    // (1, 0): a rod of 0.5 misses it.
    outcome = ComputeWith(mechanisms::SliderCrank(), Context(100), {{"L", "0.5"}});
    ASSERT_TRUE(!outcome);
    EXPECT_EQ(outcome.error().step, 0);
    EXPECT_EQ(
        outcome.error().reason,
        "クランクピンからガイドまでの距離 0.601 が L = 0.5 を超え、リンクがガイドに届きません");

    using Texts = std::pair<std::string, std::string>;
    EXPECT_EQ(mechanisms::ContrastingTexts(80.0123, 80), Texts("80.01", "80"));
    EXPECT_EQ(mechanisms::ContrastingTexts(1234.56, 56), Texts("1235", "56"));
}

// A branch typed on the command line is 1 or -1, the same as the check box's choice, and is
// refused by its key otherwise; a branch left out is the usual one.
TEST(AssemblyBranch, BranchInputIsOneOrMinusOne)
{
    const sim::Mechanism& m = mechanisms::ParallelMechanism();
    using numeric::Branch;
    const std::pair<sim::InputEntry, Branch> accepted[] = {{"1", Branch::Usual},
                                                           {"-1", Branch::Other},
                                                           {"－１", Branch::Other},
                                                           {Branch::Other, Branch::Other},
                                                           {Branch::Usual, Branch::Usual}};
    for (const auto& [entry, branch] : accepted) {
        const auto read = sim::ReadInputs(m.inputs, {{"branch3", entry}});
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value().branch("branch3"), branch);
        EXPECT_EQ(read.value().branch("branch1"), Branch::Usual);
        EXPECT_EQ(read.value().branch("L1"), std::nullopt);
    }
    for (const char* text : {"0", "2", "-1.5", "x"}) {
        SCOPED_TRACE(text);
        const auto read = sim::ReadInputs(m.inputs, {{"branch3", text}});
        ASSERT_TRUE(!read);
        EXPECT_EQ(read.error().key, "branch3");
    }
}

// Every mechanism has guides (a window offers the box for each), drawn dotted and light under
// the pose only when the options ask for them; the four-bar's crank circle has radius L1 about D.
TEST(AssemblyBranch, GuidesAreDrawnOnlyWhenAsked)
{
    const plot::Rgb light = plot::PaletteColour(7);
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        sim::SimulationFrame frame(*m);
        plot::RecordingCanvas p1(80, 60), p2(80, 60), view(140, 110);
        ASSERT_FALSE(sim::RunCycle(frame, RequestOf(*m, Context(40)),
                                   ::testing::TempDir() + "/guides.dat", p1, p2, view));
        auto guides = [&](bool on) {
            frame.setDrawingOptions({.guides = on});
            view.lines.clear();
            view.circles.clear();
            frame.tick(view);
            int count = 0;
            for (const plot::RecordedLine& l : view.lines)
                count += l.colour == light && l.style == plot::PenStyle::Dotted;
            for (const plot::RecordedCircle& c : view.circles)
                count += c.colour == light && c.radius > 1;
            return count;
        };
        EXPECT_EQ(guides(false), 0);
        EXPECT_GT(guides(true), 0);
        if (m == &mechanisms::FourBar()) {
            const plot::WorldWindow& w = frame.window();
            const plot::PointMm d = plot::WorldToPicture(view, w, {0.68, 0});
            ASSERT_FALSE(view.circles.empty());
            EXPECT_NEAR(view.circles[0].radius, 0.3 * w.scale, 1e-9);
            EXPECT_NEAR(view.circles[0].centre.x, d.x, 1e-9);
            EXPECT_NEAR(view.circles[0].centre.y, d.y, 1e-9);
        }
    }
}

}
