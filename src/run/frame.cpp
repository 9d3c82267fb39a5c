// The player: the back-and-forth animation, the transport, STOP and next, for any mechanism.
#include "run/frame.h"

#include <algorithm>
#include <cmath>

#include "numeric/number_text.h"
#include "plot/graphs.h"

namespace sim {

namespace {

// One pass over the steps: the curves of `graphs` (none, or the first and the second graph's)
// and, with `view`, what STOP and next draw on it through `window`.
std::optional<ViewPictures> GatherRunPictures(const Mechanism& mechanism,
                                              const MechanismRun& whole,
                                              const InputValues& values,
                                              const RunContext& context,
                                              const plot::WorldWindow& window,
                                              const plot::Canvas* view,
                                              std::span<plot::TimeHistoryCurves> graphs)
{
    std::optional<ViewPictures> g;
    std::optional<TracedPathGathering> paths;
    if (view) {
        g.emplace(ViewPictures{ViewFits(*view, window), {}, {}});
        for (const GraphPage& page : whole.nextPages())
            g->pages.emplace_back(*view, context.divisions, TraceFullScales(page.triple));
        if (mechanism.traits.stopTracesPath)
            paths.emplace(*view, window);
    }
    RecomputedSteps(mechanism, values, context, whole)(
        [&](int first, int rows, const MechanismRun& block) {
            if (!graphs.empty()) {
                const auto traces = block.graphs();
                for (std::size_t k : {0, 1})
                    TakeTrace(graphs[k], first, rows, traces[k]);
            }
            if (g) {
                const std::vector<GraphPage> pages = block.nextPages();
                for (std::size_t k = 0; k < g->pages.size(); ++k)
                    TakeTrace(g->pages[k], first, rows, pages[k].triple);
            }
            if (paths)
                paths->take(rows, block);
        });
    if (g && paths)
        g->paths = paths->finish();
    return g;
}

}

SimulationFrame::SimulationFrame(const Mechanism& mechanism) : mechanism_(mechanism) {}

std::optional<Refusal> SimulationFrame::showRun(ComputedRun computed)
{
    run_ = std::move(computed.run);
    context_ = computed.context;
    window_ = computed.window;
    runInputs_ = std::move(computed.inputs);
    runValues_ = std::move(computed.values);
    peaks_.reset();
    stepRun_.reset();
    stepRunIndex_ = -1;
    gathered_.reset();
    if (computed.pictures)
        gathered_ = std::move(*computed.pictures);
    current_ = 0;
    direction_ = 1;
    playing_ = true;
    firstTick_ = true;
    viewShows_ = ViewShows::Poses;
    stepCredit_ = 0;
    return std::move(computed.unwritten);
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

void SimulationFrame::drawPose(plot::Canvas& view, int index, bool asPlaying) const
{
    if (!run_)
        return;
    if (!peaks_ && (options_.velocities || options_.accelerations))
        peaks_ = CyclePeaks(steps());
    DrawingOptions options = options_;
    options.paused = !playing_ && !asPlaying;
    DrawPose(view, *run_, stepRun(index), window_, options, 0, peaks_.value_or(VectorPeaks{}));
}

const MechanismRun& SimulationFrame::stepRun(int index) const
{
    if (stepRun_ && stepRunIndex_ == index)
        return *stepRun_;
    stepRun_ = RecomputeSteps(mechanism_, runValues_, context_, *run_, index, index);
    stepRunIndex_ = index;
    return *stepRun_;
}

StepBlocks SimulationFrame::steps() const
{
    if (!run_)
        return [](const StepBlockVisit&) {};
    return RecomputedSteps(mechanism_, runValues_, context_, *run_);
}

void SimulationFrame::plotGraphs(plot::Canvas& graph1, plot::Canvas& graph2,
                                 const plot::Canvas* view) const
{
    if (!run_)
        return;
    std::optional<ViewPictures> pictures =
        PlotRunGraphs(mechanism_, *run_, runValues_, context_, window_, graph1, graph2, view);
    if (pictures)
        gathered_ = std::move(pictures);
}
std::optional<ViewPictures> PlotRunGraphs(const Mechanism& mechanism, const MechanismRun& whole,
                                          const InputValues& values, const RunContext& context,
                                          const plot::WorldWindow& window, plot::Canvas& graph1,
                                          plot::Canvas& graph2, const plot::Canvas* view)
{
    const auto extremes = whole.graphs();
    plot::TimeHistoryCurves curves[] = {
        {graph1, context.divisions, TraceFullScales(extremes[0])},
        {graph2, context.divisions, TraceFullScales(extremes[1])}};
    std::optional<ViewPictures> pictures =
        GatherRunPictures(mechanism, whole, values, context, window, view, curves);
    curves[0].draw(graph1);
    curves[1].draw(graph2);
    return pictures;
}
void SimulationFrame::plotPage(plot::Canvas& picture, std::size_t page) const
{
    if (run_)
        gatheredFor(picture).pages.at(page).draw(picture);
}

const ViewPictures& SimulationFrame::gatheredFor(const plot::Canvas& view) const
{
    if (!gathered_ || gathered_->fits != ViewFits(view, window_))
        gathered_ = GatherRunPictures(mechanism_, *run_, runValues_, context_, window_, &view, {});
    return *gathered_;
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
    const MechanismRun& step = stepRun(current_);
    ResultTable table = step.resultTable();
    values.names = std::move(table.header);
    values.values.push_back(numeric::FormatNumber(time));
    for (const std::span<const double> column : table.columns)
        values.values.push_back(numeric::FormatNumber(column[0]));
    if (!options_.centres)
        return values;
    // Each moving link's rates and instant centre, a translating one's centre at infinity.
    const std::string atInfinity =
        Translated(options_.translate, MECHSIM_TR_NOOP("core", "無限遠"));
    for (const MovingLink& link : step.movingLinks(0)) {
        const std::optional<plot::WorldPoint> centre = InstantCentre(link);
        const std::pair<const char*, std::string> items[] = {
            {".omega", numeric::FormatNumber(link.omega)},
            {".alpha", numeric::FormatNumber(link.alpha)},
            {".icx", centre ? numeric::FormatNumber(centre->x) : atInfinity},
            {".icy", centre ? numeric::FormatNumber(centre->y) : atInfinity}};
        for (const auto& [suffix, value] : items) {
            values.names.push_back(link.name + suffix);
            values.values.push_back(value);
        }
    }
    return values;
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
    if (run_)
        DrawSummary(
            view, *run_, gatheredFor(view).paths, steps(),
            [&](int index) { stepRun(index).DrawMechanism(view, window_, 0); },
            mechanism_.traits, context_.divisions, window_, options_);
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
    plotPage(view, static_cast<std::size_t>(graphPage_ - 1));
    viewShows_ = ViewShows::Page;
    return pages[static_cast<std::size_t>(graphPage_ - 1)].caption;
}

void SimulationFrame::redraw(plot::Canvas& picture1, plot::Canvas& picture2, plot::Canvas& view)
{
    if (!run_)
        return;
    plotGraphs(picture1, picture2);
    window_.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), window_);
    switch (viewShows_) {
    case ViewShows::Poses:
        drawPose(view, current_);
        break;
    case ViewShows::Summary:
        drawSummary(view);   // not stop(): a resize must not pause a play just resumed
        break;
    case ViewShows::Page:
        plotPage(view, static_cast<std::size_t>(graphPage_ - 1));
        break;
    }
}

std::optional<Refusal> RunCycle(SimulationFrame& frame, const RunRequest& request,
                                const std::filesystem::path& resultPath, plot::Canvas& graph1,
                                plot::Canvas& graph2, const plot::Canvas& view)
{
    Refusable<ComputedRun> computed = ComputeRun(request, resultPath, view);
    if (!computed)
        return std::move(computed).error();
    std::optional<Refusal> unwritten = frame.showRun(std::move(computed).value());
    frame.plotGraphs(graph1, graph2, &view);
    return unwritten;
}

}
