// Linkages of one's own against the built-in mechanisms they copy, their rates against central
// differences, and the independence of the result from the order the file lists its joints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

#include "../mechanisms/mechanism_test_support.h"
#include "linkage/preview.h"
#include "linkage/sketch.h"
#include "mechanisms/catalog.h"
#include "numeric/angle.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"
#include "run/refusal_text.h"
#include "setup_files/mechsim_file.h"
#include "support/temp_dir.h"

namespace {

// The built-in four-bar's defaults: crank pivot D = (L4, 0), rocker pivot O, rocker tip P at
// L3 from O and L2 from the crank tip B, the coupler point at gsi along P->B, eta to its left.
constexpr const char* kFourBar = R"(
mechanism = "linkage"
trace = ["C"]
[ground]
O = [0, 0]
D = [0.68, 0]
[drive]
kind = "crank"
pivot = "D"
joint = "B"
length = 0.3
[[joint]]
name = "P"
kind = "dyad"
from = ["O", "B"]
lengths = [0.6, 0.4]
[[joint]]
name = "C"
kind = "point"
on = ["P", "B"]
along = 0
across = 0.1
)";

// The built-in crank-and-piston's defaults: crank centre (1, 3), r = 10, rod L = 20 to the guide
// through (1, 0) at 20 degrees.
constexpr const char* kSliderCrank = R"(
mechanism = "linkage"
[ground]
O = [1, 3]
[drive]
kind = "crank"
pivot = "O"
joint = "B"
length = 10
[[joint]]
name = "S"
kind = "slider"
from = "B"
length = 20
through = [1, 0]
angle = 20
)";

// Jansen's leg with his published lengths: crank m = 15 about O, fixed pivot Z = (-a, -l); the
// foot F, at the bottom of the leg, traces his flat-bottomed path.
const std::vector<std::string> kJansenJoints = {
    "name = \"B\"\nkind = \"dyad\"\nfrom = [\"Z\", \"A\"]\nlengths = [41.5, 50]\n",
    "name = \"C\"\nkind = \"dyad\"\nfrom = [\"Z\", \"B\"]\nlengths = [40.1, 55.8]\n",
    "name = \"D\"\nkind = \"dyad\"\nfrom = [\"Z\", \"A\"]\nlengths = [39.3, 61.9]\nbranch = -1\n",
    "name = \"E\"\nkind = \"dyad\"\nfrom = [\"C\", \"D\"]\nlengths = [39.4, 36.7]\nbranch = -1\n",
    "name = \"F\"\nkind = \"dyad\"\nfrom = [\"E\", \"D\"]\nlengths = [65.7, 49]\nbranch = -1\n",
};

std::string Jansen(const std::vector<std::string>& joints)
{
    std::string text = "mechanism = \"linkage\"\ntrace = [\"F\"]\n[ground]\nO = [0, 0]\n"
                       "Z = [-38, -7.8]\n[drive]\nkind = \"crank\"\npivot = \"O\"\njoint = \"A\"\n"
                       "length = 15\n";
    for (const std::string& joint : joints)
        text += "[[joint]]\n" + joint;
    return text;
}

const sim::Mechanism& LinkageOf(const std::string& text)
{
    static std::vector<std::shared_ptr<const sim::Mechanism>> kept;
    auto file = setup_files::ParseMechsimText(text, "test.mechsim");
    if (!file)
        ADD_FAILURE() << file.error().reason;
    kept.push_back(file.value().mechanism);
    return *kept.back();
}

