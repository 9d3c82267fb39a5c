// The simulation frame over the 2R arm: RUN, the back-and-forth animation, the transport's
// steps, speeds and cursor, STOP, next and refused runs, drawn on recording canvases.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "mechanism_test_support.h"
#include "mechanisms/catalog.h"
#include "mechanisms/four_bar.h"
#include "mechanism_window/run_export.h"
#include "mechanisms/serial_2r.h"
#include "mechanisms/slider_crank.h"
#include "plot/graphs.h"
#include "plot/recording_canvas.h"
#include "run/refusal_text.h"
#include "run/run_progress.h"
#include "support/temp_dir.h"

namespace {

using sim::SimulationFrame;
using sim::StopPoses;

struct FrameFixture : ::testing::Test {
    TempDir dir;
    plot::RecordingCanvas picture1{73, 60}, picture2{72, 60}, picture3{145, 112};
    SimulationFrame frame{mechanisms::Serial2R()};

    std::optional<sim::Refusal> run(int n, sim::InputEntries overrides = {})
    {
        return sim::RunCycle(frame, RequestOf(frame.mechanism(), Context(n), std::move(overrides)),
                             dir / "result.dat", picture1, picture2, picture3);
    }
    std::vector<int> ticks(int count)
    {
        std::vector<int> shown;
        for (int t = 0; t < count; ++t)
            shown.push_back(frame.tick(picture3).value_or(-1));
        return shown;
    }
};

TEST(StopPoseIndices, RoundHalvesToEvenAndKeepTheLastPose)
{
    EXPECT_EQ(sim::StopPoseIndices(StopPoses::TwentiethsFromZero, 30),
              (std::vector<int>{0,  2,  3,  4,  6,  8,  9,  10, 12, 14, 15,
                                16, 18, 20, 21, 22, 24, 26, 27, 28, 30}));
    const auto every10 = sim::StopPoseIndices(StopPoses::TwentiethsFromZero, 200);
    ASSERT_EQ(every10.size(), 21u);
    EXPECT_EQ(every10.back(), 200);
    const auto fromOne = sim::StopPoseIndices(StopPoses::TwentiethsFromOne, 200);
    ASSERT_EQ(fromOne.size(), 20u);
    EXPECT_EQ(fromOne.front(), 1);
    EXPECT_EQ(fromOne.back(), 191);
    EXPECT_EQ(sim::StopPoseIndices(StopPoses::QuarterPose, 10), std::vector<int>{2});
    EXPECT_EQ(sim::StopPoseIndices(StopPoses::QuarterPose, 30), std::vector<int>{8});
    EXPECT_EQ(sim::StopPoseIndices(StopPoses::EighthPose, 200), std::vector<int>{25});
    // A step that is not a short binary fraction must not lose the final pose to rounding.
    EXPECT_EQ(sim::StopPoseIndices(StopPoses::TwentiethsFromZero, 7).back(), 7);
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

    const std::optional<sim::Refusal> refused = run(50, {{"L1", "abc"}});
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, sim::Refusal::Kind::NotANumber);
    const std::string message =
        sim::DescribeRefusal(frame.mechanism(), *refused, sim::BoxNames::Captions);
    EXPECT_NE(message.find("L1"), std::string::npos) << message;
    EXPECT_EQ(frame.run(), before);
    EXPECT_EQ(frame.context().divisions, 10);
    EXPECT_EQ(frame.currentStep(), 1);
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

