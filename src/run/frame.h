// The player of a computed run, shared by every mechanism window and the command line: keeps
// the run, its world window and the state of the animation, STOP and next, and of the
// transport: the current step, pause, speed and the time cursor. A window wires buttons,
// timer and pictures to it; the command line drives it with image canvases.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <span>
#include <utility>
#include <vector>

#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/mechanism.h"
#include "run/run_pictures.h"
#include "run/run_pipeline.h"

namespace sim {

// Animation speeds in steps per 50 ms tick. Above one step per tick the steps between are
// skipped, never queued; below it a pose stays for several ticks.
inline constexpr std::array<double, 8> kSpeeds{0.25, 0.5, 1, 2, 5, 10, 100, 1000};
inline constexpr int kNormalSpeed = 2;   // 1x, one step per tick

// What the large picture shows: the pose of the current step, STOP's summary or a next page.
enum class ViewShows { Poses, Summary, Page };

// The current step in words and the result-file row of that step under its column names,
// numbers in the file's shortest form.
struct StepValues {
    Phrase position;   // "ステップ 66 / 200　時刻 3.3 秒"
    std::vector<std::string> names;
    std::vector<std::string> values;
};

// A run whose steps are computed again for its pictures: the run of the whole cycle `whole`,
// computed from `values`, drawn through `window`.
struct RunSource {
    const Mechanism* mechanism = nullptr;
    const MechanismRun* whole = nullptr;
    const InputValues* values = nullptr;
    RunContext context;
    plot::WorldWindow window;
};

// The first and the second graph picture of a window or an export.
using GraphPair = std::array<const plot::Canvas*, 2>;

// What pictures need from a run's steps: the two graphs for each pair of graph pictures, what
// STOP and next draw on each view, and the arrows' scales.
struct PictureNeeds {
    std::vector<GraphPair> graphs;
    std::vector<const plot::Canvas*> views;
    bool peaks = false;
    bool empty() const { return graphs.empty() && views.empty() && !peaks; }
};

// What one pass over a run's steps gathered for PictureNeeds, in the order asked for.
struct GatheredPictures {
    std::vector<GraphPictures> graphs;
    std::vector<ViewPictures> views;
    std::optional<VectorPeaks> peaks;
};

class SimulationFrame {
public:
    explicit SimulationFrame(const Mechanism& mechanism);

    const Mechanism& mechanism() const { return mechanism_; }

    // Takes a computed run and plays it from pose 0. Returns the run's file refusal, if any.
    std::optional<Refusal> showRun(ComputedRun computed);

    bool hasRun() const { return run_ != nullptr; }
    // The run of the whole cycle: its findings, guides and extremes. A run streamed to its file
    // keeps no series; its steps are computed again, in blocks or one at a time.
    const MechanismRun* run() const { return run_.get(); }
    // Every step of the run, computed again block by block; none before the first run.
    StepBlocks steps() const;
    // The run's two time histories, and next page `page` (from 0). With `view`, the same pass
    // over the steps gathers what STOP and next draw on the view.
    void plotGraphs(plot::Canvas& graph1, plot::Canvas& graph2,
                    const plot::Canvas* view = nullptr) const;
    void plotPage(plot::Canvas& picture, std::size_t page) const;
    // Gathers in one pass over the steps the graphs for each of `graphs` and what STOP and next
    // draw on each of `views`; pictures of those sizes and columns are then drawn without
    // computing the steps again, so raster and vector exports of a run share one pass.
    void gatherPictures(const PictureNeeds& needs) const;
    // Keeps what GatherRunPictures gathered for this run on another thread.
    void takePictures(GatheredPictures gathered) const;
    // What drawing `view` as it shows `shows` with `options`, and the graphs on `graph1` and
    // `graph2` when given, needs from the steps beyond what the frame keeps: nothing, when they
    // can be drawn at once.
    PictureNeeds missingFor(const plot::Canvas* graph1, const plot::Canvas* graph2,
                            const plot::Canvas& view, ViewShows shows,
                            const DrawingOptions& options) const;
    // Fits the world window's scale to `view`'s size, as a view of a new size needs.
    void refit(const plot::Canvas& view);
    const RunContext& context() const { return context_; }
    // The inputs the run was computed from, as given and as read.
    const InputEntries& runInputs() const { return runInputs_; }
    const InputValues& runValues() const { return runValues_; }
    const plot::WorldWindow& window() const { return window_; }
    // The run for GatherRunPictures; valid while the frame keeps this run.
    RunSource source() const { return {&mechanism_, run_.get(), &runValues_, context_, window_}; }
    int graphPage() const { return graphPage_; }

    // Takes effect from the next pose drawn or STOP.
    void setDrawingOptions(DrawingOptions options) { options_ = std::move(options); }
    const DrawingOptions& drawingOptions() const { return options_; }

    // The step the strip, the cursor and the values show (the pose on screen while animating).
    int currentStep() const { return current_; }
    // +1 while the animation goes from 0 to N, -1 on its way back.
    int direction() const { return direction_; }
    bool playing() const { return playing_; }
    ViewShows viewShows() const { return viewShows_; }

    // One timer tick while playing: moves on by the speed's steps along 0..N..0, clears `view`
    // and draws that pose. The first tick of a run shows pose 0. Returns the step shown (for
    // the shown-step box); nothing before the first run or while paused.
    std::optional<int> tick(plot::Canvas& view);