TEST(Linkage, BuiltInsWrittenAsLinkagesGiveTheirJointsUnderEveryProfileAndBranch)
{
    struct Copy {
        const char* command;
        const char* text;
        const char* branchJoint;
    };
    for (const Copy& copy : {Copy{"four-bar", kFourBar, "P"}, Copy{"slider", kSliderCrank, "S"}})
        for (const sim::ProfileKind profile : kProfiles)
            for (const numeric::Branch branch : {numeric::Branch::Usual, numeric::Branch::Other}) {
                SCOPED_TRACE(std::string(copy.command) + " profile "
                             + std::to_string(static_cast<int>(profile)) + " branch "
                             + std::to_string(static_cast<int>(branch)));
                const sim::RunContext context = Context(360, profile, 7);
                const auto builtIn = RunOf(ComputeWith(*mechanisms::FindMechanism(copy.command),
                                                       context, {{"branch", branch}}));
                const auto own =
                    RunOf(ComputeWith(LinkageOf(copy.text), context, {{copy.branchJoint, branch}}));
                ASSERT_TRUE(builtIn && own);
                // The largest position, velocity and acceleration of the run set the scale.
                std::array<double, 3> scale{};
                for (int i = 0; i <= 360; ++i)
                    for (const numeric::PointKinematics& p : builtIn->movingPoints(i))
                        for (const auto& [k, a, b] :
                             {std::tuple{0, p.x, p.y}, std::tuple{1, p.vx, p.vy},
                              std::tuple{2, p.ax, p.ay}})
                            scale[k] = std::max({scale[k], std::abs(a), std::abs(b)});
                for (int i = 0; i <= 360; ++i) {
                    const auto expected = builtIn->movingPoints(i), got = own->movingPoints(i);
                    ASSERT_EQ(got.size(), expected.size());
                    for (std::size_t j = 0; j < got.size(); ++j) {
                        const auto& e = expected[j];
                        const auto& g = got[j];
                        const double tol[] = {1e-12 * scale[0], 1e-12 * scale[1], 1e-12 * scale[2]};
                        ASSERT_NEAR(g.x, e.x, tol[0]) << "step " << i << " joint " << j;
                        ASSERT_NEAR(g.y, e.y, tol[0]) << "step " << i << " joint " << j;
                        ASSERT_NEAR(g.vx, e.vx, tol[1]) << "step " << i << " joint " << j;
                        ASSERT_NEAR(g.vy, e.vy, tol[1]) << "step " << i << " joint " << j;
                        ASSERT_NEAR(g.ax, e.ax, tol[2]) << "step " << i << " joint " << j;
                        ASSERT_NEAR(g.ay, e.ay, tol[2]) << "step " << i << " joint " << j;
                    }
                }
            }

    // A loop that cannot close is refused at the built-in's step, naming the joint.
    const sim::RunContext context = Context(200);
    const sim::Refusal builtIn =
        ComputeWith(*mechanisms::FindMechanism("four-bar"), context, {{"L3", "0.9"}}).error();
    std::string longRocker = kFourBar;
    longRocker.replace(longRocker.find("[0.6, 0.4]"), 10, "[0.9, 0.4]");
    const sim::Refusal own = ComputeWith(LinkageOf(longRocker), context).error();
    EXPECT_EQ(own.step, builtIn.step);
    const std::string text = sim::DescribeRefusal(LinkageOf(longRocker), own, sim::BoxNames::Keys);
    EXPECT_NE(text.find("関節 P"), std::string::npos) << text;
    EXPECT_NE(text.find("|lengths[0]-lengths[1]| = 0.5"), std::string::npos) << text;
}

// A slider-driven linkage: A slides along a guide, B hangs from it and Q, a point rides on A-B
// and S slides on a vertical guide at a rod's length from it.
constexpr const char* kSliderDriven = R"(
mechanism = "linkage"
[ground]
Q = [2, 3]
[drive]
kind = "slider"
joint = "A"
through = [0, 0]
angle = 30
start = -1
end = 2
[[joint]]
name = "B"
kind = "dyad"
from = ["A", "Q"]
lengths = [3, 2.5]
[[joint]]
name = "P"
kind = "point"
on = ["A", "B"]
along = 1.5
across = 0.7
[[joint]]
name = "S"
kind = "slider"
from = "P"
length = 4
through = [2, 0]
angle = 90
branch = -1
)";

TEST(Linkage, RatesMatchCentralDifferencesOfPositions)
{
    const int n = 20000;
    const double t = 10, h = t / n;
    for (const std::string& text : {Jansen(kJansenJoints), std::string(kSliderDriven)}) {
        const auto run = RunOf(ComputeWith(LinkageOf(text), Context(n)));
        ASSERT_TRUE(run);
        std::array<double, 2> scale{};   // the largest speed and acceleration
        for (int i = 0; i <= n; ++i)
            for (const numeric::PointKinematics& p : run->movingPoints(i)) {
                scale[0] = std::max(scale[0], std::hypot(p.vx, p.vy));
                scale[1] = std::max(scale[1], std::hypot(p.ax, p.ay));
            }
        for (int i = 1; i < n; ++i) {
            const auto before = run->movingPoints(i - 1), at = run->movingPoints(i),
                       after = run->movingPoints(i + 1);
            for (std::size_t j = 0; j < at.size(); ++j) {
                const auto difference = [&](double numeric::PointKinematics::*m) {
                    return (after[j].*m - before[j].*m) / (2 * h);
                };
                using P = numeric::PointKinematics;
                ASSERT_NEAR(at[j].vx, difference(&P::x), 1e-5 * scale[0]) << i << " " << j;
                ASSERT_NEAR(at[j].vy, difference(&P::y), 1e-5 * scale[0]) << i << " " << j;
                ASSERT_NEAR(at[j].ax, difference(&P::vx), 1e-5 * scale[1]) << i << " " << j;
                ASSERT_NEAR(at[j].ay, difference(&P::vy), 1e-5 * scale[1]) << i << " " << j;
            }
        }
    }
}

