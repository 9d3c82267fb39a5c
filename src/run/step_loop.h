// The one step loop of every run: samples the motion profile at steps 0..N, asks the mechanism
// for the pose of each step, refuses the first step that cannot be posed or whose values are
// not all finite, and has the run store the others. No stale or undefined number is ever
// written, plotted or drawn.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "files/result_stream.h"
#include "messages/refusal.h"
#include "numeric/finite.h"
#include "run/mechanism.h"
#include "run/profiles.h"
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

// The most columns of a built-in mechanism's table; the stream's blocks are sized for them.
inline constexpr std::size_t kNarrowTableColumns = 9;

// The steps a run keeps: all it computes, or one block of them when the run is streamed. A table wider
// than the built-ins' (a linkage of many joints) takes fewer rows per block, so that a block's
// values, and the text they are formatted into, stay the size of a built-in's.
inline std::size_t StepCount(const StepLoop& loop, std::size_t columns = kNarrowTableColumns)
{
    const auto steps = static_cast<std::size_t>(loop.lastStep() - loop.first) + 1;
    if (!loop.stream && !loop.visit)
        return steps;
    const std::size_t blockRows = loop.stream ? loop.stream->blockRows() : kVisitBlockRows;
    const std::size_t rows =
        blockRows * kNarrowTableColumns / std::max(columns, kNarrowTableColumns);
    return std::min(steps, std::max<std::size_t>(rows, 1));
}

