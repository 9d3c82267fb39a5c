// The instant centres of every pair of links of the four-bar and the crank-and-piston, shown
// while the player stands still, and the coupler's fixed centrode in STOP's summary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/four_bar.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/moving_links.h"
#include "run/run_pictures.h"

namespace {

constexpr int kSteps = 72;
constexpr double kWidth = 140, kHeight = 110;

const sim::Mechanism& Slider()
{
    for (const sim::Mechanism* m : mechanisms::AllMechanisms())
        if (m->command == "slider")
            return *m;
    throw std::logic_error("no slider");
}

const sim::RelativeCentre& Find(const std::vector<sim::RelativeCentre>& centres, int i, int j)
{
    for (const sim::RelativeCentre& c : centres)
        if (c.i == i && c.j == j)
            return c;
    throw std::logic_error("no centre");
}

// How far three centres are from one line, as the height of their triangle over its longest
// side; with a centre at infinity, the distance of the finite ones from the line through the
// first of them in its direction (a unit vector); both at infinity, the sine between them.
double OffLine(const sim::RelativeCentre& a, const sim::RelativeCentre& b,
               const sim::RelativeCentre& c)
{
    std::vector<plot::WorldPoint> finite, far;
    for (const auto* centre : {&a, &b, &c})
        (centre->atInfinity ? far : finite).push_back(centre->point);
    auto cross = [](plot::WorldPoint u, plot::WorldPoint v) { return u.x * v.y - u.y * v.x; };
    auto minus = [](plot::WorldPoint u, plot::WorldPoint v) {
        return plot::WorldPoint{u.x - v.x, u.y - v.y};
    };
    if (far.empty()) {
        const plot::WorldPoint &p = finite[0], &q = finite[1], &r = finite[2];
        const double longest =
            std::max({std::hypot(q.x - p.x, q.y - p.y), std::hypot(r.x - p.x, r.y - p.y),
                      std::hypot(r.x - q.x, r.y - q.y)});
        return longest > 0 ? std::abs(cross(minus(q, p), minus(r, p))) / longest : 0;
    }
    if (far.size() == 1)
        return std::abs(cross(minus(finite[1], finite[0]), far[0]));
    return std::abs(cross(far[0], far[1]));
}

// Every triple Iij, Ijk, Iik of the four links lies on one line.
void ExpectKennedy(const std::vector<sim::RelativeCentre>& centres, double scale)
{
    ASSERT_EQ(centres.size(), 6U);
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j)
            for (int k = j + 1; k <= 4; ++k)
                EXPECT_LE(OffLine(Find(centres, i, j), Find(centres, j, k), Find(centres, i, k)),
                          1e-9 * scale)
                    << i << j << k;
}

// Frame 1, crank 2, coupler 3, rocker 4 at every step of both assemblies: the four joints'
// centres where the joints are, Kennedy's theorem for every triple, the coupler's centre
// relative to the frame where its joints' velocities put it, and I24 where the crank and the
// rocker share a velocity: omega2 x (I24 - D) = omega4 x (I24 - O).
TEST(RelativeCentres, FourBarCentresMeetKennedysTheoremAndTheRates)
{
    for (const char* branch : {"1", "-1"}) {
        SCOPED_TRACE(branch);
        const auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(kSteps),
                                           {{"branch", branch}, {"L4", "0.68"}}));
        ASSERT_TRUE(run);
        const double l4 = 0.68;
        int couplerChecks = 0, i24Checks = 0;
        for (int k = 0; k <= kSteps; ++k) {
            SCOPED_TRACE(k);
            const auto centres = run->relativeCentres(k);
            ExpectKennedy(centres, l4);
            const auto links = run->movingLinks(k);
            const auto& crank = links[0];
            const auto& coupler = links[1];
            const auto& rocker = links[2];
            for (const auto& [pair, where] :
                 {std::pair{std::pair{1, 2}, plot::WorldPoint{l4, 0}},
                  std::pair{std::pair{1, 4}, plot::WorldPoint{0, 0}},
                  std::pair{std::pair{2, 3},
                            plot::WorldPoint{crank.joints[1].x, crank.joints[1].y}},
                  std::pair{std::pair{3, 4},
                            plot::WorldPoint{rocker.joints[1].x, rocker.joints[1].y}}}) {
                const auto& c = Find(centres, pair.first, pair.second);
                EXPECT_FALSE(c.atInfinity);
                EXPECT_NEAR(c.point.x, where.x, 1e-12);
                EXPECT_NEAR(c.point.y, where.y, 1e-12);
            }
            const auto& i13 = Find(centres, 1, 3);
            if (const auto fromRates = sim::InstantCentre(coupler); fromRates && !i13.atInfinity) {
                const double size = std::hypot(fromRates->x, fromRates->y) + l4;
                EXPECT_NEAR(i13.point.x, fromRates->x, 1e-7 * size * size);
                EXPECT_NEAR(i13.point.y, fromRates->y, 1e-7 * size * size);
                ++couplerChecks;
            }
            const double w2 = crank.omega, w4 = rocker.omega;
            const auto& i24 = Find(centres, 2, 4);
            if (std::abs(w2 - w4) > 1e-3 * std::abs(w2) && !i24.atInfinity) {
                EXPECT_NEAR(i24.point.x, w2 * l4 / (w2 - w4), 1e-9 * (std::abs(i24.point.x) + l4));
                EXPECT_NEAR(i24.point.y, 0, 1e-12);
                ++i24Checks;
            }
        }
        EXPECT_GT(couplerChecks, kSteps / 2);
        EXPECT_GT(i24Checks, kSteps / 2);
    }
}