// The result text with its columns in the order of their names: a file lists its joints'
// columns in its own order.
std::string ColumnsByName(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line.pop_back();   // the CR of the line end
        std::vector<std::string> cells;
        std::istringstream items(line);
        for (std::string cell; std::getline(items, cell, '\t');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    std::vector<std::size_t> order(rows.front().size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin() + 4, order.end(),
                     [&](std::size_t a, std::size_t b) { return rows[0][a] < rows[0][b]; });
    std::string sorted;
    for (const auto& row : rows)
        for (std::size_t k : order)
            sorted += row.at(k) + (k == order.back() ? "\n" : "\t");
    return sorted;
}

TEST(Linkage, JointsInAnyOrderGiveTheSameResultFile)
{
    const sim::RunContext context = Context(50, sim::ProfileKind::Cubic);
    const auto inOrder = RunOf(ComputeWith(LinkageOf(Jansen(kJansenJoints)), context));
    std::vector<std::string> shuffled = kJansenJoints;
    std::reverse(shuffled.begin(), shuffled.end());
    std::rotate(shuffled.begin(), shuffled.begin() + 2, shuffled.end());
    const auto reordered = RunOf(ComputeWith(LinkageOf(Jansen(shuffled)), context));
    ASSERT_TRUE(inOrder && reordered);
    const std::string expected = sim::FormatResultTable(inOrder->resultTable(), 50, 10);
    const std::string got = sim::FormatResultTable(reordered->resultTable(), 50, 10);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ColumnsByName(got), ColumnsByName(expected));
    // The driven joint first, then the joints as the file lists them.
    EXPECT_EQ(got.substr(0, got.find("\tA.dx")), "sec\ttheta\tdtheta\tddtheta\tA.x");
    EXPECT_EQ(got.substr(got.find("A.ddy\t") + 6, 4), "D.x\t");
}

TEST(Linkage, StreamedInBlocksGivesTheBytesOfTheStoredRun)
{
    // 39 columns: a block of 8 rows for the built-ins' 9 columns holds one step of the leg.
    TempDir dir;
    const sim::Mechanism& leg = LinkageOf(Jansen(kJansenJoints));
    const sim::RunContext context = Context(37, sim::ProfileKind::Cubic, 7);
    const auto run = RunOf(ComputeWith(leg, context));
    ASSERT_TRUE(run);
    ASSERT_FALSE(sim::StreamRun(RequestOf(leg, context), dir / "result.dat",
                                {.blockRows = 8, .threads = 2}));
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), sim::FormatResultTable(run->resultTable(), 37, 7));
}


