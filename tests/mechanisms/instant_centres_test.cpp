// The moving links of every mechanism as rigid bodies turning about their instant centres:
// checked against the joints' own velocities and accelerations, Kennedy's theorem for the
// four-bar, and the crosses drawn over a pose on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/four_bar.h"
#include "mechanisms/serial_2r.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/moving_links.h"
#include "run/run_pictures.h"

namespace {

constexpr int kSteps = 60;
constexpr double kTolerance = 1e-9;
constexpr double kWidth = 140, kHeight = 110;

double LinkLength(const sim::MovingLink& link)
{
    double length = 0;
    for (const auto& a : link.joints)
        for (const auto& b : link.joints)
            length = std::max(length, std::hypot(b.x - a.x, b.y - a.y));
    return length;
}

// The cross product of b - a and c - a, and what it is measured against.
double Cross(plot::WorldPoint a, plot::WorldPoint b, plot::WorldPoint c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// At every step of every mechanism each moving link's joints move as one rigid body: each
// joint's velocity is omega x (joint - centre) about the link's instant centre, and the
// difference of two joints' accelerations is alpha x r - omega^2 r. A link without a centre
// translates: all its joints share one velocity. Fixed pivots are centres themselves. The
// velocities and accelerations are the runs' own rates of the joints, found apart from the
// links' omega and alpha.
TEST(InstantCentres, JointsTurnAboutTheCentreOfTheirLink)
{
    const std::map<std::string, std::set<std::string>> expectedNames{
        {"2r", {"link1", "link2"}},
        {"3r", {"link1", "link2", "link3"}},
        {"3r-line", {"link1", "link2", "link3"}},
        {"3r-arc", {"link1", "link2", "link3"}},
        {"four-bar", {"crank", "coupler", "rocker"}},
        {"slider", {"crank", "rod", "piston"}},
    };
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        const auto run = RunOf(ComputeWith(*m, Context(kSteps)));
        ASSERT_TRUE(run);
        int centres = 0;
        for (int k = 0; k <= kSteps; ++k) {
            SCOPED_TRACE(k);
            const std::vector<sim::MovingLink> links = run->movingLinks(k);
            ASSERT_GE(links.size(), 2U);
            std::set<std::string> names;
            for (const sim::MovingLink& link : links) {
                SCOPED_TRACE(link.name);
                names.insert(link.name);
                EXPECT_FALSE(std::string(link.label).empty());
                ASSERT_FALSE(link.joints.empty());
                const double length = LinkLength(link);
                double speed = 0, accel = 0;
                for (const auto& j : link.joints) {
                    speed = std::max(speed, std::hypot(j.vx, j.vy));
                    accel = std::max(accel, std::hypot(j.ax, j.ay));
                }
                const double w = link.omega, a = link.alpha;
                const double vScale = speed + std::abs(w) * length;
                const std::optional<plot::WorldPoint> c = sim::InstantCentre(link);
                if (c) {
                    ++centres;
                    for (const auto& j : link.joints) {
                        EXPECT_NEAR(j.vx, -w * (j.y - c->y), kTolerance * vScale);
                        EXPECT_NEAR(j.vy, w * (j.x - c->x), kTolerance * vScale);
                    }
                } else {
                    EXPECT_LE(std::abs(w) * length, kTolerance * vScale);
                    for (const auto& j : link.joints) {
                        EXPECT_NEAR(j.vx, link.joints[0].vx, kTolerance * vScale);
                        EXPECT_NEAR(j.vy, link.joints[0].vy, kTolerance * vScale);
                    }
                }
                const double aScale = accel + (std::abs(a) + w * w) * length;
                const auto& p = link.joints[0];
                for (const auto& q : link.joints) {
                    const double rx = q.x - p.x, ry = q.y - p.y;
                    EXPECT_NEAR(q.ax - p.ax, -a * ry - w * w * rx, kTolerance * aScale);
                    EXPECT_NEAR(q.ay - p.ay, a * rx - w * w * ry, kTolerance * aScale);
                }
            }
            if (expectedNames.contains(m->command)) {
                EXPECT_EQ(names, expectedNames.at(m->command));
            }
            EXPECT_EQ(names.size(), links.size());
        }
        EXPECT_GT(centres, kSteps);
    }
}

// A slider that only slides and a platform that only translates have their centres at
// infinity at every step; a link at rest has none either.
TEST(InstantCentres, TranslatingLinksHaveNoCentre)
{
    for (const char* command : {"slider", "parallel"}) {
        SCOPED_TRACE(command);
        const sim::Mechanism* m = nullptr;
        for (const sim::Mechanism* candidate : mechanisms::AllMechanisms())
            if (candidate->command == command)
                m = candidate;
        ASSERT_TRUE(m);
        const auto run = RunOf(ComputeWith(*m, Context(kSteps)));
        ASSERT_TRUE(run);
        for (int k = 0; k <= kSteps; ++k) {
            const auto links = run->movingLinks(k);
            const auto& last = links.back();
            EXPECT_TRUE(last.name == "piston" || last.name == "platform") << last.name;
            EXPECT_FALSE(sim::InstantCentre(last)) << k;
        }
    }
    const sim::MovingLink still = sim::LinkThroughJoints(
        "still", "",
        {numeric::PointKinematics::AtRest(0, 0), numeric::PointKinematics::AtRest(1, 0)});
    EXPECT_EQ(still.omega, 0);
    EXPECT_FALSE(sim::InstantCentre(still));
    // Turning at 2 rad/s about (1, 1): the centre from any joint's velocity.
    const numeric::PointKinematics p{3, -2 * (2 - 1), 0, 2, 2 * (3 - 1), 0};
    const auto c = sim::InstantCentre(sim::TurningLink("one", "", {p}, {0, 2, 0}));
    ASSERT_TRUE(c);
    EXPECT_NEAR(c->x, 1, 1e-15);
    EXPECT_NEAR(c->y, 1, 1e-15);
}

// Kennedy's theorem for the frame, the crank, the coupler and the rocker: the coupler's centre
// relative to the frame lies on the line through the crank pivot D and the crank tip, and on
// the line through the rocker pivot O and the rocker tip, in both assemblies.
TEST(InstantCentres, FourBarCouplerCentreLiesOnBothFixedLinkLines)
{
    for (const char* branch : {"1", "-1"}) {
        SCOPED_TRACE(branch);
        const sim::Mechanism& m = mechanisms::FourBar();
        // The crank pivot D = (L4, 0) from the run's inputs, L4 = 0.68.
        const double l4 = 0.68;
        const auto ran =
            RunOf(ComputeWith(m, Context(kSteps), {{"branch", branch}, {"L4", "0.68"}}));
        ASSERT_TRUE(ran);
        int found = 0;
        for (int k = 0; k <= kSteps; ++k) {
            const auto links = ran->movingLinks(k);
            ASSERT_EQ(links.size(), 3U);
            const sim::MovingLink& coupler = links[1];
            ASSERT_EQ(coupler.name, "coupler");
            const std::optional<plot::WorldPoint> c = sim::InstantCentre(coupler);
            if (!c)
                continue;
            ++found;
            const plot::WorldPoint d{l4, 0}, o{0, 0};
            const plot::WorldPoint b{coupler.joints[0].x, coupler.joints[0].y};
            const plot::WorldPoint a{coupler.joints[1].x, coupler.joints[1].y};
            // The crank's and rocker's own centres are their pivots.
            const auto crankCentre = sim::InstantCentre(links[0]);
            const auto rockerCentre = sim::InstantCentre(links[2]);
            ASSERT_TRUE(crankCentre && rockerCentre);
            EXPECT_NEAR(crankCentre->x, d.x, 1e-9 * l4);
            EXPECT_NEAR(crankCentre->y, d.y, 1e-9 * l4);
            EXPECT_NEAR(rockerCentre->x, 0, 1e-9 * l4);
            EXPECT_NEAR(rockerCentre->y, 0, 1e-9 * l4);
            const double toC = std::hypot(c->x, c->y) + l4;
            EXPECT_NEAR(Cross(d, b, *c), 0, kTolerance * std::hypot(b.x - d.x, b.y - d.y) * toC)
                << k;
            EXPECT_NEAR(Cross(o, a, *c), 0, kTolerance * std::hypot(a.x, a.y) * toC) << k;
        }
        EXPECT_GT(found, kSteps / 2);
    }
}

// Unasked, the pose draws what it drew before; asked, the 2R arm's first link gets its cross
// at the base, the arm's fixed pivot, labelled リンク1, with a dotted line to the elbow square
// to the elbow's velocity; everything else drawn is as without the centres and finite.
TEST(InstantCentres, CrossesAreDrawnAtTheCentresOnlyWhenAsked)
{
    const int k = 13;
    const auto run = RunOf(ComputeWith(mechanisms::Serial2R(), Context(40)));
    ASSERT_TRUE(run);
    plot::WorldWindow w = run->fitWorldWindow();
    w.scale = plot::DrawingScale(kWidth, kHeight, w);
    plot::RecordingCanvas off(kWidth, kHeight), on(kWidth, kHeight);
    sim::DrawPose(off, *run, w, {.velocities = true}, k, sim::CyclePeaks(*run, 40));
    sim::DrawPose(on, *run, w, {.velocities = true, .centres = true}, k, sim::CyclePeaks(*run, 40));
    std::vector<plot::RecordedLine> others, centreLines;
    for (const auto& l : on.lines)
        (l.colour == sim::kCentreColour ? centreLines : others).push_back(l);
    ASSERT_EQ(others.size(), off.lines.size());
    for (std::size_t i = 0; i < others.size(); ++i)
        EXPECT_TRUE(others[i].a.x == off.lines[i].a.x && others[i].a.y == off.lines[i].a.y
                    && others[i].b.x == off.lines[i].b.x && others[i].b.y == off.lines[i].b.y);
    for (const auto& l : off.lines)
        EXPECT_NE(l.colour, sim::kCentreColour);
    for (const auto& l : on.lines)
        EXPECT_TRUE(std::isfinite(l.a.x) && std::isfinite(l.a.y) && std::isfinite(l.b.x)
                    && std::isfinite(l.b.y));

    const plot::PointMm base = plot::WorldToPicture(on, w, {0, 0});
    const auto horizontal = std::find_if(centreLines.begin(), centreLines.end(), [&](auto& l) {
        return l.style == plot::PenStyle::Solid && std::abs(l.a.y - base.y) < 1e-9
               && std::abs(l.b.y - base.y) < 1e-9 && std::abs(l.a.x - (base.x - 1.5)) < 1e-9
               && std::abs(l.b.x - (base.x + 1.5)) < 1e-9;
    });
    EXPECT_NE(horizontal, centreLines.end());
    const auto labelled = std::find_if(on.texts.begin(), on.texts.end(), [&](auto& t) {
        return t.text == "リンク1" && std::abs(t.topLeft.x - (base.x + 1.5)) < 1e-9;
    });
    EXPECT_NE(labelled, on.texts.end());
    const numeric::PointKinematics elbow = run->movingPoints(k)[0];
    const plot::PointMm e = plot::WorldToPicture(on, w, {elbow.x, elbow.y});
    const auto dotted = std::find_if(centreLines.begin(), centreLines.end(), [&](auto& l) {
        return l.style == plot::PenStyle::Dotted && std::abs(l.a.x - base.x) < 1e-9
               && std::abs(l.a.y - base.y) < 1e-9 && std::abs(l.b.x - e.x) < 1e-9
               && std::abs(l.b.y - e.y) < 1e-9;
    });
    ASSERT_NE(dotted, centreLines.end());
    const double dx = e.x - base.x, dy = e.y - base.y;
    EXPECT_NEAR(dx * elbow.vx - dy * elbow.vy, 0,
                1e-9 * std::hypot(dx, dy) * std::hypot(elbow.vx, elbow.vy));

    // The slider's piston never gets a cross: at most the crank's and the rod's, two lines each.
    const sim::Mechanism* slider = nullptr;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms())
        if (m->command == "slider")
            slider = m;
    ASSERT_TRUE(slider);
    const auto sliding = RunOf(ComputeWith(*slider, Context(40)));
    ASSERT_TRUE(sliding);
    plot::WorldWindow sw = sliding->fitWorldWindow();
    sw.scale = plot::DrawingScale(kWidth, kHeight, sw);
    plot::RecordingCanvas s(kWidth, kHeight);
    sim::DrawPose(s, *sliding, sw, {.centres = true}, k);
    const auto crosses = std::count_if(s.lines.begin(), s.lines.end(), [](auto& l) {
        return l.colour == sim::kCentreColour && l.style == plot::PenStyle::Solid;
    });
    EXPECT_LE(crosses, 4);
    EXPECT_LE(s.texts.size(), 2U);
    for (const auto& t : s.texts)
        EXPECT_NE(t.text, "ピストン");
}

}
