// The editor's large picture: a picture box that hands its mouse presses, moves, releases and
// wheel turns on in picture millimetres, for the editor to turn into world points.
#pragma once

#include "plot/canvas.h"
#include "plot/qt/picture_box.h"

namespace linkage_editor {

class SketchView : public plot::PictureBox {
    Q_OBJECT
public:
    explicit SketchView(QSize logicalSize, QWidget* parent = nullptr);

    // Picture millimetres under a point of the widget (its border included).
    plot::PointMm toMm(QPointF widgetPoint) const;
    // The widget point showing picture millimetres `at`.
    QPointF toWidget(plot::PointMm at) const;

signals:
    void pressed(plot::PointMm at, Qt::MouseButton button);
    void moved(plot::PointMm at);
    void released(plot::PointMm at);
    // Steps of the wheel, positive away from the user.
    void wheeled(plot::PointMm at, double steps);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}