    const std::optional<sim::Refusal> refused = run(200, {{"L1", "1e308"}, {"L2", "1e308"}});
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
    ASSERT_FALSE(
        sim::RunCycle(frame, RequestOf(frame.mechanism(), Context(8, sim::ProfileKind::Cubic, 2.5)),
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
        sim::RunCycle(frame, RequestOf(frame.mechanism(), Context(20)),
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
    ASSERT_FALSE(run(10, {{"L1", "２０"}, {"the2s", "－９０"}}).has_value());
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

TEST_F(FrameFixture, StepsStopAtBothEndsAndPlayKeepsItsDirection)
{
    EXPECT_FALSE(frame.goToStep(3, picture3).has_value());   // nothing before the first run
    ASSERT_FALSE(run(4).has_value());
    EXPECT_EQ(frame.goToStep(-1, picture3), 0);
    EXPECT_EQ(frame.goToStep(frame.currentStep() - 1, picture3), 0);
    EXPECT_EQ(frame.goToStep(9, picture3), 4);
    EXPECT_EQ(frame.goToStep(frame.currentStep() + 1, picture3), 4);
    EXPECT_EQ(picture3.clearCount, 4);   // each step puts its pose on screen

    // Up from 2, paused, back to 1: play goes on upward; at N it turns, at 0 it turns again.
    frame.goToStep(2, picture3);
    frame.setPlaying(false);
    EXPECT_FALSE(frame.tick(picture3).has_value());
    frame.goToStep(1, picture3);
    frame.setPlaying(true);
    EXPECT_EQ(ticks(3), (std::vector<int>{2, 3, 4}));
    frame.goToStep(2, picture3);   // having turned at N, play goes on downward
    EXPECT_EQ(ticks(3), (std::vector<int>{1, 0, 1}));
    frame.goToStep(0, picture3);
    EXPECT_EQ(ticks(2), (std::vector<int>{1, 2}));

    // After STOP the summary stays; the strip moves only the step and the cursor.
    frame.stop(picture3);
    const int clears = picture3.clearCount;
    EXPECT_EQ(frame.goToStep(3, picture3), 3);
    EXPECT_EQ(picture3.clearCount, clears);
    EXPECT_DOUBLE_EQ(*frame.cursorX(picture1), plot::TimeAxisX(picture1, 4, 3));
    EXPECT_EQ(frame.currentValues()->position.Compose(), "ステップ 3 / 4　時刻 7.5 秒");
}

// k steps per tick land where k ticks of one step land, however large k is against N.
TEST_F(FrameFixture, FastSpeedsSkipAlongThePathAndSlowOnesHoldThePose)
{
    for (int n : {1, 4, 7}) {
        ASSERT_FALSE(run(n).has_value());
        SimulationFrame single{mechanisms::Serial2R()};
        ASSERT_FALSE(sim::RunCycle(single, RequestOf(single.mechanism(), Context(n)),
                                   dir / "single.dat", picture1, picture2, picture3)
                         .has_value());
        single.tick(picture3);
        frame.tick(picture3);
        for (int speed : {4, 5, 6, 7}) {   // 5x, 10x, 100x, 1000x
            SCOPED_TRACE(testing::Message() << "N = " << n << ", speed " << speed);
            frame.setSpeed(speed);
            for (int t = 0; t < 3; ++t) {
                for (int k = 0; k < sim::kSpeeds[static_cast<std::size_t>(speed)]; ++k)
                    single.tick(picture3);
                EXPECT_EQ(frame.tick(picture3), single.currentStep());
                EXPECT_EQ(frame.direction(), single.direction());
            }
        }
    }
    frame.setSpeed(sim::kNormalSpeed);   // the speed chosen outlasts a run
    ASSERT_FALSE(run(1).has_value());
    EXPECT_EQ(ticks(4), (std::vector<int>{0, 1, 0, 1}));
    frame.setSpeed(0);   // 0.25x
    EXPECT_EQ(ticks(8), (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 1}));
}

TEST_F(FrameFixture, RefusedCancelledAndPendingRunsLeaveTheStepsOfTheShownOne)
{
    ASSERT_FALSE(run(10).has_value());
    frame.goToStep(7, picture3);
    const std::string fileBefore = ReadFileBytes(dir / "result.dat");

    ASSERT_TRUE(run(50, {{"L1", "abc"}}).has_value());
    EXPECT_EQ(frame.currentStep(), 7);
    EXPECT_EQ(frame.goToStep(50, picture3), 10);

    // The step loop reports its progress; a run cancelled before its last step stops there,
    // is refused and writes nothing.
    sim::RunProgress progress;
    const sim::RunRequest long10000 = RequestOf(frame.mechanism(), Context(10000));
    auto cancelled = sim::ComputeRun(long10000, dir / "other.dat", picture3, &progress);
    EXPECT_EQ(progress.stepsDone, 8192);
    progress.cancelRequested = true;
    progress.stepsDone = -1;
    cancelled = sim::ComputeRun(long10000, dir / "result.dat", picture3, &progress);
    EXPECT_EQ(progress.stepsDone, 0);
    ASSERT_TRUE(!cancelled);
    EXPECT_EQ(cancelled.error().kind, sim::Refusal::Kind::Cancelled);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), fileBefore);
    EXPECT_EQ(frame.goToStep(50, picture3), 10);

    // A run computed meanwhile with other settings: the shown run keeps its N until it is
    // shown, then the new run keeps its own.
    auto pending =
        sim::ComputeRun(RequestOf(frame.mechanism(), Context(20)), dir / "result.dat", picture3);
    ASSERT_TRUE(pending.ok());
    EXPECT_EQ(frame.goToStep(20, picture3), 10);
    frame.showRun(std::move(pending).value());
    EXPECT_EQ(frame.currentStep(), 0);
    EXPECT_EQ(frame.goToStep(25, picture3), 20);
}

}