namespace detail {

// A pose function may return its pose directly (it cannot fail) or a Refusable<Pose>.
template <typename Pose> const Refusal* RefusalIn(const Pose&)
{
    return nullptr;
}
template <typename Pose> const Refusal* RefusalIn(const Refusable<Pose>& posed)
{
    return posed.ok() ? nullptr : &posed.error();
}
template <typename Pose> const Pose& PoseIn(const Pose& pose)
{
    return pose;
}
template <typename Pose> const Pose& PoseIn(const Refusable<Pose>& posed)
{
    return posed.value();
}

// Every this many steps the loop reports its progress and looks for a cancel request.
inline constexpr int kProgressEvery = 4096;

// False when the run has been asked to stop.
inline bool ReportProgress(RunProgress* progress, int stepsDone)
{
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

// A pose of run-time size (a linkage's) checks its own values and has its run store them.
template <typename Run, typename Pose>
concept SelfStoringPose = requires(Run& run, const Pose& pose, std::size_t row)
{
    bool(pose.allFinite());
    run.store(row, pose);
};

// The doubles a pose's values() ties, which must be all the pose holds.
template <typename Pose> constexpr std::size_t TiedSize()
{
    using Tied = decltype(std::declval<const Pose&>().values());
    return [&]<std::size_t... k>(std::index_sequence<k...>)
    {
        return (sizeof(std::remove_cvref_t<std::tuple_element_t<k, Tied>>) + ... + 0);
    }
    (std::make_index_sequence<std::tuple_size_v<Tied>>{});
}

template <typename Run> void SizeRun(Run& run, std::size_t rows)
{
    if constexpr (requires { run.resize(rows); })
        run.resize(rows);
    else
        ResizeSeries(run.series(), rows);
}

// Visits every series of the run, in the same order each time.
template <typename Run, typename Visit> void ForEachSeries(Run& run, Visit&& visit)
{
    if constexpr (requires { run.forEachSeries(visit); })
        run.forEachSeries(visit);
    else
        std::apply([&](auto&... s) { (s.forEach(visit), ...); }, run.series());
}

// The lowest and the highest value of each series of a streamed run, over every block.
class SeriesExtents {
public:
    template <typename Run> void take(Run& run, std::size_t rows)
    {
        std::size_t k = 0;
        ForEachSeries(run, [&](const Series& s) {
            if (k == extremes_.size())
                extremes_.emplace_back(s[0], s[0]);
            auto& [low, high] = extremes_[k++];
            for (std::size_t r = 0; r < rows; ++r) {
                low = std::min(low, s[r]);
                high = std::max(high, s[r]);
            }
        });
    }
    // Leaves the run holding two rows, each series' lowest and highest value.
    template <typename Run> void keepIn(Run& run) const
    {
        SizeRun(run, 2);
        std::size_t k = 0;
        ForEachSeries(run, [&](Series& s) {
            s[0] = extremes_[k].first;
            s[1] = extremes_[k++].second;
        });
    }

private:
    std::vector<std::pair<double, double>> extremes_;
};

// Stores the pose as row `row` of the run; false, storing nothing, when a value is not finite.
template <typename Run, typename Pose> bool StorePose(Run& run, std::size_t row, const Pose& pose)
{
    if constexpr (SelfStoringPose<Run, Pose>) {
        if (!pose.allFinite())
            return false;
        run.store(row, pose);
    } else {
        static_assert(TiedSize<Pose>() == sizeof(Pose),
                      "values() must tie every value of the pose");
        const auto values = pose.values();
        if (!std::apply([](const auto&... v) { return numeric::IsFinite(v...); }, values))
            return false;
        StoreSeries(run.series(), row, values);
    }
    return true;
}

}

// Computes steps first..last (0..N by default) of `loop` into `run`. `poseOf(const Step&)` returns the pose of the step,
// or a Refusable<Pose> where a step can be impossible; a refusal gets the step and its time
// T i / N filled in. `Pose::values()` ties every value of the pose (ValueTriple and
// PointKinematics; a pose that holds anything it does not tie fails to compile) for the
// finiteness check, and `run->series()` ties the series that keep them, in the same order; a
// pose of run-time size has `allFinite()` instead, and its run `resize(rows)` and
// `store(row, pose)`. A
// run that learns more from each pose than its series (a four-bar's transmission angles) has
// `observe(const Pose&)`, called for every step in order. `sample(i, N)` places each step on
// the profile. The loop sizes the series: every step computed, or, for a streamed run, one
// block that goes to the stream through `run->resultTable()` when full and whose rows are then
// used again; a streamed run ends holding two rows, each series' lowest and highest value, from
// which it fits its world window and its graphs' scales as from every step.
template <typename Run, typename PoseOf, typename Sample = WholeCycle> RunOrRefusal
RunSteps(const StepLoop& loop, std::unique_ptr<Run> run, PoseOf&& poseOf, Sample sample = {})
{
    const RunContext& context = loop.context;
    const int n = context.divisions, last = loop.lastStep();
    const std::size_t kept = StepCount(loop, run->resultTable().columns.size());
    detail::SizeRun(*run, kept);
    // step `first + row` is row `row` of the run
    std::size_t first = static_cast<std::size_t>(loop.first), row = 0;
    detail::SeriesExtents extents;
    for (int i = loop.first; i <= last; ++i) {
        if ((i - loop.first) % detail::kProgressEvery == 0
            && !detail::ReportProgress(loop.progress, i))
            [[unlikely]]
            return Refusal::OfCancel();
        const StepSample at = sample(i, n);
        auto posed = poseOf(Step{i, at.segment, EvaluateProfile(context.profile, at.tau)});
        if (const Refusal* refused = detail::RefusalIn(posed)) [[unlikely]]
            return detail::AtStep(*refused, i, context);
        const auto& pose = detail::PoseIn(posed);
        if (!detail::StorePose(*run, row, pose)) [[unlikely]]
            return detail::AtStep(Refusal::OfStep(kNotFiniteReason), i, context);
        if constexpr (requires { run->observe(pose); })
            run->observe(pose);
        if (++row == kept || i == last) {
            if (loop.stream) {
                loop.stream->take(first, row, run->resultTable());
                extents.take(*run, row);
            }
            if (loop.visit)
                (*loop.visit)(static_cast<int>(first), static_cast<int>(row), *run);
            first += row;
            row = 0;
        }
    }
    if (loop.stream)
        extents.keepIn(*run);
    return std::unique_ptr<MechanismRun>(std::move(run));
}

}
