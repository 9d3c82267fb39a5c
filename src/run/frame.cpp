// The simulation frame: RUN, the back-and-forth animation, the transport, STOP and next, for
// any mechanism.
#include "run/frame.h"

#include <algorithm>
#include <cmath>

#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/primitives.h"
#include "run/run_progress.h"

namespace sim {

namespace {

std::string BoxName(const InputBox& box, const Translator& translate)
{
    return box.caption.empty() ? "Text1(" + std::to_string(box.index) + ")"
                               : Translated(translate, box.caption);
}

const InputBox* FindBox(const Mechanism& mechanism, const std::string& key)
{
    for (const InputBox& box : mechanism.inputs)
        if (box.key == key)
            return &box;
    return nullptr;
}

// One time history of three series over steps 0..N.
void PlotTriple(plot::Canvas& picture, int divisions, const TripleView& triple)
{
    plot::PlotTimeHistory(picture, divisions, triple.value, triple.rate, triple.accel);
}

// Picture1 and Picture2: the run's two time histories over steps 0..N.
void PlotRunGraphs(const MechanismRun& run, int divisions, plot::Canvas& picture1,
                   plot::Canvas& picture2)
{
    const auto graphs = run.graphs();
    PlotTriple(picture1, divisions, graphs[0]);
    PlotTriple(picture2, divisions, graphs[1]);
}

}

std::string DescribeRefusal(const Mechanism& mechanism, const Refusal& refusal, BoxNames names,
                            const Translator& translate)
{
    auto say = [&translate](const std::string& text) { return Translated(translate, text); };
    const bool keys = names == BoxNames::Keys;
    switch (refusal.kind) {
    case Refusal::Kind::Settings:
    case Refusal::Kind::Cancelled:
        return refusal.phrase.Compose(translate);
    case Refusal::Kind::NotANumber:
    case Refusal::Kind::Input: {
        const std::string reason = refusal.phrase.Compose(translate);
        if (keys)
            return refusal.key + ": " + reason;
        const InputBox* box = FindBox(mechanism, refusal.key);
        const std::string name = box ? BoxName(*box, translate) : refusal.key;
        return refusal.kind == Refusal::Kind::NotANumber
                   ? FillPattern(say(MECHSIM_TR_NOOP("core", "「%1」に数値を入力してください。")),
                                 {name})
                   : FillPattern(say(MECHSIM_TR_NOOP("core", "「%1」: %2")), {name, reason});
    }
    case Refusal::Kind::Step:
        return FillPattern(say(MECHSIM_TR_NOOP("core", "ステップ %1（時刻 %2 秒）: %3")),
                           {std::to_string(refusal.step), numeric::FormatNumber(refusal.time),
                            refusal.phrase.Compose(translate)});
    case Refusal::Kind::File:
        break;
    }
    return DescribeFileRefusal(refusal, translate);
}

Refusable<InputValues> ReadRunInputs(const Mechanism& mechanism,
                                     const std::vector<std::string>& boxTexts,
                                     const RunContext& context)
{
    if (context.divisions < 1 || !(context.cycleTime > 0) || !std::isfinite(context.cycleTime))
        return Refusal::OfSettings(
            MECHSIM_TR_NOOP("core", "設定のサイクルタイムまたは時分割数が正しくありません。"));
    return ReadInputs(mechanism.inputs, boxTexts);
}

SimulationFrame::SimulationFrame(const Mechanism& mechanism) : mechanism_(mechanism) {}

Refusable<ComputedRun> SimulationFrame::ComputeRun(const Mechanism& mechanism,
                                                   const std::vector<std::string>& boxTexts,
                                                   const RunContext& context,
                                                   const std::filesystem::path& resultPath,
                                                   const plot::Canvas& view)
{
    Refusable<InputValues> inputs = ReadRunInputs(mechanism, boxTexts, context);
    if (Refusal* refused = std::get_if<Refusal>(&inputs))
        return std::move(*refused);

    auto computed = mechanism.ComputeMotion(std::get<InputValues>(inputs), context);
    if (Refusal* refused = std::get_if<Refusal>(&computed))
        return std::move(*refused);
    ComputedRun done{
        std::move(std::get<std::unique_ptr<MechanismRun>>(computed)), context, {}, boxTexts, {}};
    done.window = done.run->fitWorldWindow();
    done.window.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), done.window);

    // A cancel that comes after the last step still keeps the file; once writing has begun
    // the run goes through.
    if (RunProgress* progress = ProgressScope::current()) {
        if (progress->cancelRequested.load())
            return Refusal::OfCancel();
        progress->phase = RunProgress::Phase::Writing;
    }
    done.unwritten =
        WriteResultFile(resultPath, done.run->resultTable(), context.divisions, context.cycleTime);
    return done;
}

