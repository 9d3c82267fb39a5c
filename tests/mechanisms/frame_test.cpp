// The simulation frame over the 2R arm: RUN, the back-and-forth animation, STOP, next and
// refused runs, drawn on recording canvases.
#include <gtest/gtest.h>

#include "mechanism_test_support.h"
#include "mechanisms/serial_2r.h"
#include "plot/recording_canvas.h"
#include "support/temp_dir.h"

namespace {

using sim::SimulationFrame;
using sim::StopPoses;

struct FrameFixture : ::testing::Test {
    TempDir dir;
    plot::RecordingCanvas picture1{73, 60}, picture2{72, 60}, picture3{145, 112};
    SimulationFrame frame{mechanisms::Serial2R()};

    std::optional<sim::Refusal> run(int n, std::map<int, std::string> overrides = {})
    {
        return frame.runCycle(DefaultTexts(frame.mechanism(), overrides),
                              {n, 10, sim::ProfileKind::Quintic}, dir / "result.dat", picture1,
                              picture2, picture3);
    }
};

TEST(StopPoseIndices, RoundHalvesToEvenAndKeepTheLastPose)
{
    EXPECT_EQ(SimulationFrame::stopPoseIndices(StopPoses::TwentiethsFromZero, 30),
              (std::vector<int>{0,  2,  3,  4,  6,  8,  9,  10, 12, 14, 15,
                                16, 18, 20, 21, 22, 24, 26, 27, 28, 30}));
    const auto every10 = SimulationFrame::stopPoseIndices(StopPoses::TwentiethsFromZero, 200);
    ASSERT_EQ(every10.size(), 21u);
    EXPECT_EQ(every10.back(), 200);
    const auto fromOne = SimulationFrame::stopPoseIndices(StopPoses::TwentiethsFromOne, 200);
    ASSERT_EQ(fromOne.size(), 20u);
    EXPECT_EQ(fromOne.front(), 1);
    EXPECT_EQ(fromOne.back(), 191);
    EXPECT_EQ(SimulationFrame::stopPoseIndices(StopPoses::QuarterPose, 10), std::vector<int>{2});
    EXPECT_EQ(SimulationFrame::stopPoseIndices(StopPoses::QuarterPose, 30), std::vector<int>{8});
    EXPECT_EQ(SimulationFrame::stopPoseIndices(StopPoses::EighthPose, 200), std::vector<int>{25});
    // A step that is not a short binary fraction must not lose the final pose to rounding.
    EXPECT_EQ(SimulationFrame::stopPoseIndices(StopPoses::TwentiethsFromZero, 7).back(), 7);
}

TEST_F(FrameFixture, AnimationRunsThereAndBackShowingEachEndOnce)
{
    ASSERT_FALSE(run(4).has_value());
    std::vector<int> shown;
    for (int t = 0; t < 10; ++t)
        shown.push_back(*frame.tick(picture3));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 3, 2, 1, 0, 1}));
    EXPECT_EQ(picture3.clearCount, 10);
}

TEST_F(FrameFixture, StopAndNextBeforeTheFirstRunDoNothing)
{
    frame.stop(picture3);
    EXPECT_FALSE(frame.next(picture3).has_value());
    EXPECT_FALSE(frame.tick(picture3).has_value());
    EXPECT_EQ(picture3.clearCount, 0);
    EXPECT_TRUE(picture3.lines.empty());
    EXPECT_EQ(frame.graphPage(), 0);
}

TEST_F(FrameFixture, NextCyclesThroughTheTipPagesAndAnEmptyTurn)
{
    ASSERT_FALSE(run(20).has_value());
    EXPECT_EQ(frame.next(picture3), "x   dx   ddx");
    EXPECT_EQ(frame.next(picture3), "y   dy   ddy");
    const std::size_t linesOfYPage = picture3.lines.size();
    EXPECT_FALSE(frame.next(picture3).has_value());   // the y page stays on screen
    EXPECT_EQ(picture3.lines.size(), linesOfYPage);
    EXPECT_EQ(frame.next(picture3), "x   dx   ddx");
}

TEST_F(FrameFixture, StopDrawsTwentyOnePosesThePathAndTheGrid)
{
    ASSERT_FALSE(run(200).has_value());
    frame.stop(picture3);
    // 21 poses of 2 links, 200 path segments, then the grid: 7 vertical and 9 horizontal lines.
    ASSERT_EQ(picture3.lines.size(), 21u * 2 + 200 + 7 + 9);
    EXPECT_EQ(picture3.circles.size(), 21u * 3);
    const plot::RecordedLine& firstGrid = picture3.lines[21 * 2 + 200];
    EXPECT_EQ(firstGrid.style, plot::PenStyle::Dotted);
    EXPECT_EQ(picture3.texts.size(), 7u + 9u);
}