namespace {

bool ShowsPairCentres(const plot::RecordingCanvas& view)
{
    return std::any_of(view.texts.begin(), view.texts.end(),
                       [](const plot::RecordedText& t) { return t.text == "I12"; });
}

}

// With the centres on, a four-bar pose shows every pair's centres only while the player stands
// still: not on a tick while playing, nor in an animation's frame.
TEST(FrameCentres, PairCentresOnlyWhilePaused)
{
    TempDir dir;
    plot::RecordingCanvas graph1{73, 60}, graph2{72, 60}, view{145, 112};
    SimulationFrame frame{mechanisms::FourBar()};
    ASSERT_FALSE(sim::RunCycle(frame, RequestOf(frame.mechanism(), Context(40)), dir / "result.dat",
                               graph1, graph2, view)
                     .has_value());
    frame.setDrawingOptions({.centres = true});
    frame.setPlaying(true);
    ASSERT_TRUE(frame.tick(view).has_value());
    ASSERT_TRUE(frame.tick(view).has_value());
    EXPECT_FALSE(ShowsPairCentres(view));
    frame.setPlaying(false);
    frame.goToStep(11, view);
    EXPECT_TRUE(ShowsPairCentres(view));
    frame.drawPose(view, 11, true);
    EXPECT_FALSE(ShowsPairCentres(view));
    frame.setDrawingOptions({});
    frame.goToStep(11, view);
    EXPECT_FALSE(ShowsPairCentres(view));
}

// With the instant centres ticked, the values go on after the result file's row with each
// moving link's omega, alpha and centre, "無限遠" for the translating piston; without, the
// row alone.
TEST_F(FrameFixture, ValuesListTheLinksCentresOnlyWhenTheCentresAreShown)
{
    SimulationFrame slider{mechanisms::SliderCrank()};
    ASSERT_FALSE(
        sim::RunCycle(slider,
                      RequestOf(slider.mechanism(), Context(12), {{"x0", "1.5"}, {"y0", "-0.5"}}),
                      dir / "slider.dat", picture1, picture2, picture3)
            .has_value());
    slider.goToStep(5, picture3);
    const sim::StepValues plain = *slider.currentValues();
    const std::size_t row = slider.run()->resultTable().header.size();
    EXPECT_EQ(plain.names.size(), row);
    EXPECT_EQ(plain.values.size(), row);

    slider.setDrawingOptions({.centres = true});
    const sim::StepValues shown = *slider.currentValues();
    ASSERT_EQ(shown.names.size(), row + 12);
    ASSERT_EQ(shown.values.size(), row + 12);
    EXPECT_EQ(std::vector(shown.names.begin(), shown.names.begin() + static_cast<long>(row)),
              plain.names);
    EXPECT_EQ(std::vector(shown.values.begin(), shown.values.begin() + static_cast<long>(row)),
              plain.values);
    const auto links = slider.run()->movingLinks(5);
    ASSERT_EQ(links.size(), 3U);
    for (std::size_t l = 0; l < 3; ++l) {
        const std::size_t at = row + 4 * l;
        EXPECT_EQ(shown.names[at], links[l].name + ".omega");
        EXPECT_EQ(shown.names[at + 3], links[l].name + ".icy");
        EXPECT_EQ(shown.values[at], numeric::FormatNumber(links[l].omega));
        EXPECT_EQ(shown.values[at + 1], numeric::FormatNumber(links[l].alpha));
    }
    // The crank turns about its centre (x0, y0); the piston only slides.
    EXPECT_NEAR(std::stod(shown.values[row + 2]), 1.5, 1e-9);
    EXPECT_NEAR(std::stod(shown.values[row + 3]), -0.5, 1e-9);
    EXPECT_EQ(shown.names[row + 8], "piston.omega");
    EXPECT_EQ(shown.values[row + 10], "無限遠");
    EXPECT_EQ(shown.values[row + 11], "無限遠");
}

