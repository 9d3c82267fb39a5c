// The 3R arm under forward kinematics against its closed form and central differences, and
// the rigidity of all three 3R arms over whole runs.
#include <gtest/gtest.h>

#include <cmath>

#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/serial_3r.h"
#include "mechanisms/serial_3r_interpolation.h"
#include "serial_3r_test_support.h"

namespace {

using mechanisms::Serial3R;
using sim::ProfileKind;

void ExpectAt(WorldPoint p, double x, double y, const char* what)
{
    EXPECT_NEAR(p.x, x, 0.005) << what;
    EXPECT_NEAR(p.y, y, 0.005) << what;
}

TEST(Serial3R, DefaultArmStartsAndEndsOnItsCheckedPoses)
{
    auto run = RunOf(ComputeWith(Serial3R(), Context(200)));
    ASSERT_TRUE(run);
    const auto start = DrawnArm(*run, 0);
    ExpectAt(start[0], 0, 0, "base");
    ExpectAt(start[1], 40, 0, "joint 2");
    ExpectAt(start[2], 50, -17.32, "joint 3");
    ExpectAt(start[3], 45, -25.98, "hand");
    const auto end = DrawnArm(*run, 200);
    ExpectAt(end[1], -40, 0, "joint 2");
    ExpectAt(end[2], -50, -17.32, "joint 3");
    ExpectAt(end[3], -45, -25.98, "hand");

    const sim::ResultTable table = run->resultTable();
    ASSERT_EQ(table.header, (std::vector<std::string>{"sec", "x", "dx", "ddx", "y", "dy", "ddy"}));
    EXPECT_NEAR(table.columns[0][0], 45, 1e-12);
    EXPECT_NEAR(table.columns[3][0], -15 * std::sqrt(3.0), 1e-12);
}

TEST(Serial3R, ProfilesFixTheRatesAtBothEnds)
{
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(Serial3R(), Context(100, profile)));
        ASSERT_TRUE(run);
        const auto c = run->resultTable().columns;
        for (std::size_t k : {std::size_t(0), std::size_t(100)}) {
            const double speed = std::hypot(c[1][k], c[4][k]);
            const double accel = std::hypot(c[2][k], c[5][k]);
            if (profile == ProfileKind::Linear) {
                EXPECT_GT(speed, 0.1);
            } else {
                EXPECT_NEAR(speed, 0, 1e-12);
                EXPECT_EQ(accel > 1e-3, profile == ProfileKind::Cubic) << "step " << k;
            }
        }
    }
}

TEST(Serial3R, HandRatesAgreeWithCentralDifferencesOfPositions)
{
    const int n = 2000;
    const double h = 10.0 / n;
    for (ProfileKind profile : kProfiles) {
        auto run = RunOf(ComputeWith(Serial3R(), Context(n, profile)));
        ASSERT_TRUE(run);
        const auto c = run->resultTable().columns;
        for (int i = 1; i < n; i += 7) {
            const auto k = std::size_t(i);
            for (int axis : {0, 3}) {
                EXPECT_NEAR(c[axis + 1][k], (c[axis][k + 1] - c[axis][k - 1]) / (2 * h), 1e-3)
                    << "profile " << int(profile) << " step " << i;
                EXPECT_NEAR(c[axis + 2][k], (c[axis + 1][k + 1] - c[axis + 1][k - 1]) / (2 * h),
                            1e-3)
                    << "profile " << int(profile) << " step " << i;
            }
        }
    }
}

TEST(Serial3R, EqualStartAndFinalAnglesHoldTheArmStill)
{
    auto run = RunOf(
        ComputeWith(Serial3R(), Context(40), {{"the1f", "0"}, {"the2f", "-60"}, {"the3f", "-60"}}));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    for (std::size_t k = 0; k <= 40; ++k) {
        EXPECT_EQ(c[0][k], c[0][0]);
        EXPECT_EQ(c[3][k], c[3][0]);
        for (int r : {1, 2, 4, 5})
            EXPECT_EQ(c[r][k], 0.0);
    }
}

TEST(Serial3R, WindowHoldsTheHandAndJoint2Paths)
{
    auto run = RunOf(ComputeWith(Serial3R(), Context(200)));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    for (int i = 0; i <= 200; ++i)
        for (int j : {1, 3}) {
            const WorldPoint p = DrawnArm(*run, i)[std::size_t(j)];
            EXPECT_TRUE(p.x >= w.xmin && p.x <= w.xmax && p.y >= w.ymin && p.y <= w.ymax) << i;
        }
}

TEST(Serial3R, OverflowingLengthsAreRefusedAtTheFirstStep)
{
    const auto outcome =
        ComputeWith(Serial3R(), Context(10), {{"L1", "1.5e308"}, {"L2", "1.5e308"}});
    const auto* error = (outcome ? nullptr : &outcome.error());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->kind, sim::Refusal::Kind::Step);
    EXPECT_EQ(error->step, 0);
}

// Every sample of every 3R arm: base fixed at the origin, each link keeps its typed length.
TEST(Serial3RArms, LinksKeepTheirLengthsAndTheBaseStaysPut)
{
    struct Case {
        const sim::Mechanism& mechanism;
        double l1, l2, l3;
    };
    const Case cases[] = {{Serial3R(), 40, 20, 10},
                          {mechanisms::Serial3RLine(), 40, 40, 30},
                          {mechanisms::Serial3RArc(), 40, 40, 30}};
    for (const Case& c : cases)
        for (ProfileKind profile : kProfiles) {
            auto run = RunOf(ComputeWith(c.mechanism, Context(200, profile)));
            ASSERT_TRUE(run) << c.mechanism.command;
            for (int i = 0; i <= 200; ++i) {
                const auto arm = DrawnArm(*run, i);
                SCOPED_TRACE(c.mechanism.command + " step " + std::to_string(i));
                EXPECT_NEAR(arm[0].x, 0, 1e-9);
                EXPECT_NEAR(arm[0].y, 0, 1e-9);
                EXPECT_NEAR(Distance(arm[0], arm[1]), c.l1, 1e-9);
                EXPECT_NEAR(Distance(arm[1], arm[2]), c.l2, 1e-9);
                EXPECT_NEAR(Distance(arm[2], arm[3]), c.l3, 1e-9);
            }
        }
}

TEST(Serial3RArms, FollowTheTwoLinkArmInTheMenu)
{
    std::vector<std::string> commands;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms())
        commands.push_back(m->command);
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(commands.begin(), commands.begin() + 4),
              (std::vector<std::string>{"2r", "3r", "3r-line", "3r-arc"}));
}

}
