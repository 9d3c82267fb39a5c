// The check boxes under a mechanism window's profile buttons: one per assembly branch the
// mechanism can take the other way, "補助線" for the guide lines and "速度ベクトル" and
// "加速度ベクトル" for the arrows at the moving points, "瞬間中心" for the moving links' instant
// centres. Unticked they leave the
// run and its pictures exactly as without them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run/inputs.h"
#include "run/mechanism.h"
#include "run/run_pictures.h"

class QCheckBox;
class QWidget;

namespace sim {

// The property of a window's input box and assembly check box that holds its input's key, so
// that a box is found by what it means rather than where it stands.
inline constexpr const char* kInputKeyProperty = "inputKey";

class ViewChoices {
public:
    // Where the boxes go: the captions from `captionLeft`, the boxes of side `boxSide` in one
    // column at `boxLeft` or, where a caption is wider, as far right as `right` allows (a caption
    // that is wider still wraps); the first row at `top`.
    struct Column {
        int captionLeft, boxLeft, boxSide, right, top;
    };

    // Builds the boxes on `form` one row under another; `drawingChanged` is called with the new
    // options when "補助線", an arrow box or "瞬間中心" is toggled.
    ViewChoices(QWidget* form, const Mechanism& mechanism, const Column& column,
                std::function<void(DrawingOptions)> drawingChanged);

    // The bottom edge of the last row.
    int bottom() const { return bottom_; }

    // Sets each assembly input of `inputs` to the branch its box chooses: the other one when
    // ticked, the usual one otherwise.
    void chooseBranches(InputEntries& inputs) const;
    // Ticks each assembly box whose key `inputs` sets to the other branch, unticks it for the
    // usual one; boxes of keys it leaves out stay as they are.
    void setBranches(const InputEntries& inputs);

    DrawingOptions drawingOptions() const;

private:
    struct BranchBox {
        std::string key;
        QCheckBox* box;
    };
    std::vector<BranchBox> branches_;
    QCheckBox* guides_ = nullptr;
    QCheckBox* velocities_ = nullptr;
    QCheckBox* accelerations_ = nullptr;
    QCheckBox* centres_ = nullptr;
    int bottom_ = 0;
};

}
