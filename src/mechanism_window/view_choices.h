// The check boxes under a mechanism window's profile buttons: one per assembly branch the
// mechanism can take the other way, and "補助線" for the guide lines. Unticked they leave the
// run and its pictures exactly as without them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run/frame.h"
#include "run/mechanism.h"

class QCheckBox;
class QWidget;

namespace sim {

class ViewChoices {
public:
    // Where the boxes go: the captions from `captionLeft`, the boxes of side `boxSide` in one
    // column at `boxLeft` or, where a caption is wider, as far right as `right` allows (a caption
    // that is wider still wraps); the first row at `top`.
    struct Column {
        int captionLeft, boxLeft, boxSide, right, top;
    };

    // Builds the boxes on `form` one row under another; `drawingChanged` is called with the new
    // options when "補助線" is toggled.
    ViewChoices(QWidget* form, const Mechanism& mechanism, const Column& column,
                std::function<void(DrawingOptions)> drawingChanged);

    // The bottom edge of the last row.
    int bottom() const { return bottom_; }

    // Writes each branch input's text, "-1" when its box is ticked and "1" otherwise, into its
    // slot of `texts` (by input index), growing `texts` as needed.
    void writeBranchTexts(std::vector<std::string>& texts) const;

    DrawingOptions drawingOptions() const;

private:
    struct BranchBox {
        std::size_t slot;
        QCheckBox* box;
    };
    std::vector<BranchBox> branches_;
    QCheckBox* guides_ = nullptr;
    int bottom_ = 0;
};

}
