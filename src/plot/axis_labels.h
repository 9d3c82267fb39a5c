// Scale labels that fit their place: one notation per axis, fewer digits where a label is too
// wide for its column, a compact exponent form where fewer digits are not enough, and a label
// that would be cut at the picture's edge moved inside.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "plot/canvas.h"

namespace plot {

// Where a label goes: its top-left corner and the x it must not reach (the next column or the
// picture's right edge). A label that would cross the picture's right edge may move left as
// far as `leftmost` (the end of its neighbour's label) and, with `afterPrevious`, no further
// than the end of the label before it on the same axis.
struct LabelSlot {
    double value = 0;
    PointMm topLeft;
    double right = 0;
    std::optional<double> leftmost;
    bool afterPrevious = false;
};

struct PlacedLabel {
    std::string text;
    PointMm topLeft;
};

// The labels of one axis in the order of their slots, placed inside the picture.
std::vector<PlacedLabel> FitAxisLabels(const Canvas& p, std::span<const LabelSlot> slots);

}