void SimulationFrame::PlotGraphs(const ComputedRun& computed, plot::Canvas& picture1,
                                 plot::Canvas& picture2)
{
    PlotRunGraphs(*computed.run, computed.context.divisions, picture1, picture2);
}

std::optional<Refusal> SimulationFrame::showRun(ComputedRun computed)
{
    run_ = std::move(computed.run);
    context_ = computed.context;
    window_ = computed.window;
    runTexts_ = std::move(computed.boxTexts);
    current_ = 0;
    direction_ = 1;
    playing_ = true;
    firstTick_ = true;
    viewShows_ = ViewShows::Poses;
    stepCredit_ = 0;
    return std::move(computed.unwritten);
}

std::optional<Refusal> SimulationFrame::runCycle(const std::vector<std::string>& boxTexts,
                                                 const RunContext& context,
                                                 const std::filesystem::path& resultPath,
                                                 plot::Canvas& picture1, plot::Canvas& picture2,
                                                 const plot::Canvas& view)
{
    Refusable<ComputedRun> computed = ComputeRun(mechanism_, boxTexts, context, resultPath, view);
    if (Refusal* refused = std::get_if<Refusal>(&computed))
        return std::move(*refused);
    PlotGraphs(std::get<ComputedRun>(computed), picture1, picture2);
    return showRun(std::move(std::get<ComputedRun>(computed)));
}

std::optional<int> SimulationFrame::tick(plot::Canvas& view)
{
    if (!run_ || !playing_)
        return std::nullopt;
    if (firstTick_) {
        firstTick_ = false;
    } else {
        stepCredit_ += kSpeeds[static_cast<std::size_t>(speed_)];
        const double steps = std::floor(stepCredit_);
        stepCredit_ -= steps;
        if (steps == 0 && viewShows_ == ViewShows::Poses)
            return current_;   // a slow speed keeps the pose on screen
        // The back-and-forth path 0..N..0 has period 2N; a phase below N goes up.
        const long long n = context_.divisions, period = 2 * n;
        const long long phase = direction_ > 0 ? current_ : (period - current_) % period;
        const long long moved = (phase + static_cast<long long>(steps)) % period;
        current_ = static_cast<int>(moved <= n ? moved : period - moved);
        direction_ = moved < n ? 1 : -1;
    }
    drawPose(view, current_);
    viewShows_ = ViewShows::Poses;
    return current_;
}

void SimulationFrame::drawPose(plot::Canvas& view, int index) const
{
    if (!run_)
        return;
    view.clear();
    if (options_.guides)
        run_->DrawGuides(view, window_);
    run_->DrawMechanism(view, window_, index);
}

void SimulationFrame::setPlaying(bool playing)
{
    playing_ = playing && run_ != nullptr;
    // Back from STOP or a page, the first tick puts the current pose on screen again.
    if (playing_ && viewShows_ != ViewShows::Poses)
        firstTick_ = true;
}

void SimulationFrame::setSpeed(int index)
{
    speed_ = std::clamp(index, 0, static_cast<int>(kSpeeds.size()) - 1);
    stepCredit_ = 0;
}

std::optional<int> SimulationFrame::goToStep(int step, plot::Canvas& view)
{
    if (!run_)
        return std::nullopt;
    current_ = std::clamp(step, 0, context_.divisions);
    firstTick_ = false;
    if (viewShows_ == ViewShows::Poses)
        drawPose(view, current_);
    return current_;
}

std::optional<double> SimulationFrame::cursorX(const plot::Canvas& graph) const
{
    if (!run_)
        return std::nullopt;
    return plot::TimeAxisX(graph, context_.divisions, current_);
}

