// The player: the back-and-forth animation, the transport, STOP and next, for any mechanism.
#include "run/frame.h"

#include <algorithm>
#include <cmath>

#include "numeric/number_text.h"
#include "plot/graphs.h"

namespace sim {

namespace {

// How many sizes and kinds of picture the frame keeps gathered pictures for: the window's and
// the report's, a picture saved, and one more while the window is resized.
constexpr std::size_t kKeptGatherings = 4;

template <typename Gathered> void KeepLatest(std::vector<Gathered>& kept, Gathered gathered)
{
    kept.push_back(std::move(gathered));
    if (kept.size() > kKeptGatherings)
        kept.erase(kept.begin());
}

std::vector<double> PairFits(const plot::Canvas& graph1, const plot::Canvas& graph2)
{
    std::vector<double> fits = CanvasFits(graph1);
    const std::vector<double> second = CanvasFits(graph2);
    fits.insert(fits.end(), second.begin(), second.end());
    return fits;
}

}

std::optional<GatheredPictures> GatherRunPictures(const RunSource& run, const PictureNeeds& needs,
                                                  RunProgress* progress)
{
    const MechanismRun& whole = *run.whole;
    const RunContext& context = run.context;
    GatheredPictures g;
    const auto extremes = whole.graphs();
    for (const GraphPair& pair : needs.graphs) {
        GraphPictures& gathered = g.graphs.emplace_back();
        gathered.fits = PairFits(*pair[0], *pair[1]);
        for (std::size_t k : {0, 1})
            gathered.curves.emplace_back(*pair[k], context.divisions,
                                         TraceFullScales(extremes[k]));
    }
    std::vector<TracedPathGathering> paths;
    if (needs.peaks)
        g.peaks.emplace();
    for (const plot::Canvas* view : needs.views) {
        ViewPictures& gathered =
            g.views.emplace_back(ViewPictures{ViewFits(*view, run.window), {}, {}});
        for (const GraphPage& page : whole.nextPages())
            gathered.pages.emplace_back(*view, context.divisions, TraceFullScales(page.triple));
        if (run.mechanism->traits.stopTracesPath)
            paths.emplace_back(*view, run.window);
    }
    RecomputedSteps(*run.mechanism, *run.values, context, whole, progress)(
        [&](int first, int rows, const MechanismRun& block) {
            if (!g.graphs.empty()) {
                const auto traces = block.graphs();
                for (GraphPictures& gathered : g.graphs)
                    for (std::size_t k : {0, 1})
                        TakeTrace(gathered.curves[k], first, rows, traces[k]);
            }
            if (!g.views.empty()) {
                const std::vector<GraphPage> pages = block.nextPages();
                for (ViewPictures& gathered : g.views)
                    for (std::size_t k = 0; k < gathered.pages.size(); ++k)
                        TakeTrace(gathered.pages[k], first, rows, pages[k].triple);
            }
            for (TracedPathGathering& path : paths)
                path.take(rows, block);
            if (g.peaks)
                TakePeaks(*g.peaks, rows, block);
        });
    if (progress && progress->cancelRequested.load())
        return std::nullopt;
    for (std::size_t v = 0; v < paths.size(); ++v)
        g.views[v].paths = paths[v].finish();
    return g;
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
    gathered_.clear();
    gatheredGraphs_.clear();
    if (computed.pictures)
        gathered_.push_back(std::move(*computed.pictures));
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
    // A picture that keeps every point apart (a recording) never matches what was gathered.
    PictureNeeds needs;
    const GraphPictures* kept = graphsGatheredFor(graph1, graph2);
    if (!kept)
        needs.graphs.push_back({&graph1, &graph2});
    if (view && !viewGatheredFor(*view))
        needs.views.push_back(view);
    gatherPictures(needs);
    const GraphPictures& gathered = kept ? *kept : gatheredGraphs_.back();
    gathered.curves[0].draw(graph1);
    gathered.curves[1].draw(graph2);
}

void SimulationFrame::gatherPictures(const PictureNeeds& needs) const
{
    if (run_ && !needs.empty())
        takePictures(*GatherRunPictures(source(), needs));
}

void SimulationFrame::takePictures(GatheredPictures gathered) const
{
    for (GraphPictures& graphs : gathered.graphs)
        KeepLatest(gatheredGraphs_, std::move(graphs));
    for (ViewPictures& view : gathered.views)
        KeepLatest(gathered_, std::move(view));
    if (gathered.peaks)
        peaks_ = gathered.peaks;
}

PictureNeeds SimulationFrame::missingFor(const plot::Canvas* graph1, const plot::Canvas* graph2,
                                         const plot::Canvas& view, ViewShows shows,
                                         const DrawingOptions& options) const
{
    PictureNeeds needs;
    if (!run_)
        return needs;
    if (graph1 && graph2 && !graphsGatheredFor(*graph1, *graph2))
        needs.graphs.push_back({graph1, graph2});
    if (shows != ViewShows::Poses && !viewGatheredFor(view))
        needs.views.push_back(&view);
    needs.peaks = !peaks_ && (options.velocities || options.accelerations);
    return needs;
}

void SimulationFrame::refit(const plot::Canvas& view)
{
    window_.scale = plot::DrawingScale(view.widthMm(), view.heightMm(), window_);
}

std::optional<ViewPictures> PlotRunGraphs(const RunSource& run, plot::Canvas& graph1,
                                          plot::Canvas& graph2, const plot::Canvas* view)
{
    PictureNeeds needs{{{&graph1, &graph2}}, {}};
    if (view)
        needs.views.push_back(view);
    std::optional<GatheredPictures> g = GatherRunPictures(run, needs);
    g->graphs[0].curves[0].draw(graph1);
    g->graphs[0].curves[1].draw(graph2);
    if (!view)
        return std::nullopt;
    return std::move(g->views[0]);
}

void SimulationFrame::plotPage(plot::Canvas& picture, std::size_t page) const
{
    if (run_)
        gatheredFor(picture).pages.at(page).draw(picture);
}

const ViewPictures* SimulationFrame::viewGatheredFor(const plot::Canvas& view) const
{
    const std::vector<double> fits = ViewFits(view, window_);
    for (auto kept = gathered_.rbegin(); kept != gathered_.rend(); ++kept)
        if (kept->fits == fits)
            return &*kept;
    return nullptr;
}

const GraphPictures* SimulationFrame::graphsGatheredFor(const plot::Canvas& graph1,
                                                        const plot::Canvas& graph2) const
{
    const std::vector<double> fits = PairFits(graph1, graph2);
    for (auto kept = gatheredGraphs_.rbegin(); kept != gatheredGraphs_.rend(); ++kept)
        if (kept->fits == fits)
            return &*kept;
    return nullptr;
}

const ViewPictures& SimulationFrame::gatheredFor(const plot::Canvas& view) const
{
    if (const ViewPictures* kept = viewGatheredFor(view))
        return *kept;
    gatherPictures({{}, {&view}});
    return gathered_.back();
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

void SimulationFrame::stopDrawnAside()
{
    if (!run_)
        return;
    playing_ = false;
    viewShows_ = ViewShows::Summary;
}

void SimulationFrame::drawSummary(plot::Canvas& view) const
{
    if (run_)
        DrawRunSummary(view, source(), gatheredFor(view).paths, options_);
}

bool DrawRunSummary(plot::Canvas& view, const RunSource& run,
                    const std::vector<std::vector<plot::PointMm>>& paths,
                    const DrawingOptions& options, RunProgress* progress)
{
    const Mechanism& mechanism = *run.mechanism;
    DrawSummary(
        view, *run.whole, paths,
        RecomputedSteps(mechanism, *run.values, run.context, *run.whole, progress),
        [&](int index) {
            RecomputeSteps(mechanism, *run.values, run.context, *run.whole, index, index)
                ->DrawMechanism(view, run.window, 0);
        },
        mechanism.traits, run.context.divisions, run.window, options);
    return !progress || !progress->cancelRequested.load();
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
    redrawView(view);
}

void SimulationFrame::redrawView(plot::Canvas& view)
{
    if (!run_)
        return;
    refit(view);
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
