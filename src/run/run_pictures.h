// What a computed run looks like: its two time histories, the pose of one step, STOP's summary
// and a next page, drawn into any canvas through the world window.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "messages/translatable.h"
#include "plot/canvas.h"
#include "plot/column_thinning.h"
#include "plot/graphs.h"
#include "plot/scaling.h"
#include "run/mechanism.h"

namespace sim {

// How the mechanism view is drawn beyond the poses themselves.
struct DrawingOptions {
    bool guides = false;          // the mechanism's guide lines under its poses
    bool velocities = false;      // an arrow of velocity at every moving point of the pose
    bool accelerations = false;   // an arrow of acceleration at every moving point of the pose
    bool centres = false;         // each moving link's instant centre, with lines to its joints
    bool paused = false;          // the player stands still: with the centres, those of every
                                  // pair of links and the lines through three of them
    Translator translate = {};    // turns the arrows' scale texts into the interface language
};

// The check boxes that choose the drawing options, in every front's words: caption and tooltip.
struct DrawingChoice {
    const char* caption;
    const char* description;
};
inline constexpr DrawingChoice kGuidesChoice{
    MECHSIM_TR_NOOP("core", "補助線"),
    MECHSIM_TR_NOOP("core", "届く範囲やガイド、クランクの円などの補助線を機構の下に描きます")};
inline constexpr DrawingChoice kVelocityChoice{
    MECHSIM_TR_NOOP("core", "速度ベクトル"),
    MECHSIM_TR_NOOP("core", "動く関節と軌跡を描く点の速度を緑青の矢印で描きます（縮尺は図の左上）")};
inline constexpr DrawingChoice kAccelerationChoice{
    MECHSIM_TR_NOOP("core", "加速度ベクトル"),
    MECHSIM_TR_NOOP("core",
                    "動く関節と軌跡を描く点の加速度を赤茶の矢印で描きます（縮尺は図の左上）")};
inline constexpr DrawingChoice kCentresChoice{
    MECHSIM_TR_NOOP("core", "瞬間中心"),
    MECHSIM_TR_NOOP("core", "動く各リンクの瞬間中心を桃色の×印とリンク名で描き、そこからリンクの"
                            "関節へ点線を引きます（点線は関節の速度に垂直。並進するリンクは無限遠で"
                            "描きません）")};

// The arrows' colours, apart from every link colour of the palette: green-blue for velocity,
// red-brown for acceleration.
inline constexpr plot::Rgb kVelocityColour{0, 190, 160};
inline constexpr plot::Rgb kAccelerationColour{170, 70, 20};
// The instant centres' colour, apart from the links and the arrows: deep pink.
inline constexpr plot::Rgb kCentreColour{215, 30, 135};
// The lines through three instant centres, paler than the centres.
inline constexpr plot::Rgb kCentreLineColour{240, 170, 210};

// The largest speed and the largest magnitude of acceleration of any moving point over the
// steps 0..N of a run: they fix the arrows' scales for the whole run.
struct VectorPeaks {
    double velocity = 0, acceleration = 0;
};
VectorPeaks CyclePeaks(const MechanismRun& run, int divisions);
VectorPeaks CyclePeaks(const StepBlocks& steps);
// Widens `peaks` to the moving points of rows 0 .. rows - 1 of `block`.
void TakePeaks(VectorPeaks& peaks, int rows, const MechanismRun& block);

// The length of an arrow: `mmPerUnit` picture millimetres per unit of the vector, so that one
// grid step of the world window (xstep) stands for `unitsPerStep` units, a 1-2-5 number.
struct ArrowScale {
    double mmPerUnit = 0;
    double unitsPerStep = 0;
};
// The scale under which a vector of magnitude `peak` is about a fifth of `widthMm`; nothing
// when the peak is zero or no finite scale exists.
std::optional<ArrowScale> ChooseArrowScale(double peak, double widthMm,
                                           const plot::WorldWindow& window);

// One time history of three series over steps 0..N.
void PlotTriple(plot::Canvas& picture, int divisions, const TripleView& triple);
// The run's two time histories, the first and the second graph.
void PlotRunGraphs(const MechanismRun& run, int divisions, plot::Canvas& graph1,
                   plot::Canvas& graph2);
// The full scales of a graph's three traces from the run of the whole cycle (every step, or
// each series' lowest and highest).
std::array<double, 3> TraceFullScales(const TripleView& extremes);
// Hands rows 0 .. rows - 1 of `triple`, steps first.., to `curves`.
void TakeTrace(plot::TimeHistoryCurves& curves, int first, int rows, const TripleView& triple);

// Clears `view` and draws the pose of step `index`, over the guides when they are wanted and
// under the arrows of its moving points when they are, scaled by the run's `peaks`, with the
// scale of each kind in the top-left corner. When the centres are wanted, each moving link whose
// instant centre is finite and inside the picture gets a cross there labelled with its name and
// dotted lines from it to the link's joints, which are square to the joints' velocities. Paused,
// the centres of every pair of links follow, each labelled Iij (a short arrow from a centre on a
// line with it where it is at infinity), over the pale dotted lines through the joints' centres
// on which the other two lie, clipped to the window.
void DrawPose(plot::Canvas& view, const MechanismRun& run, const plot::WorldWindow& window,
              const DrawingOptions& options, int index, VectorPeaks peaks = {});
// The same, the guides from `whole`, the run of the whole cycle, and the pose from row `index`
// of `run`, which may hold that step alone.
void DrawPose(plot::Canvas& view, const MechanismRun& whole, const MechanismRun& run,
              const plot::WorldWindow& window, const DrawingOptions& options, int index,
              VectorPeaks peaks = {});

// Pose indices STOP draws for `poses` and N, halves rounded to even.
std::vector<int> StopPoseIndices(StopPoses poses, int divisions);

// The part of the segment a-b inside the window; nothing when none of it is, or it is not finite.
std::optional<std::pair<plot::WorldPoint, plot::WorldPoint>>
ClipToWindow(plot::WorldPoint a, plot::WorldPoint b, const plot::WorldWindow& window);

// The index among the run's moving links of the first whose joints do not include one fixed at
// every step 0..N, the link whose centre relative to the frame makes its fixed centrode.
std::optional<std::size_t> CentrodeLink(const MechanismRun& run, int divisions);
std::optional<std::size_t> CentrodeLink(const StepBlocks& steps);

// Clears `view` and draws STOP's summary: the chosen poses, the traced path and the grid. With
// the centres, the fixed centrode of CentrodeLink, dotted: a chord between the centres of each
// two neighbouring steps at which the link turns the same way, clipped to the window, and
// broken where its centre passes through infinity.
void DrawSummary(plot::Canvas& view, const MechanismRun& run, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, const DrawingOptions& options);
// What STOP and next draw on a view from every step, gathered in one pass for a view of one
// size and columns and one world window: each next page's curves and the traced paths.
struct ViewPictures {
    std::vector<double> fits;   // ViewFits of the view and window gathered for
    std::vector<plot::TimeHistoryCurves> pages;
    std::vector<std::vector<plot::PointMm>> paths;
};
// The view's size, its columns and the window's scale: what gathered pictures must fit.
std::vector<double> ViewFits(const plot::Canvas& view, const plot::WorldWindow& window);
// A picture's size and its columns: what a gathered graph must fit.
std::vector<double> CanvasFits(const plot::Canvas& picture);

// The two time histories of a run, gathered for graph pictures of one size and columns each.
struct GraphPictures {
    std::vector<double> fits;                      // CanvasFits of the first, then the second
    std::vector<plot::TimeHistoryCurves> curves;   // the first graph's, then the second's
};

// The traced paths of a run as STOP draws them on `view` through `window`, gathered block by
// block and thinned to the view's columns as they come: one polyline each, in the order drawn.
class TracedPathGathering {
public:
    TracedPathGathering(const plot::Canvas& view, const plot::WorldWindow& window);
    void take(int rows, const MechanismRun& block);
    std::vector<std::vector<plot::PointMm>> finish();

private:
    const plot::Canvas& view_;
    plot::WorldWindow window_;
    std::vector<plot::ColumnThinning> paths_;
};

// The same for a run not kept whole: the guides from `whole`, the traced paths as gathered,
// the centrode from `steps`, each pose drawn by `drawMechanism`.
void DrawSummary(plot::Canvas& view, const MechanismRun& whole,
                 const std::vector<std::vector<plot::PointMm>>& paths, const StepBlocks& steps,
                 const std::function<void(int index)>& drawMechanism, const FrameTraits& traits,
                 int divisions, const plot::WorldWindow& window, const DrawingOptions& options);

}
