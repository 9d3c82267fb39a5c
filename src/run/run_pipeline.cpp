// Reading, computing and writing a run.
#include "run/run_pipeline.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "files/result_stream.h"

namespace sim {

Refusable<InputValues> ReadRunInputs(const Mechanism& mechanism, const InputEntries& inputs,
                                     const RunContext& context)
{
    if (context.divisions < 1 || !(context.cycleTime > 0) || !std::isfinite(context.cycleTime))
        return Refusal::OfSettings(
            MECHSIM_TR_NOOP("core", "設定のサイクルタイムまたは時分割数が正しくありません。"));
    return ReadInputs(mechanism.inputs, inputs);
}

namespace {

// Whether the safe writer puts `path` in place from a temporary (a regular file, a link to one,
// or no file yet), so that a run given up leaves nothing behind.
bool WrittenThroughTemporary(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return path != "-"
           && (std::filesystem::is_regular_file(status)
               || status.type() == std::filesystem::file_type::not_found);
}

// Poses every step of the cycle, keeping one block of them at a time, so that a target that
// cannot take bytes back gets its first row only once no step can be refused; the run that
// comes back holds its last block only.
RunOrRefusal CheckEveryStep(const Mechanism& mechanism, const InputValues& values,
                            const RunContext& context, RunProgress* progress)
{
    static const StepBlockVisit kKeepNothing = [](int, int, const MechanismRun&) {};
    StepLoop loop{context, nullptr, progress};
    loop.visit = &kKeepNothing;
    return mechanism.ComputeMotion(values, loop);
}

// The rows of every step streamed into `sink`, `progress` (when given) told of them; the run
// that comes back keeps each series' extremes, as a streamed run does.
RunOrRefusal StreamSteps(const Mechanism& mechanism, const InputValues& values,
                         const RunContext& context, const ByteSink& sink, BlockPlan plan,
                         RunProgress* progress, bool& written)
{
    ResultStream stream(context.divisions, context.cycleTime, sink, plan);
    RunOrRefusal computed = mechanism.ComputeMotion(values, StepLoop{context, &stream, progress});
    written = computed && stream.finish();
    return computed;
}

// A computed run ready to be shown, its world window fitted to `view`'s size.
ComputedRun ShownRun(const RunRequest& request, InputValues values,
                     std::unique_ptr<MechanismRun> run, const plot::Canvas& view)
{
    ComputedRun computed{std::move(run),
                         request.context,
                         CompleteInputs(request.mechanism->inputs, request.inputs),
                         std::move(values),
                         {},
                         {},
                         {}};
    computed.window = computed.run->fitWorldWindow();
    computed.window.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), computed.window);
    return computed;
}

Refusable<ComputedRun> ComputeWholeRun(const RunRequest& request,
                                       const std::filesystem::path& resultPath,
                                       const plot::Canvas& view, RunProgress* progress)
{
    const Mechanism& mechanism = *request.mechanism;
    Refusable<InputValues> values = ReadRunInputs(mechanism, request.inputs, request.context);
    if (!values)
        return std::move(values).error();

    // The steps stream to the file as they are computed; the run keeps no series, only each
    // series' extremes, and its steps are computed again when a picture needs them. A file
    // that cannot be written still leaves the run to be shown.
    RunProgress* streamed = progress;
    if (!WrittenThroughTemporary(resultPath)) {
        // A pipe or a device cannot take back rows written before a refused step: every step
        // is posed first, then computed again as its rows stream out.
        RunOrRefusal checked =
            CheckEveryStep(mechanism, values.value(), request.context, progress);
        if (!checked)
            return std::move(checked).error();
        // A cancel that comes after the last step still keeps the file; once writing has begun
        // the run goes through.
        if (progress) {
            if (progress->cancelRequested.load())
                return Refusal::OfCancel();
            progress->phase = RunProgress::Phase::Writing;
        }
        streamed = nullptr;
    }
    std::optional<Refusal> stepRefused;
    std::unique_ptr<MechanismRun> run;
    std::optional<Refusal> unwritten = WriteFileFrom(resultPath, [&](const ByteSink& sink) {
        bool written = false;
        RunOrRefusal computed =
            StreamSteps(mechanism, values.value(), request.context, sink, {}, streamed, written);
        if (!computed) {
            stepRefused = std::move(computed).error();
            return false;
        }
        run = std::move(computed).value();
        return written;
    });
    if (stepRefused)
        return *std::move(stepRefused);
    ComputedRun shown = ShownRun(request, std::move(values).value(), std::move(run), view);
    shown.unwritten = std::move(unwritten);
    return shown;
}

