// The picture-box widget: keeps what is drawn on it until cleared, measures in millimetres at
// the screen's logical resolution and paints crisply at the device pixel ratio.
#pragma once

#include <QWidget>
#include <optional>

#include "plot/qt/image_canvas.h"

namespace plot {

class PictureBox : public QWidget, public ImageCanvas {
    Q_OBJECT
public:
    // logicalSize: the fixed inner size in logical pixels.
    explicit PictureBox(QSize logicalSize, QWidget* parent = nullptr);

    // A thin vertical line at x millimetres, drawn over the kept image when the box is
    // painted: it moves without the picture being drawn again. nullopt removes it.
    void setCursorX(std::optional<double> xMm);
    std::optional<double> cursorX() const { return cursorX_; }
    // Gives the picture a new inner size, blank; the owner draws it again.
    void setInnerSize(QSize logicalSize);

protected:
    void changed() override { update(); }
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> cursorX_;
};

}