    // Pause and resume; resuming after STOP or a page goes back to the poses.
    void setPlaying(bool playing);
    void setSpeed(int index);
    // Makes `step` (held to 0..N) the current step, keeping the direction of play; draws its
    // pose when the view shows poses, leaves STOP's summary and a page as they are. Returns the
    // current step; nothing before the first run.
    std::optional<int> goToStep(int step, plot::Canvas& view);

    // The time cursor: x in millimetres of the current step on a time-history graph drawn on
    // `graph`; nothing before the first run.
    std::optional<double> cursorX(const plot::Canvas& graph) const;
    std::optional<StepValues> currentValues() const;

    // STOP: pauses, clears `view` and draws the summary (poses, traced path, grid).
    void stop(plot::Canvas& view);
    // STOP for a view whose summary was drawn aside (DrawRunSummary): pauses and shows it.
    void stopDrawnAside();
    // What STOP draws, into any picture of the view's size, without touching the run state.
    void drawSummary(plot::Canvas& view) const;
    // Clears `view` and draws what a tick shows for step `index`: its pose over the guides
    // and under the arrows when they are wanted, with what a paused pose adds while the player
    // stands still, unless `asPlaying` (an animation's frame). Nothing before the first run.
    void drawPose(plot::Canvas& view, int index, bool asPlaying = false) const;

    // next: draws the next page into `view` and returns its caption, or nullopt when the page
    // counter wraps to 0 (nothing drawn, caption kept) or there is no run yet.
    std::optional<std::string> next(plot::Canvas& view);

    // Draws the last run again at the pictures' present sizes (after the window was resized):
    // both graphs from the stored series, the world window refitted to `view`, and what the
    // view showed last (a pose, the STOP summary or a next page).
    void redraw(plot::Canvas& picture1, plot::Canvas& picture2, plot::Canvas& view);
    // The same for the view alone.
    void redrawView(plot::Canvas& view);

private:
    const Mechanism& mechanism_;
    std::unique_ptr<MechanismRun> run_;
    InputEntries runInputs_;
    InputValues runValues_;
    RunContext context_;
    plot::WorldWindow window_;
    int current_ = 0;
    int direction_ = 1;
    bool playing_ = false;
    bool firstTick_ = false;   // the next tick shows the current pose without moving on
    ViewShows viewShows_ = ViewShows::Poses;
    int speed_ = kNormalSpeed;
    double stepCredit_ = 0;   // the fraction of a step the slow speeds have gathered
    int graphPage_ = 0;
    DrawingOptions options_;
    // The run's largest vectors, found the first time arrows are drawn; every pose of the run
    // and every size of the picture scales its arrows from them.
    mutable std::optional<VectorPeaks> peaks_;
    // The run of the one step last asked for, recomputed from the run's inputs.
    mutable std::unique_ptr<MechanismRun> stepRun_;
    mutable int stepRunIndex_ = -1;

    // The run of step `index` alone (its row 0), recomputed when another step is asked for.
    const MechanismRun& stepRun(int index) const;

    // What STOP and next draw on views, and the graphs, as gathered for the pictures last
    // drawn on, the latest last; a few sizes and kinds of picture are kept.
    mutable std::vector<ViewPictures> gathered_;
    mutable std::vector<GraphPictures> gatheredGraphs_;
    const ViewPictures* viewGatheredFor(const plot::Canvas& view) const;
    const GraphPictures* graphsGatheredFor(const plot::Canvas& graph1,
                                           const plot::Canvas& graph2) const;
    const ViewPictures& gatheredFor(const plot::Canvas& view) const;
};


// In one pass over the steps of `run`, what `needs` asks for. With `progress`, the pass reports its steps and ends early,
// gathering nothing, when asked to stop. Touches no window, so a worker thread may call it.
std::optional<GatheredPictures> GatherRunPictures(const RunSource& run, const PictureNeeds& needs,
                                                  RunProgress* progress = nullptr);

// Clears `view` and draws STOP's summary of `run` with `options`, the traced `paths` as
// gathered for the view, each pose and the centrode computed again. With `progress`, the
// passes report their steps and end early when asked to stop; false then, the view half drawn.
// Touches no window, so a worker thread may call it.
bool DrawRunSummary(plot::Canvas& view, const RunSource& run,
                    const std::vector<std::vector<plot::PointMm>>& paths,
                    const DrawingOptions& options, RunProgress* progress = nullptr);

// The two time histories of `run` in one pass over its steps that, with `view`, also gathers
// what STOP and next draw on it. Touches no window, so a worker thread may call it.
std::optional<ViewPictures> PlotRunGraphs(const RunSource& run, plot::Canvas& graph1,
                                          plot::Canvas& graph2, const plot::Canvas* view = nullptr);

// RUN in one go: computes `request` into `resultPath` (ComputeRun), plots its graphs into
// `graph1` and `graph2` and hands it to `frame` to play from pose 0, the world window fitted to
// `view`'s size. A refused run leaves the previous run, its pictures and the file as they were;
// only a file refusal comes after the run has been taken and shown.
std::optional<Refusal> RunCycle(SimulationFrame& frame, const RunRequest& request,
                                const std::filesystem::path& resultPath, plot::Canvas& graph1,
                                plot::Canvas& graph2, const plot::Canvas& view);

}