Refusable<ComputedRun> ComputeIntoSink(const RunRequest& request, const ByteSink& sink,
                                       const plot::Canvas& view, BlockPlan plan)
{
    Refusable<InputValues> values =
        ReadRunInputs(*request.mechanism, request.inputs, request.context);
    if (!values)
        return std::move(values).error();
    bool written = false;
    RunOrRefusal computed = StreamSteps(*request.mechanism, values.value(), request.context, sink,
                                        plan, nullptr, written);
    if (!computed)
        return std::move(computed).error();
    if (!written)
        return Refusal::OfMemory();
    return ShownRun(request, std::move(values).value(), std::move(computed).value(), view);
}

std::optional<Refusal> StreamWholeRun(const RunRequest& request, const std::filesystem::path& path,
                                      BlockPlan plan, std::vector<std::string>* findings,
                                      const Translator& translate)
{
    const Mechanism& mechanism = *request.mechanism;
    const RunContext& context = request.context;
    Refusable<InputValues> values = ReadRunInputs(mechanism, request.inputs, context);
    if (!values)
        return std::move(values).error();

    // A pipe, a device or standard output cannot take back rows written before a refused
    // step: every step is posed first, then computed again as its rows stream out.
    if (!WrittenThroughTemporary(path))
        if (RunOrRefusal checked = CheckEveryStep(mechanism, values.value(), context, nullptr);
            !checked)
            return std::move(checked).error();

    std::optional<Refusal> stepRefused;
    std::optional<Refusal> unwritten = WriteFileFrom(path, [&](const ByteSink& sink) {
        bool written = false;
        RunOrRefusal computed =
            StreamSteps(mechanism, values.value(), context, sink, plan, nullptr, written);
        if (!computed) {
            stepRefused = std::move(computed).error();
            return false;
        }
        if (findings)
            *findings = computed.value()->findings(translate);
        return written;
    });
    return stepRefused ? stepRefused : unwritten;
}

}

std::unique_ptr<MechanismRun> RecomputeSteps(const Mechanism& mechanism, const InputValues& values,
                                             const RunContext& context, const MechanismRun& whole,
                                             int first, int last)
{
    return mechanism.ComputeMotion(values, StepLoop{context, nullptr, nullptr, first, last, &whole})
        .value();
}

StepBlocks RecomputedSteps(const Mechanism& mechanism, const InputValues& values,
                           const RunContext& context, const MechanismRun& whole,
                           RunProgress* progress)
{
    return [&mechanism, &values, context, &whole, progress](const StepBlockVisit& take) {
        StepLoop loop{context};
        loop.whole = &whole;
        loop.visit = &take;
        loop.progress = progress;
        // Every step was posed before: only a request to stop ends the pass early, and any
        // other refusal is a fault that throws.
        const RunOrRefusal again = mechanism.ComputeMotion(values, loop);
        if (!progress || !progress->cancelRequested.load())
            static_cast<void>(again.value());
    };
}

// A run too large for the memory the system gives is refused like any other run: the safe
// writer's temporary goes with the unwound writer, so no file is left.
Refusable<ComputedRun> ComputeRun(const RunRequest& request,
                                  const std::filesystem::path& resultPath, const plot::Canvas& view,
                                  RunProgress* progress)
{
    try {
        return ComputeWholeRun(request, resultPath, view, progress);
    } catch (const std::bad_alloc&) {
        return Refusal::OfMemory();
    }
}

Refusable<ComputedRun> ComputeRun(const RunRequest& request, const ByteSink& sink,
                                  const plot::Canvas& view, BlockPlan plan)
{
    try {
        return ComputeIntoSink(request, sink, view, plan);
    } catch (const std::bad_alloc&) {
        return Refusal::OfMemory();
    }
}

std::optional<Refusal> StreamRun(const RunRequest& request, const std::filesystem::path& path,
                                 BlockPlan plan, std::vector<std::string>* findings,
                                 const Translator& translate)
{
    try {
        return StreamWholeRun(request, path, plan, findings, translate);
    } catch (const std::bad_alloc&) {
        return Refusal::OfMemory();
    }
}

}
