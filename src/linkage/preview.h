// What the editor shows of a linkage while it is built or dragged: the pose at the current drive
// value, the traced points' whole-cycle paths at a coarse N, and the drive ranges in which the
// linkage cannot close, with the first failure's reason. Drawn through plot::Canvas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "linkage/model.h"
#include "messages/refusal.h"
#include "plot/canvas.h"
#include "plot/scaling.h"

namespace linkage {

// The cycle's samples of a preview: coarse, for a picture redrawn on every drag event.
inline constexpr int kPreviewDivisions = 360;

struct Preview {
    // Every point by its place in the layout; those after a joint that cannot close are absent.
    std::vector<std::optional<plot::WorldPoint>> pose;
    std::optional<sim::Refusal> poseRefusal;
    std::vector<double> samples;                          // drive values, start to end
    std::vector<char> closes;                             // per sample
    std::vector<std::vector<plot::WorldPoint>> paths;     // per traced point, per sample
    std::optional<sim::Refusal> firstFailure;             // the first sample that cannot close
    std::optional<double> firstFailureAt;                 // its drive value
};

// Solves the checked model at drive value `drive` (crank angle, rad; slider travel) and over
// its cycle at `divisions` steps, its drive moving evenly from start to end. A model without a
// drive has its ground points only.
Preview PreviewOf(const Model& m, const Layout& layout, double drive,
                  int divisions = kPreviewDivisions);

// How a sketch is marked: the grid step (0: none), the selected point, the points clicked so far
// by the tool in hand.
struct SketchMarks {
    double grid = 0;
    std::optional<std::size_t> selected;
    std::vector<plot::WorldPoint> clicked;
};

// The colour of the drive ranges that cannot close: no link's, no guide's.
inline constexpr plot::Rgb kCannotCloseColour{255, 128, 0};

// The grid, the guides, the paths, the links of the pose, the points (the selected one larger)
// and the crank circle with its ranges that cannot close.
void DrawSketch(plot::Canvas& p, const plot::WorldWindow& w, const Model& m, const Layout& layout,
                const Preview& preview, const SketchMarks& marks);

// A bar of the sketch between two points (places in the layout): the crank, a dyad's two
// links (joint first), a slider's rod, a link a point is fixed on. What "リンク上の点" picks.
std::vector<std::array<std::size_t, 2>> SketchBars(const Model& m, const Layout& layout);

}