// The report adds the pose of step N / 4 after the summary and the next pages only while the
// player draws arrows or instant centres.
TEST_F(FrameFixture, ReportShowsTheQuarterPoseOnlyWithArrowsOrCentres)
{
    const QSize view(145, 112);
    EXPECT_TRUE(sim::RunReportCaptions(frame, view).empty());
    ASSERT_FALSE(run(18).has_value());
    const std::size_t plain = 2 + 1 + frame.run()->nextPages().size();
    EXPECT_EQ(sim::RunReportCaptions(frame, view).size(), plain);
    for (const sim::DrawingOptions& options :
         {sim::DrawingOptions{.velocities = true}, sim::DrawingOptions{.accelerations = true},
          sim::DrawingOptions{.centres = true}}) {
        frame.setDrawingOptions(options);
        const std::vector<QString> captions = sim::RunReportCaptions(frame, view);
        ASSERT_EQ(captions.size(), plain + 1);
        EXPECT_EQ(captions.back(), "ステップ 4 の姿勢");
    }
    frame.setDrawingOptions({.guides = true});
    EXPECT_EQ(sim::RunReportCaptions(frame, view).size(), plain);
}

namespace {

// The cells of line `line` (0 the header) of a result file's bytes.
std::vector<std::string> ResultRow(const std::string& bytes, std::size_t line)
{
    std::size_t start = 0;
    for (std::size_t l = 0; l < line; ++l)
        start = bytes.find("\r\n", start) + 2;
    std::vector<std::string> cells;
    std::istringstream row(bytes.substr(start, bytes.find("\r\n", start) - start));
    for (std::string cell; std::getline(row, cell, '\t');)
        cells.push_back(cell);
    return cells;
}

}

// The values row is recomputed from the step, not looked up in kept series, and still reads
// as the file's row to the last digit, an arm's base angle keeping its turns across the seam.
TEST_F(FrameFixture, ValuesRowOfAnyStepIsTheFilesRow)
{
    constexpr int n = 300;
    for (const sim::Mechanism* m : mechanisms::AllMechanisms()) {
        SCOPED_TRACE(m->command);
        SimulationFrame player{*m};
        // An arc left of the base, whose base angle passes pi before step N/3.
        sim::InputEntries inputs;
        if (m->command == "3r-arc")
            inputs = {{"xc", "-50"}, {"yc", "10"}, {"phi", "180"}};
        ASSERT_FALSE(sim::RunCycle(player, RequestOf(*m, Context(n), inputs), dir / "values.dat",
                                   picture1, picture2, picture3)
                         .has_value());
        const std::string bytes = ReadFileBytes(dir / "values.dat");
        for (int step : {0, n / 3, n}) {
            player.goToStep(step, picture3);
            const sim::StepValues shown = *player.currentValues();
            EXPECT_EQ(shown.names, ResultRow(bytes, 0));
            EXPECT_EQ(shown.values, ResultRow(bytes, static_cast<std::size_t>(step) + 1))
                << "step " << step;
        }
    }
}
