// The 2R arm against its closed form, its rates against central differences, its window.
#include <gtest/gtest.h>

#include <cmath>

#include "mechanism_test_support.h"
#include "mechanisms/serial_2r.h"
#include "numeric/constants.h"
#include "plot/recording_canvas.h"

namespace {

using mechanisms::Serial2R;

TEST(Serial2R, DefaultArmStartsAndEndsWhereTheClosedFormPutsIt)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(200)));
    ASSERT_TRUE(run);
    const sim::ResultTable table = run->resultTable();
    ASSERT_EQ(table.header, (std::vector<std::string>{"sec", "x", "dx", "ddx", "y", "dy", "ddy"}));
    // Tip from (20, -10) to (-30, 0): L1 = 20 along 0 then 180 deg, L2 = 10 at -90 then 0 relative.
    EXPECT_NEAR(table.columns[0][0], 20, 1e-12);
    EXPECT_NEAR(table.columns[3][0], -10, 1e-12);
    EXPECT_NEAR(table.columns[0][200], -30, 1e-12);
    EXPECT_NEAR(table.columns[3][200], 0, 1e-12);
    // The quintic profile starts and ends at rest.
    for (int c : {1, 2, 4, 5}) {
        EXPECT_NEAR(table.columns[c][0], 0, 1e-12);
        EXPECT_NEAR(table.columns[c][200], 0, 1e-12);
    }
}

// At both ends of the cycle the quintic profile is at rest with no acceleration; the cubic one
// is at rest but still accelerating; the constant-velocity one moves.
TEST(Serial2R, EndConditionsOfEachProfile)
{
    struct Row {
        sim::ProfileKind profile;
        bool moves, accelerates;
    } rows[] = {
        {sim::ProfileKind::Quintic, false, false},
        {sim::ProfileKind::Cubic, false, true},
        {sim::ProfileKind::Linear, true, false},
    };
    for (const Row& row : rows) {
        auto run = RunOf(ComputeWith(Serial2R(), Context(100, row.profile)));
        ASSERT_TRUE(run);
        const auto g = run->graphs();
        const auto c = run->resultTable().columns;
        for (std::size_t k : {std::size_t{0}, std::size_t{100}}) {
            SCOPED_TRACE(testing::Message() << "profile " << int(row.profile) << " step " << k);
            EXPECT_EQ(std::abs(g[0].rate[k]) > 1e-9, row.moves);
            EXPECT_EQ(std::abs(g[1].rate[k]) > 1e-9, row.moves);
            EXPECT_EQ(std::abs(g[0].accel[k]) > 1e-9, row.accelerates);
            EXPECT_EQ(std::hypot(c[1][k], c[4][k]) > 1e-9, row.moves);   // tip velocity
        }
    }
}

TEST(Serial2R, ElbowStaysOnTheUpperHalfCircleOfItsLink)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(200)));
    ASSERT_TRUE(run);
    // The elbow is the second end of the first link drawn in any pose.
    for (int k : {0, 37, 100, 163, 200}) {
        plot::RecordingCanvas canvas(140, 110);
        const plot::WorldWindow w{-30, 30, -10, 30, 10, 5, 1};
        run->DrawMechanism(canvas, w, k);
        const double x = canvas.lines[0].b.x - 10 + w.xmin;
        const double y = (110 - 10) - canvas.lines[0].b.y + w.ymin;
        EXPECT_NEAR(std::hypot(x, y), 20, 1e-9) << k;
        EXPECT_GE(y, -1e-9) << k;
    }
}

TEST(Serial2R, EveryStepMatchesTheClosedFormWithItsExactDerivatives)
{
    const double t = 10, n = 400;
    for (auto profile :
         {sim::ProfileKind::Quintic, sim::ProfileKind::Cubic, sim::ProfileKind::Linear}) {
        auto run = RunOf(ComputeWith(Serial2R(), Context(int(n), profile, t)));
        ASSERT_TRUE(run);
        const auto table = run->resultTable();
        const auto graphs = run->graphs();
        for (int i = 0; i <= n; i += 7) {
            const auto k = std::size_t(i);
            const double a = graphs[0].value[k], b = a + graphs[1].value[k];
            EXPECT_NEAR(table.columns[0][k], 20 * std::cos(a) + 10 * std::cos(b), 1e-12);
            EXPECT_NEAR(table.columns[3][k], 20 * std::sin(a) + 10 * std::sin(b), 1e-12);
            // Velocity: d/dt of the closed form with the joint rates the profile gives.
            const double da = graphs[0].rate[k], db = da + graphs[1].rate[k];
            EXPECT_NEAR(table.columns[1][k], -20 * std::sin(a) * da - 10 * std::sin(b) * db, 1e-12);
            EXPECT_NEAR(table.columns[4][k], 20 * std::cos(a) * da + 10 * std::cos(b) * db, 1e-12);
        }
    }
}

