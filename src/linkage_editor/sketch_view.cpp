// Mouse positions of the picture in the millimetres its canvas draws in.
#include "linkage_editor/sketch_view.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "plot/picture_sizes.h"

namespace linkage_editor {

SketchView::SketchView(QSize logicalSize, QWidget* parent) : plot::PictureBox(logicalSize, parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

plot::PointMm SketchView::toMm(QPointF widgetPoint) const
{
    const double perPixel = widthMm() / logicalSize().width();
    return {(widgetPoint.x() - plot::kPictureBorder) * perPixel,
            (widgetPoint.y() - plot::kPictureBorder) * perPixel};
}

QPointF SketchView::toWidget(plot::PointMm at) const
{
    const double perMm = logicalSize().width() / widthMm();
    return {at.x * perMm + plot::kPictureBorder, at.y * perMm + plot::kPictureBorder};
}

void SketchView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(toMm(event->position()), event->button());
}

void SketchView::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(toMm(event->position()));
}

void SketchView::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(toMm(event->position()));
}

void SketchView::wheelEvent(QWheelEvent* event)
{
    emit wheeled(toMm(event->position()), event->angleDelta().y() / 120.0);
}

}
