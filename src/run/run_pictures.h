// What a computed run looks like: its two time histories, the pose of one step, STOP's summary
// and a next page, drawn into any canvas through the world window.
#pragma once

#include <vector>

#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/mechanism.h"

namespace sim {

// How the mechanism view is drawn beyond the poses themselves.
struct DrawingOptions {
    bool guides = false;   // the mechanism's guide lines under its poses
};

// One time history of three series over steps 0..N.
void PlotTriple(plot::Canvas& picture, int divisions, const TripleView& triple);
// The run's two time histories, the first and the second graph.
void PlotRunGraphs(const MechanismRun& run, int divisions, plot::Canvas& graph1,
                   plot::Canvas& graph2);

// Clears `view` and draws the pose of step `index`, over the guides when they are wanted.
void DrawPose(plot::Canvas& view, const MechanismRun& run, const plot::WorldWindow& window,
              DrawingOptions options, int index);

// Pose indices STOP draws for `poses` and N, halves rounded to even.
std::vector<int> StopPoseIndices(StopPoses poses, int divisions);

// Clears `view` and draws STOP's summary: the chosen poses, the traced path and the grid.
void DrawSummary(plot::Canvas& view, const MechanismRun& run, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, DrawingOptions options);

}