TEST(Serial2R, RatesAgreeWithCentralDifferencesOfPositions)
{
    const int n = 2000;
    const double t = 10, h = t / n;
    for (auto profile :
         {sim::ProfileKind::Quintic, sim::ProfileKind::Cubic, sim::ProfileKind::Linear}) {
        auto run = RunOf(ComputeWith(Serial2R(), Context(n, profile, t)));
        ASSERT_TRUE(run);
        const auto c = run->resultTable().columns;
        for (int i = 1; i < n; i += 13) {
            const auto k = std::size_t(i);
            for (int axis : {0, 3}) {
                const double dv = (c[axis][k + 1] - c[axis][k - 1]) / (2 * h);
                const double da = (c[axis + 1][k + 1] - c[axis + 1][k - 1]) / (2 * h);
                EXPECT_NEAR(c[axis + 1][k], dv, 1e-3) << "step " << i;
                EXPECT_NEAR(c[axis + 2][k], da, 1e-3) << "step " << i;
            }
        }
    }
}

TEST(Serial2R, DefaultWorldWindowIsTheTidyOneAroundBothPaths)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(200)));
    ASSERT_TRUE(run);
    const plot::WorldWindow w = run->fitWorldWindow();
    EXPECT_DOUBLE_EQ(w.xmin, -30);
    EXPECT_DOUBLE_EQ(w.xmax, 30);
    EXPECT_DOUBLE_EQ(w.xstep, 10);
    EXPECT_DOUBLE_EQ(w.ymin, -10);
    EXPECT_DOUBLE_EQ(w.ymax, 30);
    EXPECT_DOUBLE_EQ(w.ystep, 5);
}

TEST(Serial2R, DrawsBothLinksAndThreeJointsThroughTheWindow)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(200)));
    ASSERT_TRUE(run);
    plot::RecordingCanvas canvas(140, 110);
    const plot::WorldWindow w{-30, 30, -10, 30, 10, 5, 2};
    run->DrawMechanism(canvas, w, 0);
    ASSERT_EQ(canvas.lines.size(), 2u);
    // Base (0, 0) -> view (60, 20) -> picture (70, 80); elbow (20, 0) -> picture (110, 80).
    EXPECT_NEAR(canvas.lines[0].a.x, 70, 1e-9);
    EXPECT_NEAR(canvas.lines[0].a.y, 80, 1e-9);
    EXPECT_NEAR(canvas.lines[0].b.x, 110, 1e-9);
    EXPECT_EQ(canvas.lines[0].colour, (plot::Rgb{0, 0, 128}));
    EXPECT_EQ(canvas.lines[1].colour, (plot::Rgb{0, 128, 0}));
    EXPECT_EQ(canvas.lines[0].penWidth, 2);
    ASSERT_EQ(canvas.circles.size(), 3u);
    EXPECT_EQ(canvas.penWidth(), 1);
}

TEST(Serial2R, EqualStartAndFinalAnglesHoldTheArmStill)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(50), {{"the1f", "0"}, {"the2f", "-90"}}));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    for (std::size_t k = 0; k <= 50; ++k) {
        EXPECT_DOUBLE_EQ(c[0][k], c[0][0]);
        for (int r : {1, 2, 4, 5})
            EXPECT_EQ(c[r][k], 0.0);
    }
}

TEST(Serial2R, ZeroSecondLinkPutsTheTipOnTheElbow)
{
    auto run = RunOf(ComputeWith(Serial2R(), Context(20), {{"L2", "0"}}));
    ASSERT_TRUE(run);
    const auto c = run->resultTable().columns;
    const auto g = run->graphs();
    for (std::size_t k = 0; k <= 20; ++k)
        EXPECT_NEAR(c[0][k], 20 * std::cos(g[0].value[k]), 1e-12);
}

}