TEST_F(FrameFixture, RunWritesTheResultFileAndFitsTheWindowToThePicture)
{
    ASSERT_FALSE(run(200).has_value());
    const std::string bytes = ReadFileBytes(dir / "result.dat");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 202);
    // The tip starts at x = 20 up to the last digits that the 15-digit pi leaves.
    EXPECT_TRUE(bytes.starts_with("sec\tx\tdx\tddx\ty\tdy\tddy\r\n0\t20.0000000000000"));
    // (145 - 20) / 60 against (112 - 12) / 40: the width decides.
    EXPECT_DOUBLE_EQ(frame.window().scale, 125.0 / 60.0);
}

TEST_F(FrameFixture, RefusedRunLeavesRunPicturesAndFileAsTheyWere)
{
    ASSERT_FALSE(run(10).has_value());
    frame.tick(picture3);
    frame.tick(picture3);
    const sim::MechanismRun* before = frame.run();
    const std::string fileBefore = ReadFileBytes(dir / "result.dat");
    const std::size_t graphLines = picture1.lines.size();

    const std::optional<sim::Refusal> refused = run(50, {{0, "abc"}});
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, sim::Refusal::Kind::NotANumber);
    const std::string message =
        sim::DescribeRefusal(frame.mechanism(), *refused, sim::BoxNames::Captions);
    EXPECT_NE(message.find("L1"), std::string::npos) << message;
    EXPECT_EQ(frame.run(), before);
    EXPECT_EQ(frame.context().divisions, 10);
    EXPECT_EQ(frame.stepIndex(), 2);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), fileBefore);
    EXPECT_EQ(picture1.lines.size(), graphLines);
}

// Links near the largest double put the tip at infinity late in the cycle: the run is refused
// at a step, and nothing that is not a finite number reaches the file or a picture.
TEST_F(FrameFixture, ARunThatOverflowsIsRefusedAtItsStep)
{
    ASSERT_FALSE(run(10).has_value());
    const std::string fileBefore = ReadFileBytes(dir / "result.dat");
    const std::size_t graphLines = picture1.lines.size();

    const std::optional<sim::Refusal> refused = run(200, {{0, "1e308"}, {1, "1e308"}});
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, sim::Refusal::Kind::Step);
    const std::string message =
        sim::DescribeRefusal(frame.mechanism(), *refused, sim::BoxNames::Captions);
    EXPECT_NE(message.find("ステップ"), std::string::npos) << message;
    EXPECT_NE(message.find("秒"), std::string::npos) << message;
    EXPECT_EQ(frame.context().divisions, 10);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), fileBefore);
    EXPECT_EQ(picture1.lines.size(), graphLines);
}

TEST_F(FrameFixture, ResultFileRunsFromTimeZeroToTheCycleTime)
{
    ASSERT_FALSE(frame
                     .runCycle(DefaultTexts(frame.mechanism()), {8, 2.5, sim::ProfileKind::Cubic},
                               dir / "result.dat", picture1, picture2, picture3)
                     .has_value());
    const std::string bytes = ReadFileBytes(dir / "result.dat");
    const std::size_t lastLine = bytes.rfind("\r\n", bytes.size() - 3) + 2;
    EXPECT_TRUE(bytes.substr(lastLine).starts_with("2.5\t")) << bytes.substr(lastLine);
    EXPECT_NE(bytes.find("\r\n0\t"), std::string::npos);
}

TEST_F(FrameFixture, AFileThatCannotBeWrittenIsReportedButTheRunGoesOn)
{
    const std::optional<sim::Refusal> refused =
        frame.runCycle(DefaultTexts(frame.mechanism()), {20, 10, sim::ProfileKind::Quintic},
                       dir / "missing-folder" / "result.dat", picture1, picture2, picture3);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, sim::Refusal::Kind::File);
    const std::string message =
        sim::DescribeRefusal(frame.mechanism(), *refused, sim::BoxNames::Captions);
    EXPECT_NE(message.find("result.dat"), std::string::npos) << message;
    EXPECT_TRUE(frame.hasRun());
    EXPECT_EQ(frame.tick(picture3), 0);
}

TEST_F(FrameFixture, FullWidthInputsReadAsTheirNumbers)
{
    ASSERT_FALSE(run(10, {{0, "２０"}, {5, "－９０"}}).has_value());
    const std::string bytes = ReadFileBytes(dir / "result.dat");
    EXPECT_NE(bytes.find("\r\n0\t20.0000000000000"), std::string::npos);
}

TEST(DescribeRefusal, NamesTheStepAndItsTime)
{
    sim::Refusal error = sim::Refusal::OfStep("腕が届きません");
    error.step = 37;
    error.time = 10.0 * 37 / 200;
    const std::string text =
        sim::DescribeRefusal(mechanisms::Serial2R(), error, sim::BoxNames::Captions);
    EXPECT_NE(text.find("37"), std::string::npos);
    EXPECT_NE(text.find("1.85"), std::string::npos);
    EXPECT_NE(text.find("腕が届きません"), std::string::npos);
}

}
