// Drawing a computed run: graphs, poses and STOP's summary.
#include "run/run_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "numeric/number_text.h"
#include "plot/column_thinning.h"
#include "plot/graphs.h"
#include "plot/primitives.h"

namespace sim {

namespace {

constexpr double kArrowShareOfWidth = 0.2;   // the longest arrow of a run, of the picture width
constexpr double kZeroShare = 1e-9;          // a vector this small against the peak has no arrow
constexpr double kHeadMm = 2.0;              // the arrow head's sides
constexpr double kHeadHalfAngle = 0.45;      // radians between the shaft and a head side
constexpr double kCornerMm = 2.0;            // the scale texts' distance from the corner
constexpr double kCrossMm = 1.5;             // the arms of an instant centre's cross

const char* const kVelocityScale = MECHSIM_TR_NOOP("core", "速度 1 目盛 = %1 /s");
const char* const kAccelerationScale = MECHSIM_TR_NOOP("core", "加速度 1 目盛 = %1 /s²");

// The 1-2-5 number nearest to `value` (> 0) on a logarithmic scale.
double Nearest125(double value)
{
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    const double mantissa = value / decade;
    const double rounded = mantissa < std::sqrt(2.0)    ? 1
                           : mantissa < std::sqrt(10.0) ? 2
                           : mantissa < std::sqrt(50.0) ? 5
                                                        : 10;
    return rounded * decade;
}

// An arrow from `from` by `mm` (picture millimetres, y down), with a head of two short sides.
void Arrow(plot::Canvas& p, plot::PointMm from, plot::PointMm mm, plot::Rgb colour)
{
    const double length = std::hypot(mm.x, mm.y);
    const plot::PointMm tip{from.x + mm.x, from.y + mm.y};
    p.line(from.x, from.y, tip.x, tip.y, colour);
    const double head = std::min(kHeadMm, 0.4 * length);
    const double back = std::atan2(-mm.y, -mm.x);
    for (const double side : {back - kHeadHalfAngle, back + kHeadHalfAngle})
        p.line(tip.x, tip.y, tip.x + head * std::cos(side), tip.y + head * std::sin(side), colour);
}

// One kind of arrow over the moving points, and its scale in the corner as a text over a bar
// one grid step long. `top` is where the text goes; it moves below the bar.
void DrawArrows(plot::Canvas& p, const plot::WorldWindow& window,
                const std::vector<numeric::PointKinematics>& points, bool velocity, double peak,
                const char* pattern, const Translator& translate, plot::Rgb colour, double& top)
{
    const std::optional<ArrowScale> scale = ChooseArrowScale(peak, p.widthMm(), window);
    if (!scale)
        return;
    p.setPenWidth(2);
    for (const numeric::PointKinematics& point : points) {
        const double x = velocity ? point.vx : point.ax, y = velocity ? point.vy : point.ay;
        if (!(std::hypot(x, y) > kZeroShare * peak))
            continue;
        Arrow(p, plot::WorldToPicture(p, window, {point.x, point.y}),
              {x * scale->mmPerUnit, -y * scale->mmPerUnit}, colour);
    }
    p.printAt({kCornerMm, top}, FillPattern(Translated(translate, pattern),
                                            {numeric::FormatNumber(scale->unitsPerStep)}));
    const double barY = top + p.textHeightMm() + 1.0;
    const double barRight = kCornerMm + scale->unitsPerStep * scale->mmPerUnit;
    p.line(kCornerMm, barY, barRight, barY, colour);
    for (const double end : {kCornerMm, barRight})
        p.line(end, barY - 1.0, end, barY + 1.0, colour);
    p.setPenWidth(1);
    top = barY + 2.0;
}

// The instant centre of every moving link that has one inside the picture: a cross, the link's
// name beside it and a dotted line to each joint of the link.
void DrawCentres(plot::Canvas& p, const plot::WorldWindow& window,
                 const std::vector<MovingLink>& links, const Translator& translate)
{
    for (const MovingLink& link : links) {
        const std::optional<plot::WorldPoint> centre = InstantCentre(link);
        if (!centre)
            continue;
        const plot::PointMm c = plot::WorldToPicture(p, window, *centre);
        if (!(c.x >= 0 && c.x <= p.widthMm() && c.y >= 0 && c.y <= p.heightMm()))
            continue;
        p.line(c.x - kCrossMm, c.y, c.x + kCrossMm, c.y, kCentreColour);
        p.line(c.x, c.y - kCrossMm, c.x, c.y + kCrossMm, kCentreColour);
        p.setPenStyle(plot::PenStyle::Dotted);
        for (const numeric::PointKinematics& joint : link.joints) {
            const plot::PointMm j = plot::WorldToPicture(p, window, {joint.x, joint.y});
            if (std::isfinite(j.x) && std::isfinite(j.y) && std::hypot(j.x - c.x, j.y - c.y) > 0)
                p.line(c.x, c.y, j.x, j.y, kCentreColour);
        }
        p.setPenStyle(plot::PenStyle::Solid);
        // The name right of the cross, or left of it where it would leave the picture.
        const std::string name = Translated(translate, link.label);
        const double width = p.textWidthMm(name);
        const double left =
            c.x + kCrossMm + width <= p.widthMm() ? c.x + kCrossMm : c.x - kCrossMm - width;
        p.printAt({left, c.y + kCrossMm * 0.5}, name);
    }
}

// The part of p + t u, t0 <= t <= t1, inside the window (Liang and Barsky's clipping).
std::optional<std::pair<plot::WorldPoint, plot::WorldPoint>>
ClipRange(plot::WorldPoint p, plot::WorldPoint u, double t0, double t1, const plot::WorldWindow& w)
{
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(u.x) || !std::isfinite(u.y))
        return std::nullopt;
    const double steps[4] = {-u.x, u.x, -u.y, u.y};
    const double room[4] = {p.x - w.xmin, w.xmax - p.x, p.y - w.ymin, w.ymax - p.y};
    for (int side = 0; side < 4; ++side) {
        if (steps[side] == 0) {
            if (room[side] < 0)
                return std::nullopt;
            continue;
        }
        const double t = room[side] / steps[side];
        if (steps[side] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (!(t0 <= t1) || !std::isfinite(t0) || !std::isfinite(t1))
        return std::nullopt;
    return std::pair{plot::WorldPoint{p.x + t0 * u.x, p.y + t0 * u.y},
                     plot::WorldPoint{p.x + t1 * u.x, p.y + t1 * u.y}};
}

// A dotted world segment in `colour`, when it is finite in the picture.
void DottedWorldLine(plot::Canvas& p, const plot::WorldWindow& window, plot::WorldPoint a,
                     plot::WorldPoint b, plot::Rgb colour)
{
    const plot::PointMm from = plot::WorldToPicture(p, window, a);
    const plot::PointMm to = plot::WorldToPicture(p, window, b);
    if (!std::isfinite(from.x) || !std::isfinite(from.y) || !std::isfinite(to.x)
        || !std::isfinite(to.y))
        return;
    p.setPenStyle(plot::PenStyle::Dotted);
    p.line(from.x, from.y, to.x, to.y, colour);
    p.setPenStyle(plot::PenStyle::Solid);
}

bool Inside(const plot::Canvas& p, plot::PointMm c)
{
    return c.x >= 0 && c.x <= p.widthMm() && c.y >= 0 && c.y <= p.heightMm();
}

constexpr double kInfinityArrowMm = 10.0;   // the arrow towards a centre at infinity

// Every pair's instant centre labelled Iij, over the pale lines I12-I23, I14-I34, I12-I14 and
// I23-I34 on which I13 and I24 lie (the chain's four links, the frame's among them).
void DrawRelativeCentres(plot::Canvas& p, const plot::WorldWindow& window,
                         const std::vector<RelativeCentre>& centres)
{
    auto find = [&](int i, int j) -> const RelativeCentre* {
        for (const RelativeCentre& c : centres)
            if (c.i == i && c.j == j)
                return &c;
        return nullptr;
    };
    const std::pair<int, int> lines[4][2] = {
        {{1, 2}, {2, 3}}, {{1, 4}, {3, 4}}, {{1, 2}, {1, 4}}, {{2, 3}, {3, 4}}};
    for (const auto& [first, second] : lines) {
        const RelativeCentre *a = find(first.first, first.second),
                             *b = find(second.first, second.second);
        if (!a || !b)
            continue;
        const std::optional<WorldRay> ray = LineThrough(*a, *b);
        if (!ray)
            continue;
        const double infinite = std::numeric_limits<double>::infinity();
        if (const auto clipped = ClipRange(ray->point, ray->direction, -infinite, infinite, window))
            DottedWorldLine(p, window, clipped->first, clipped->second, kCentreLineColour);
    }
    for (const RelativeCentre& centre : centres) {
        char label[32];
        std::snprintf(label, sizeof label, "I%d%d%s", centre.i, centre.j,
                      centre.atInfinity ? " ∞" : "");
        const std::string name = label;
        plot::PointMm c =
            plot::WorldToPicture(p, window, centre.atInfinity ? centre.anchor : centre.point);
        if (!std::isfinite(c.x) || !std::isfinite(c.y) || !Inside(p, c))
            continue;
        if (centre.atInfinity) {
            // Towards the centre, picture y down.
            Arrow(p, c, {centre.point.x * kInfinityArrowMm, -centre.point.y * kInfinityArrowMm},
                  kCentreColour);
            c = {c.x + centre.point.x * kInfinityArrowMm, c.y - centre.point.y * kInfinityArrowMm};
        } else {
            p.line(c.x - kCrossMm, c.y, c.x + kCrossMm, c.y, kCentreColour);
            p.line(c.x, c.y - kCrossMm, c.x, c.y + kCrossMm, kCentreColour);
        }
        const double width = p.textWidthMm(name);
        const double left =
            c.x + kCrossMm + width <= p.widthMm() ? c.x + kCrossMm : c.x - kCrossMm - width;
        p.printAt({left, c.y - kCrossMm - p.textHeightMm()}, name);
    }
}

}

std::optional<std::pair<plot::WorldPoint, plot::WorldPoint>>
ClipToWindow(plot::WorldPoint a, plot::WorldPoint b, const plot::WorldWindow& window)
{
    return ClipRange(a, {b.x - a.x, b.y - a.y}, 0, 1, window);
}

std::optional<std::size_t> CentrodeLink(const StepBlocks& steps)
{
    // fixed[l][j]: joint j of link l has stood where it stood at step 0 at every step so far.
    std::vector<MovingLink> first;
    std::vector<std::vector<bool>> fixed;
    steps([&](int start, int rows, const MechanismRun& block) {
        for (int r = 0; r < rows; ++r) {
            const std::vector<MovingLink> links = block.movingLinks(r);
            if (start == 0 && r == 0) {
                first = links;
                for (const MovingLink& link : links)
                    fixed.emplace_back(link.joints.size(), true);
                continue;
            }
            for (std::size_t l = 0; l < fixed.size(); ++l)
                for (std::size_t j = 0; j < fixed[l].size(); ++j)
                    fixed[l][j] = fixed[l][j] && l < links.size() && j < links[l].joints.size()
                                  && links[l].joints[j].x == first[l].joints[j].x
                                  && links[l].joints[j].y == first[l].joints[j].y;
        }
    });
    for (std::size_t l = 0; l < fixed.size(); ++l)
        if (std::find(fixed[l].begin(), fixed[l].end(), true) == fixed[l].end())
            return l;
    return std::nullopt;
}

std::optional<std::size_t> CentrodeLink(const MechanismRun& run, int divisions)
{
    return CentrodeLink(KeptSteps(run, divisions));
}

void TakePeaks(VectorPeaks& peaks, int rows, const MechanismRun& block)
{
    for (int r = 0; r < rows; ++r)
        for (const numeric::PointKinematics& point : block.movingPoints(r)) {
            peaks.velocity = std::max(peaks.velocity, std::hypot(point.vx, point.vy));
            peaks.acceleration = std::max(peaks.acceleration, std::hypot(point.ax, point.ay));
        }
}

VectorPeaks CyclePeaks(const StepBlocks& steps)
{
    VectorPeaks peaks;
    steps([&peaks](int, int rows, const MechanismRun& block) { TakePeaks(peaks, rows, block); });
    return peaks;
}

VectorPeaks CyclePeaks(const MechanismRun& run, int divisions)
{
    return CyclePeaks(KeptSteps(run, divisions));
}

std::optional<ArrowScale> ChooseArrowScale(double peak, double widthMm,
                                           const plot::WorldWindow& window)
{
    const double stepMm = window.xstep * window.scale;
    const double wanted = stepMm * peak / (kArrowShareOfWidth * widthMm);
    if (!(peak > 0) || !std::isfinite(wanted) || !(wanted > 0))
        return std::nullopt;
    const double units = Nearest125(wanted);
    const ArrowScale scale{stepMm / units, units};
    if (!std::isfinite(scale.mmPerUnit) || !(scale.mmPerUnit > 0) || !std::isfinite(units))
        return std::nullopt;
    return scale;
}

void PlotTriple(plot::Canvas& picture, int divisions, const TripleView& triple)
{
    plot::PlotTimeHistory(picture, divisions, triple.value, triple.rate, triple.accel);
}

void PlotRunGraphs(const MechanismRun& run, int divisions, plot::Canvas& graph1,
                   plot::Canvas& graph2)
{
    const auto graphs = run.graphs();
    PlotTriple(graph1, divisions, graphs[0]);
    PlotTriple(graph2, divisions, graphs[1]);
}

std::array<double, 3> TraceFullScales(const TripleView& extremes)
{
    return {plot::TraceFullScale(extremes.value), plot::TraceFullScale(extremes.rate),
            plot::TraceFullScale(extremes.accel)};
}

void TakeTrace(plot::TimeHistoryCurves& curves, int first, int rows, const TripleView& triple)
{
    const auto count = static_cast<std::size_t>(rows);
    curves.take(first, triple.value.first(count), triple.rate.first(count),
                triple.accel.first(count));
}

void DrawPose(plot::Canvas& view, const MechanismRun& run, const plot::WorldWindow& window,
              const DrawingOptions& options, int index, VectorPeaks peaks)
{
    DrawPose(view, run, run, window, options, index, peaks);
}

void DrawPose(plot::Canvas& view, const MechanismRun& whole, const MechanismRun& run,
              const plot::WorldWindow& window, const DrawingOptions& options, int index,
              VectorPeaks peaks)
{
    view.clear();
    if (options.guides)
        whole.DrawGuides(view, window);
    run.DrawMechanism(view, window, index);
    if (options.centres)
        DrawCentres(view, window, run.movingLinks(index), options.translate);
    if (options.centres && options.paused)
        DrawRelativeCentres(view, window, run.relativeCentres(index));
    if (!options.velocities && !options.accelerations)
        return;
    const std::vector<numeric::PointKinematics> points = run.movingPoints(index);
    double top = kCornerMm;
    if (options.velocities)
        DrawArrows(view, window, points, true, peaks.velocity, kVelocityScale, options.translate,
                   kVelocityColour, top);
    if (options.accelerations)
        DrawArrows(view, window, points, false, peaks.acceleration, kAccelerationScale,
                   options.translate, kAccelerationColour, top);
}

namespace {

// A chord of the centrode shorter than one pixel of a 96-dpi picture is drawn as part of the
// next: a long run draws, and a vector picture keeps, about as many chords as the curve has
// pixels rather than one per step.
constexpr double kShortestChordMm = 25.4 / 96;

// The fixed centrode of CentrodeLink: chords between the centres of the steps while the link
// turns one way, clipped to the window.
void DrawCentrode(plot::Canvas& view, const StepBlocks& steps, const plot::WorldWindow& window)
{
    const std::optional<std::size_t> link = CentrodeLink(steps);
    if (!link)
        return;
    plot::WorldPoint from{}, last{};   // the chord being drawn runs from `from` to `last`
    bool hasLast = false, pending = false;
    double lastOmega = 0;
    const auto drawPending = [&] {
        if (pending)
            if (const auto clipped = ClipToWindow(from, last, window))
                DottedWorldLine(view, window, clipped->first, clipped->second, kCentreColour);
        pending = false;
    };
    steps([&](int, int rows, const MechanismRun& block) {
        for (int r = 0; r < rows; ++r) {
            const std::vector<MovingLink> links = block.movingLinks(r);
            const std::optional<plot::WorldPoint> centre =
                *link < links.size() ? InstantCentre(links[*link]) : std::nullopt;
            const double omega = *link < links.size() ? links[*link].omega : 0;
            if (hasLast && centre && omega * lastOmega > 0) {
                last = *centre;
                pending = true;
                const plot::PointMm a = plot::WorldToPicture(view, window, from);
                const plot::PointMm b = plot::WorldToPicture(view, window, last);
                if (!(std::hypot(b.x - a.x, b.y - a.y) < kShortestChordMm)) {
                    drawPending();
                    from = last;
                }
            } else {
                drawPending();   // through infinity, or the link turning the other way
                from = centre.value_or(plot::WorldPoint{});
            }
            hasLast = centre.has_value();
            last = centre.value_or(plot::WorldPoint{});
            lastOmega = omega;
        }
    });
    drawPending();
}

}

std::vector<int> StopPoseIndices(StopPoses poses, int divisions)
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

std::vector<double> CanvasFits(const plot::Canvas& picture)
{
    std::vector<double> fits{picture.widthMm(), picture.heightMm()};
    for (const double x : {0.37, 12.3, picture.widthMm() / 2 + 0.11, picture.widthMm() - 0.7})
        for (const int pen : {1, 2}) {
            const std::array<double, 2> key = picture.columnKey(x, pen);
            fits.insert(fits.end(), key.begin(), key.end());
        }
    return fits;
}

std::vector<double> ViewFits(const plot::Canvas& view, const plot::WorldWindow& window)
{
    std::vector<double> fits = CanvasFits(view);
    fits.push_back(window.scale);
    return fits;
}

TracedPathGathering::TracedPathGathering(const plot::Canvas& view,
                                         const plot::WorldWindow& window)
    : view_(view), window_(window)
{
}

void TracedPathGathering::take(int rows, const MechanismRun& block)
{
    const std::vector<const PointSeries*> traced = block.tracedPaths();
    paths_.resize(traced.size());
    for (std::size_t p = 0; p < traced.size(); ++p)
        for (int r = 0; r < rows; ++r) {
            const plot::PointMm at = plot::WorldToPicture(
                view_, window_, traced[p]->position(static_cast<std::size_t>(r)));
            paths_[p].add(at, view_.columnKey(at.x, 1));
        }
}

std::vector<std::vector<plot::PointMm>> TracedPathGathering::finish()
{
    std::vector<std::vector<plot::PointMm>> paths;
    for (plot::ColumnThinning& path : paths_)
        paths.push_back(path.finish());
    return paths;
}

void DrawSummary(plot::Canvas& view, const MechanismRun& whole,
                 const std::vector<std::vector<plot::PointMm>>& paths, const StepBlocks& steps,
                 const std::function<void(int index)>& drawMechanism, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, const DrawingOptions& options)
{
    view.clear();
    if (options.guides)
        whole.DrawGuides(view, window);
    for (int index : StopPoseIndices(traits.stopPoses, divisions))
        drawMechanism(index);
    // Each traced path as one chain of WorldLine segments in colour 1.
    if (traits.stopTracesPath)
        for (const std::vector<plot::PointMm>& path : paths)
            view.polyline(path, 1);
    if (options.centres)
        DrawCentrode(view, steps, window);
    plot::DrawWorldGrid(view, window);
}

void DrawSummary(plot::Canvas& view, const MechanismRun& run, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, const DrawingOptions& options)
{
    TracedPathGathering paths(view, window);
    paths.take(divisions + 1, run);
    DrawSummary(
        view, run, paths.finish(), KeptSteps(run, divisions),
        [&](int index) { run.DrawMechanism(view, window, index); }, traits, divisions, window,
        options);
}

}