// Frame 1, crank 2, rod 3, piston 4: the rod turns about I13 as its pin and piston move,
// v = omega_rod x (point - I13); the crank's point at I24 moves with the piston; I14 lies at
// infinity square to the piston's slide; and the triples lie on lines.
TEST(RelativeCentres, SliderCentresMatchTheRodsAndCranksRates)
{
    const auto run = RunOf(ComputeWith(Slider(), Context(kSteps)));
    ASSERT_TRUE(run);
    int checks = 0;
    for (int k = 1; k < kSteps; ++k) {
        SCOPED_TRACE(k);
        const auto centres = run->relativeCentres(k);
        ExpectKennedy(centres, 20);
        const auto links = run->movingLinks(k);
        const auto& crank = links[0];
        const auto& rod = links[1];
        const numeric::PointKinematics &pin = rod.joints[0], &piston = rod.joints[1];
        const double speed = std::hypot(pin.vx, pin.vy) + std::hypot(piston.vx, piston.vy);
        const auto& i14 = Find(centres, 1, 4);
        ASSERT_TRUE(i14.atInfinity);
        EXPECT_NEAR(i14.point.x * piston.vx + i14.point.y * piston.vy, 0, 1e-9 * speed);
        const auto& i13 = Find(centres, 1, 3);
        if (i13.atInfinity)
            continue;
        ++checks;
        const double w = rod.omega;
        for (const auto& p : {pin, piston}) {
            EXPECT_NEAR(p.vx, -w * (p.y - i13.point.y), 1e-9 * speed);
            EXPECT_NEAR(p.vy, w * (p.x - i13.point.x), 1e-9 * speed);
        }
        const auto& i24 = Find(centres, 2, 4);
        ASSERT_FALSE(i24.atInfinity);
        const auto& pivot = crank.joints[0];
        EXPECT_NEAR(piston.vx, -crank.omega * (i24.point.y - pivot.y), 1e-9 * speed);
        EXPECT_NEAR(piston.vy, crank.omega * (i24.point.x - pivot.x), 1e-9 * speed);
    }
    EXPECT_GT(checks, kSteps / 2);
}

double ToLine(plot::PointMm p, const plot::RecordedLine& l)
{
    const double dx = l.b.x - l.a.x, dy = l.b.y - l.a.y;
    return std::abs(dx * (p.y - l.a.y) - dy * (p.x - l.a.x)) / std::hypot(dx, dy);
}

// The run's world window fitted to the test pictures.
plot::WorldWindow FittedWindow(const sim::MechanismRun& run)
{
    plot::WorldWindow w = run.fitWorldWindow();
    w.scale = plot::DrawingScale(kWidth, kHeight, w);
    return w;
}

