// The one step loop of every run: samples the motion profile at steps 0..N, asks the mechanism
// for the pose of each step, refuses the first step that cannot be posed or whose values are
// not all finite, and has the run store the others. No stale or undefined number is ever
// written, plotted or drawn.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <tuple>
#include <variant>

#include "numeric/finite.h"
#include "run/mechanism.h"
#include "run/profiles.h"
#include "messages/refusal.h"
#include "run/result_stream.h"
#include "run/run_progress.h"

namespace sim {

// The reason a step is refused when a computed value is not a finite number.
inline constexpr const char* kNotFiniteReason =
    MECHSIM_TR_NOOP("core", "計算結果が有限の数になりません");

// Where step i of N samples the profile: normalised time tau in [0, 1] within a segment.
struct StepSample {
    int segment = 0;
    double tau = 0;
};

// The whole cycle as one segment: tau = i / N.
struct WholeCycle {
    StepSample operator()(int i, int divisions) const { return {0, double(i) / divisions}; }
};

// What the pose of one step is computed from.
struct Step {
    int index = 0;           // i
    int segment = 0;         // from the sampling, 0 for the whole cycle
    ProfileTriple profile;   // s, s', s'' at the step's tau
};

// The steps a run keeps: all N + 1, or one block of them when the run is streamed.
inline std::size_t StepCount(const RunContext& context)
{
    const auto steps = static_cast<std::size_t>(context.divisions) + 1;
    return context.stream ? std::min(steps, context.stream->blockRows()) : steps;
}

namespace detail {

// A pose function may return its pose directly (it cannot fail) or a Refusable<Pose>.
template <typename Pose> Refusal* RefusalIn(Pose&)
{
    return nullptr;
}
template <typename Pose> Refusal* RefusalIn(Refusable<Pose>& posed)
{
    return std::get_if<Refusal>(&posed);
}
template <typename Pose> const Pose& PoseIn(const Pose& pose)
{
    return pose;
}
template <typename Pose> const Pose& PoseIn(const Refusable<Pose>& posed)
{
    return *std::get_if<Pose>(&posed);
}

// Every this many steps the loop reports its progress and looks for a cancel request.
inline constexpr int kProgressEvery = 4096;

// False when the run on this thread has been asked to stop.
inline bool ReportProgress(int stepsDone)
{
    RunProgress* progress = ProgressScope::current();
    if (!progress)
        return true;
    progress->stepsDone.store(stepsDone, std::memory_order_relaxed);
    return !progress->cancelRequested.load(std::memory_order_relaxed);
}

inline RunOrRefusal AtStep(Refusal refusal, int i, const RunContext& context)
{
    refusal.step = i;
    refusal.time = context.cycleTime * i / context.divisions;
    return refusal;
}

}

// Computes steps 0..N into `run`. `poseOf(const Step&)` returns the pose of the step, or a
// Refusable<Pose> where a step can be impossible; a refusal gets the step and its time T i / N
// filled in. `Pose::values()` ties every value of the pose (ValueTriple and PointKinematics)
// for the finiteness check, and `run->store(i, pose)` keeps it. `sample(i, N)` places each
// step on the profile. A streamed run keeps StepCount steps at a time: each full block, and the
// last, goes to the stream through `run->resultTable()` and its rows are then used again.
template <typename Run, typename PoseOf, typename Sample = WholeCycle> RunOrRefusal
RunSteps(const RunContext& context, std::unique_ptr<Run> run, PoseOf&& poseOf, Sample sample = {})
{
    const int n = context.divisions;
    const std::size_t kept = StepCount(context);
    std::size_t first = 0, row = 0;   // step `first + row` is row `row` of the run
    for (int i = 0; i <= n; ++i) {
        if (i % detail::kProgressEvery == 0 && !detail::ReportProgress(i)) [[unlikely]]
            return Refusal::OfCancel();
        const StepSample at = sample(i, n);
        auto posed = poseOf(Step{i, at.segment, EvaluateProfile(context.profile, at.tau)});
        if (Refusal* refused = detail::RefusalIn(posed)) [[unlikely]]
            return detail::AtStep(std::move(*refused), i, context);
        const auto& pose = detail::PoseIn(posed);
        if (!std::apply([](const auto&... v) { return numeric::IsFinite(v...); }, pose.values()))
            [[unlikely]]
            return detail::AtStep(Refusal::OfStep(kNotFiniteReason), i, context);
        run->store(row, pose);
        if (++row == kept || i == n) {
            if (context.stream)
                context.stream->take(first, row, run->resultTable());
            first += row;
            row = 0;
        }
    }
    return std::unique_ptr<MechanismRun>(std::move(run));
}

}
