// The one way a run goes, for the window, its worker thread and the command line alike: read the
// inputs, compute the cycle, then write the result file, either from the whole run kept in
// memory or streamed block by block as the steps are computed.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/row_blocks.h"
#include "messages/refusal.h"
#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/mechanism.h"
#include "run/run_progress.h"

namespace sim {

struct ViewPictures;

// What a window or the command line asks to run.
struct RunRequest {
    const Mechanism* mechanism = nullptr;
    InputEntries inputs;   // a key left out reads as its default
    RunContext context;
};

// A cycle computed and written, ready to be shown; what a worker thread hands to the frame.
struct ComputedRun {
    std::unique_ptr<MechanismRun> run;
    RunContext context;
    InputEntries inputs;                // every key, as given or defaulted
    InputValues values;                 // as read, angles in radians
    plot::WorldWindow window;           // fitted to the large picture
    std::optional<Refusal> unwritten;   // the file could not be written; the run stands
    // What STOP and next draw on the view, when gathered with the graphs (frame.h).
    std::shared_ptr<ViewPictures> pictures;
};

// The values of the inputs for a run with `context`, or why the run cannot start: the settings
// first, then the boxes in turn.
Refusable<InputValues> ReadRunInputs(const Mechanism& mechanism, const InputEntries& inputs,
                                     const RunContext& context);

// Reads the inputs, computes the whole cycle, fits the world window to a picture of `view`'s
// size and, only for a complete cycle, writes `resultPath`: streamed as the steps are
// computed, the run keeping each series' extremes only (run/step_loop.h); a target that cannot
// take bytes back gets its rows from a second pass, once the first has posed every step. With
// `progress`, the step loop
// reports to it, and a cancel request refuses the run before the file is touched. Touches no
// window, so a worker thread may call it.
Refusable<ComputedRun> ComputeRun(const RunRequest& request,
                                  const std::filesystem::path& resultPath, const plot::Canvas& view,
                                  RunProgress* progress = nullptr);

// The same with the result file handed to `sink` block by block, formatted as `plan` says: for
// a front that keeps no file of its own (the browser page). The sink only ever takes bytes; a
// sink that refuses them refuses the run as out of memory.
Refusable<ComputedRun> ComputeRun(const RunRequest& request, const ByteSink& sink,
                                  const plot::Canvas& view, BlockPlan plan);

// Steps first..last of a cycle computed before from `values` (`whole` its run), as a run whose
// row 0 is step `first`; every one of them was posed before, so none is refused.
std::unique_ptr<MechanismRun> RecomputeSteps(const Mechanism& mechanism, const InputValues& values,
                                             const RunContext& context, const MechanismRun& whole,
                                             int first, int last);
// Every step of that cycle again, in one pass that hands on blocks of kVisitBlockRows steps.
// With `progress`, the pass reports its steps to it and ends early when asked to stop.
StepBlocks RecomputedSteps(const Mechanism& mechanism, const InputValues& values,
                           const RunContext& context, const MechanismRun& whole,
                           RunProgress* progress = nullptr);

// Reads the inputs and computes the cycle straight into the result file at `path`, refusing
// what ComputeRun refuses, keeping one block of steps at a time. A refused step leaves neither
// the file nor a temporary, even after some of its blocks were formatted. A target that cannot
// take bytes back (a pipe, a device, "-") gets no row before every step has been posed once,
// and its rows from a second pass over the steps. After a run that
// was computed, `findings` (when given) receives what the run tells beyond its motion, in the
// interface language of `translate`.
std::optional<Refusal> StreamRun(const RunRequest& request, const std::filesystem::path& path,
                                 BlockPlan plan = {}, std::vector<std::string>* findings = nullptr,
                                 const Translator& translate = {});

}