// Paused, the pose gains, after what it draws while playing, a labelled cross at each finite
// centre inside the picture and pale dotted lines inside it, two of them through I13 and two
// through I24; the piston's I14 is an arrow square to the guide labelled with ∞.
TEST(RelativeCentres, PausedPoseShowsEveryCentreAndTheLinesThroughThem)
{
    const int k = 17;
    const auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(kSteps)));
    ASSERT_TRUE(run);
    plot::WorldWindow w = run->fitWorldWindow();
    w.scale = plot::DrawingScale(kWidth, kHeight, w);
    // Room for I13 and I24 at this step.
    w.xmin -= 2, w.xmax += 2, w.ymin -= 2, w.ymax += 2;
    w.scale = plot::DrawingScale(kWidth, kHeight, w);
    plot::RecordingCanvas playing(kWidth, kHeight), paused(kWidth, kHeight);
    sim::DrawPose(playing, *run, w, {.centres = true}, k);
    sim::DrawPose(paused, *run, w, {.centres = true, .paused = true}, k);
    ASSERT_GT(paused.lines.size(), playing.lines.size());
    for (std::size_t i = 0; i < playing.lines.size(); ++i)
        EXPECT_TRUE(paused.lines[i].a.x == playing.lines[i].a.x
                    && paused.lines[i].b.y == playing.lines[i].b.y
                    && paused.lines[i].colour == playing.lines[i].colour);
    std::vector<plot::RecordedLine> pale;
    for (std::size_t i = playing.lines.size(); i < paused.lines.size(); ++i) {
        const auto& l = paused.lines[i];
        EXPECT_TRUE(l.colour == sim::kCentreColour || l.colour == sim::kCentreLineColour);
        for (const plot::PointMm p : {l.a, l.b}) {
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            EXPECT_GE(p.x, -1e-9);
            EXPECT_LE(p.x, kWidth + 1e-9);
            EXPECT_GE(p.y, -1e-9);
            EXPECT_LE(p.y, kHeight + 1e-9);
        }
        if (l.colour == sim::kCentreLineColour) {
            EXPECT_EQ(l.style, plot::PenStyle::Dotted);
            pale.push_back(l);
        }
    }
    EXPECT_EQ(pale.size(), 4U);
    const auto centres = run->relativeCentres(k);
    for (const auto& [i, j] : {std::pair{1, 3}, std::pair{2, 4}}) {
        const auto& c = Find(centres, i, j);
        ASSERT_FALSE(c.atInfinity);
        const plot::PointMm at = plot::WorldToPicture(paused, w, c.point);
        ASSERT_TRUE(at.x > 0 && at.x < kWidth && at.y > 0 && at.y < kHeight) << i << j;
        EXPECT_EQ(
            std::count_if(pale.begin(), pale.end(), [&](auto& l) { return ToLine(at, l) < 1e-6; }),
            2);
    }
    for (const char* label : {"I12", "I13", "I14", "I23", "I24", "I34"})
        EXPECT_EQ(std::count_if(paused.texts.begin(), paused.texts.end(),
                                [&](auto& t) { return t.text == label; }),
                  1)
            << label;

    const auto sliding = RunOf(ComputeWith(Slider(), Context(kSteps)));
    ASSERT_TRUE(sliding);
    plot::WorldWindow sw = sliding->fitWorldWindow();
    sw.scale = plot::DrawingScale(kWidth, kHeight, sw);
    plot::RecordingCanvas s(kWidth, kHeight);
    sim::DrawPose(s, *sliding, sw, {.centres = true, .paused = true}, k);
    const auto far =
        std::find_if(s.texts.begin(), s.texts.end(), [](auto& t) { return t.text == "I14 ∞"; });
    EXPECT_NE(far, s.texts.end());
    // The crank centre (1, 3) is the arrow's foot; the guide leans 20°, so the arrow points
    // along (-sin 20°, cos 20°), picture y down.
    const plot::PointMm foot = plot::WorldToPicture(s, sw, {1, 3});
    const double a = 20 * std::acos(-1.0) / 180;
    const auto arrow = std::find_if(s.lines.begin(), s.lines.end(), [&](auto& l) {
        return l.colour == sim::kCentreColour && std::abs(l.a.x - foot.x) < 1e-9
               && std::abs(l.a.y - foot.y) < 1e-9
               && std::abs(l.b.x - l.a.x + 10 * std::sin(a)) < 1e-9
               && std::abs(l.b.y - l.a.y + 10 * std::cos(a)) < 1e-9;
    });
    EXPECT_NE(arrow, s.lines.end());
}

