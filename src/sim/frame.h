// The simulation frame shared by every mechanism form, without widgets: reads the inputs,
// runs ComputeMotion, writes the result file, plots the two graphs, fits the world window and
// keeps the run state of the animation, STOP and next. A form wires buttons, timer and
// pictures to it; the command line drives it with image canvases.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plot/canvas.h"
#include "plot/scaling.h"
#include "sim/mechanism.h"

namespace sim {

// How the mechanism view is drawn beyond the poses themselves.
struct DrawingOptions {
    bool guides = false;   // the mechanism's guide lines under its poses
};

class SimulationFrame {
public:
    explicit SimulationFrame(const Mechanism& mechanism);

    const Mechanism& mechanism() const { return mechanism_; }

    // RUN: reads `boxTexts` (by Text1 index) with the one number reader, computes the cycle with
    // the N and T of `context`, writes `resultPath`, plots Picture1 and Picture2, fits the
    // world window to `view`'s size and restarts the animation at pose 0. A refused run leaves
    // the previous run, its pictures and the file as they were; only a file refusal comes
    // after the run has been taken and shown.
    std::optional<Refusal> runCycle(const std::vector<std::string>& boxTexts,
                                    const RunContext& context,
                                    const std::filesystem::path& resultPath, plot::Canvas& picture1,
                                    plot::Canvas& picture2, const plot::Canvas& view);

    bool hasRun() const { return run_ != nullptr; }
    const MechanismRun* run() const { return run_.get(); }
    const RunContext& context() const { return context_; }
    // The box texts the run was computed from (by Text1 index).
    const std::vector<std::string>& runTexts() const { return runTexts_; }
    const plot::WorldWindow& window() const { return window_; }
    int stepIndex() const { return stepIndex_; }
    int stepDirection() const { return stepDirection_; }
    int graphPage() const { return graphPage_; }

    // Takes effect from the next tick or STOP.
    void setDrawingOptions(DrawingOptions options) { options_ = options; }
    DrawingOptions drawingOptions() const { return options_; }

    // One timer tick: clears `view`, draws the pose stepIndex and moves the index on, turning
    // at 0 and N. Returns the index shown (for Text2). Does nothing before the first run.
    std::optional<int> tick(plot::Canvas& view);

    // What a tick shows for pose `index`, without moving the animation on.
    void drawPose(plot::Canvas& view, int index) const;

    // STOP: clears `view` and draws the summary (poses, traced path, grid).
    void stop(plot::Canvas& view);
    // What STOP draws, into any picture of the view's size, without touching the run state.
    void drawSummary(plot::Canvas& view) const;

    // next: draws the next page into `view` and returns its caption, or nullopt when the page
    // counter wraps to 0 (nothing drawn, caption kept) or there is no run yet.
    std::optional<std::string> next(plot::Canvas& view);

    // Pose indices STOP draws for the traits and N, halves rounded to even.
    static std::vector<int> stopPoseIndices(StopPoses poses, int divisions);

private:
    const Mechanism& mechanism_;
    std::unique_ptr<MechanismRun> run_;
    std::vector<std::string> runTexts_;
    RunContext context_;
    plot::WorldWindow window_;
    int stepIndex_ = 0;
    int stepDirection_ = 1;
    int graphPage_ = 0;
    DrawingOptions options_;
};

// The values of the boxes `boxTexts` for a run with `context`, or why the run cannot start:
// the settings first, then the boxes in turn.
Refusable<InputValues> ReadRunInputs(const Mechanism& mechanism,
                                     const std::vector<std::string>& boxTexts,
                                     const RunContext& context);

// How a message names a box: by its caption in the window, by its key on the command line.
enum class BoxNames { Captions, Keys };

// The message shown or printed for a refusal, e.g. "「L1」に数値を入力してください。",
// "ステップ 37（時刻 1.85 秒）: 腕が届きません" or "result.dat を書き込めませんでした: ...".
std::string DescribeRefusal(const Mechanism& mechanism, const Refusal& refusal, BoxNames names);
// The message of a file refusal: the file in full (or standard output) and why.
std::string DescribeFileRefusal(const Refusal& refusal);

}
