// Drawing a computed run: graphs, poses and STOP's summary.
#include "run/run_pictures.h"

#include <algorithm>
#include <cmath>

#include "plot/graphs.h"
#include "plot/primitives.h"

namespace sim {

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

void DrawPose(plot::Canvas& view, const MechanismRun& run, const plot::WorldWindow& window,
              DrawingOptions options, int index)
{
    view.clear();
    if (options.guides)
        run.DrawGuides(view, window);
    run.DrawMechanism(view, window, index);
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

void DrawSummary(plot::Canvas& view, const MechanismRun& run, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, DrawingOptions options)
{
    view.clear();
    if (options.guides)
        run.DrawGuides(view, window);
    for (int index : StopPoseIndices(traits.stopPoses, divisions))
        run.DrawMechanism(view, window, index);

    const PointSeries* path = run.tracedPath();
    if (traits.stopTracesPath && path) {
        // The traced path as one chain of WorldLine segments in colour 1.
        std::vector<plot::PointMm> points(path->x.size());
        for (std::size_t k = 0; k < points.size(); ++k)
            points[k] = plot::WorldToPicture(view, window, path->position(k));
        view.polyline(points, 1);
    }
    plot::DrawWorldGrid(view, window);
}

}