// STOP's summary: without the centres nothing of their colour; with them the same calls and
// dotted chords of the coupler's centres at neighbouring steps, each inside the window and
// never across a pass through infinity (the coupler turning the other way).
TEST(RelativeCentres, SummaryDrawsTheCouplersFixedCentrodeInsideTheWindow)
{
    const auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(kSteps)));
    ASSERT_TRUE(run);
    const sim::FrameTraits traits = mechanisms::FourBar().traits;
    const plot::WorldWindow w = FittedWindow(*run);
    plot::RecordingCanvas off(kWidth, kHeight), on(kWidth, kHeight);
    sim::DrawSummary(off, *run, traits, kSteps, w, {});
    sim::DrawSummary(on, *run, traits, kSteps, w, {.centres = true});
    std::vector<plot::RecordedLine> rest, centrode;
    for (const auto& l : on.lines)
        (l.colour == sim::kCentreColour ? centrode : rest).push_back(l);
    for (const auto& l : off.lines)
        EXPECT_NE(l.colour, sim::kCentreColour);
    ASSERT_EQ(rest.size(), off.lines.size());
    for (std::size_t i = 0; i < rest.size(); ++i)
        EXPECT_TRUE(rest[i].a.x == off.lines[i].a.x && rest[i].a.y == off.lines[i].a.y
                    && rest[i].b.x == off.lines[i].b.x && rest[i].b.y == off.lines[i].b.y);
    EXPECT_EQ(on.texts.size(), off.texts.size());
    ASSERT_GT(centrode.size(), 3U);

    const plot::PointMm low = plot::WorldToPicture(on, w, {w.xmin, w.ymin});
    const plot::PointMm high = plot::WorldToPicture(on, w, {w.xmax, w.ymax});
    std::vector<std::optional<plot::WorldPoint>> centres;
    std::vector<double> omegas;
    for (int k = 0; k <= kSteps; ++k) {
        const auto links = run->movingLinks(k);
        ASSERT_EQ(links[1].name, "coupler");
        centres.push_back(sim::InstantCentre(links[1]));
        omegas.push_back(links[1].omega);
    }
    int whole = 0;
    for (const auto& l : centrode) {
        EXPECT_EQ(l.style, plot::PenStyle::Dotted);
        for (const plot::PointMm p : {l.a, l.b}) {
            EXPECT_GE(p.x, low.x - 1e-9);
            EXPECT_LE(p.x, high.x + 1e-9);
            EXPECT_GE(p.y, high.y - 1e-9);
            EXPECT_LE(p.y, low.y + 1e-9);
        }
        // On the chord of two neighbouring steps' centres, between them.
        bool onChord = false;
        for (int k = 0; k < kSteps && !onChord; ++k) {
            if (!centres[k] || !centres[k + 1] || !(omegas[k] * omegas[k + 1] > 0))
                continue;
            const plot::PointMm p = plot::WorldToPicture(on, w, *centres[k]);
            const plot::PointMm q = plot::WorldToPicture(on, w, *centres[k + 1]);
            const plot::RecordedLine chord{p, q, {}, 1, {}};
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            auto between = [&](plot::PointMm x) {
                return ToLine(x, chord) < 1e-6 && std::hypot(x.x - p.x, x.y - p.y) <= length + 1e-6
                       && std::hypot(x.x - q.x, x.y - q.y) <= length + 1e-6;
            };
            onChord = length > 0 && between(l.a) && between(l.b);
            if (onChord && std::hypot(l.a.x - p.x, l.a.y - p.y) < 1e-9
                && std::hypot(l.b.x - q.x, l.b.y - q.y) < 1e-9)
                ++whole;
        }
        EXPECT_TRUE(onChord) << l.a.x << " " << l.a.y;
    }
    EXPECT_GT(whole, 0);
}

// A long run's centrode draws about one chord per pixel of the curve, not one per step: every
// chord but the last of each stretch turning one way is at least a pixel long.
TEST(RelativeCentres, LongRunsCentrodeHasNoChordShorterThanAPixel)
{
    constexpr int steps = 20000;
    const auto run = RunOf(ComputeWith(mechanisms::FourBar(), Context(steps)));
    ASSERT_TRUE(run);
    plot::RecordingCanvas on(kWidth, kHeight);
    sim::DrawSummary(on, *run, mechanisms::FourBar().traits, steps, FittedWindow(*run),
                     {.centres = true});
    int chords = 0, short_ = 0;
    for (const auto& l : on.lines) {
        if (l.colour != sim::kCentreColour || l.style != plot::PenStyle::Dotted)
            continue;
        ++chords;
        if (std::hypot(l.b.x - l.a.x, l.b.y - l.a.y) < 25.4 / 96 - 1e-9)
            ++short_;
    }
    EXPECT_GT(chords, 10);
    EXPECT_LT(chords, steps / 10);
    EXPECT_LE(short_, 4);
}

}