TEST(Linkage, PreviewMarksTheCrankAnglesWhereTheDyadCannotReachAndDrawsThemOnTheCrankCircle)
{
    // The four-bar with a short coupler: C closes where |OB| lies within [0.6 - 0.2, 0.6 + 0.2],
    // and |OB|^2 = 0.68^2 + 0.3^2 + 2 0.68 0.3 cos(theta) for the crank tip B.
    std::string text = kFourBar;
    text.replace(text.find("[0.6, 0.4]"), 10, "[0.6, 0.2]");
    const linkage::Model m = *setup_files::ParseMechsimText(text, "short.mechsim").value().linkage;
    const linkage::Layout layout = linkage::CheckModel(m).value();
    const linkage::Preview preview = linkage::PreviewOf(m, layout, numeric::DegToRad(90), 360);
    ASSERT_EQ(preview.samples.size(), 361u);
    std::optional<std::size_t> firstFailure;
    for (std::size_t i = 0; i <= 360; ++i) {
        const double theta = preview.samples[i];
        const double ob = std::sqrt(0.68 * 0.68 + 0.09 + 2 * 0.68 * 0.3 * std::cos(theta));
        if (std::abs(ob - 0.4) < 1e-9 || std::abs(ob - 0.8) < 1e-9)
            continue;
        EXPECT_EQ(bool(preview.closes[i]), ob > 0.4 && ob < 0.8) << "sample " << i;
        if (!(ob > 0.4 && ob < 0.8) && !firstFailure)
            firstFailure = i;
    }
    ASSERT_TRUE(firstFailure && preview.firstFailure);
    EXPECT_EQ(*preview.firstFailureAt, preview.samples[*firstFailure]);
    EXPECT_EQ(preview.firstFailure->key, "P");
    // At 90 degrees it closes, rigid: P at its two lengths from O and from B.
    ASSERT_FALSE(preview.poseRefusal);
    const auto o = *preview.pose[0], b = *preview.pose[2], p = *preview.pose[3];
    EXPECT_NEAR(std::hypot(p.x - o.x, p.y - o.y), 0.6, 1e-12);
    EXPECT_NEAR(std::hypot(p.x - b.x, p.y - b.y), 0.2, 1e-12);

    // The ranges that cannot close lie on the crank circle, one stroke per step touching them.
    plot::RecordingCanvas canvas(150, 120);
    const plot::WorldWindow w{-0.5, 1.2, -0.6, 0.6, 0.1, 0.1, 80};
    linkage::DrawSketch(canvas, w, m, layout, preview, {});
    const plot::PointMm d = plot::WorldToPicture(canvas, w, {0.68, 0});
    std::size_t strokes = 0, expected = 0;
    for (const plot::RecordedLine& line : canvas.lines)
        if (line.colour == linkage::kCannotCloseColour) {
            ++strokes;
            for (const plot::PointMm end : {line.a, line.b})
                EXPECT_NEAR(std::hypot(end.x - d.x, end.y - d.y), 0.3 * 80, 1e-9);
        }
    for (std::size_t i = 0; i < 360; ++i)
        expected += !preview.closes[i] || !preview.closes[i + 1];
    EXPECT_EQ(strokes, expected);
    EXPECT_GT(strokes, 0u);

    // Numbers made by the mouse are the doubles of their decimal texts.
    EXPECT_EQ(linkage::RoundToStep(7 * 0.05, 0.05), 0.35);
    EXPECT_EQ(linkage::RoundToStep(0.98 - 0.68, 0.001), 0.3);
    EXPECT_EQ(linkage::RoundToStep(1234.5678, 20), 1240);
}

}

namespace {

// Jansen's links are named by their joints as the file gives them (the crank pivot-joint, a
// dyad's from0-name and from1-name), and each moves as one rigid body: every point on it has
// the velocity omega x (P - C) about its instant centre C, and the relative acceleration of two
// of its points is alpha x r - omega^2 r.
TEST(Linkage, EveryLinkIsNamedByItsJointsAndMovesRigidlyAboutItsInstantCentre)
{
    const auto run = RunOf(ComputeWith(LinkageOf(Jansen(kJansenJoints)), Context(120)));
    ASSERT_TRUE(run);
    std::vector<std::string> names;
    for (const sim::MovingLink& link : run->movingLinks(0))
        names.push_back(link.name);
    EXPECT_EQ(names, (std::vector<std::string>{"O-A", "Z-B", "A-B", "Z-C", "B-C", "Z-D", "A-D",
                                               "C-E", "D-E", "E-F", "D-F"}));
    for (int i : {1, 37, 60, 119}) {
        for (const sim::MovingLink& link : run->movingLinks(i)) {
            SCOPED_TRACE(link.name + " at step " + std::to_string(i));
            const std::optional<plot::WorldPoint> c = sim::InstantCentre(link);
            ASSERT_TRUE(c.has_value());
            const numeric::PointKinematics& a = link.joints.front();
            for (const numeric::PointKinematics& p : link.joints) {
                const double scale = 1e-9 * (1 + std::hypot(p.vx, p.vy) + std::hypot(p.ax, p.ay));
                EXPECT_NEAR(p.vx, -link.omega * (p.y - c->y), scale);
                EXPECT_NEAR(p.vy, link.omega * (p.x - c->x), scale);
                const double rx = p.x - a.x, ry = p.y - a.y, w2 = link.omega * link.omega;
                EXPECT_NEAR(p.ax - a.ax, -link.alpha * ry - w2 * rx, scale);
                EXPECT_NEAR(p.ay - a.ay, link.alpha * rx - w2 * ry, scale);
            }
        }
    }
}

}