std::optional<StepValues> SimulationFrame::currentValues() const
{
    if (!run_)
        return std::nullopt;
    const int n = context_.divisions;
    // The time as the result file computes it, so the two agree to the last digit.
    const double time = (context_.cycleTime * current_) / n;
    StepValues values;
    values.position = {MECHSIM_TR_NOOP("core", "ステップ %1 / %2　時刻 %3 秒"),
                       {Plain(std::to_string(current_)), Plain(std::to_string(n)),
                        Plain(numeric::FormatNumber(time))}};
    ResultTable table = run_->resultTable();
    values.names = std::move(table.header);
    values.values.push_back(numeric::FormatNumber(time));
    for (const std::span<const double> column : table.columns)
        values.values.push_back(numeric::FormatNumber(column[static_cast<std::size_t>(current_)]));
    return values;
}

std::vector<int> SimulationFrame::stopPoseIndices(StopPoses poses, int divisions)
{
    const double n = divisions;
    auto nearest = [](double k) { return static_cast<int>(std::nearbyint(k)); };   // halves to even
    switch (poses) {
    case StopPoses::QuarterPose:
        return {nearest(n / 4)};
    case StopPoses::EighthPose:
        return {nearest(n / 8)};
    case StopPoses::TwentiethsFromZero:
    case StopPoses::TwentiethsFromOne:
        break;
    }
    const double start = poses == StopPoses::TwentiethsFromOne ? 1 : 0;
    const double step = n / 20;
    std::vector<int> indices;
    // k = start + j * step rather than repeated addition, so the last pose is not lost to rounding.
    for (int j = 0;; ++j) {
        const double k = start + j * step;
        if (k > n * (1 + 1e-12))
            break;
        indices.push_back(std::min(divisions, nearest(k)));
    }
    return indices;
}

void SimulationFrame::stop(plot::Canvas& view)
{
    if (!run_)
        return;
    playing_ = false;
    viewShows_ = ViewShows::Summary;
    drawSummary(view);
}

void SimulationFrame::drawSummary(plot::Canvas& view) const
{
    if (!run_)
        return;
    view.clear();
    if (options_.guides)
        run_->DrawGuides(view, window_);
    for (int index : stopPoseIndices(mechanism_.traits.stopPoses, context_.divisions))
        run_->DrawMechanism(view, window_, index);

    const PointSeries* path = run_->tracedPath();
    if (mechanism_.traits.stopTracesPath && path) {
        // The traced path as one chain of WorldLine segments in colour 1.
        std::vector<plot::PointMm> points(path->x.size());
        for (std::size_t k = 0; k < points.size(); ++k)
            points[k] = plot::WorldToPicture(view, window_, path->position(k));
        view.polyline(points, 1);
    }
    plot::DrawWorldGrid(view, window_);
}

std::optional<std::string> SimulationFrame::next(plot::Canvas& view)
{
    if (!run_)
        return std::nullopt;
    if (mechanism_.traits.nextStopsTimer)
        playing_ = false;
    const std::vector<GraphPage> pages = run_->nextPages();
    ++graphPage_;
    if (graphPage_ > static_cast<int>(pages.size())) {
        graphPage_ = 0;
        return std::nullopt;
    }
    const GraphPage& page = pages[static_cast<std::size_t>(graphPage_ - 1)];
    PlotTriple(view, context_.divisions, page.triple);
    viewShows_ = ViewShows::Page;
    return page.caption;
}

void SimulationFrame::redraw(plot::Canvas& picture1, plot::Canvas& picture2, plot::Canvas& view)
{
    if (!run_)
        return;
    PlotRunGraphs(*run_, context_.divisions, picture1, picture2);
    window_.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), window_);
    switch (viewShows_) {
    case ViewShows::Poses:
        drawPose(view, current_);
        break;
    case ViewShows::Summary:
        drawSummary(view);   // not stop(): a resize must not pause a play just resumed
        break;
    case ViewShows::Page:
        PlotTriple(view, context_.divisions,
                   run_->nextPages()[static_cast<std::size_t>(graphPage_ - 1)].triple);
        break;
    }
}

}
