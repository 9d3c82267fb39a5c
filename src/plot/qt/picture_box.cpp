// The picture-box widget: a sunken 2-pixel frame around an inner raster of exactly the
// requested logical size. Drawing changes the raster and schedules a repaint; paintEvent only
// shows the raster.
#include "plot/qt/picture_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <qdrawutil.h>

namespace plot {

namespace {
constexpr int kFrame = 2;   // sunken border, pixels
// The time cursor: a colour none of the traces uses.
const QColor kCursorColour(255, 0, 255);
}

// QWidget is built first, so the screen's logical dpi and pixel ratio are known for the raster.
PictureBox::PictureBox(QSize logicalSize, QWidget* parent)
    : QWidget(parent), ImageCanvas(logicalSize, logicalDpiX(), devicePixelRatioF())
{
    setFixedSize(ImageCanvas::logicalSize() + QSize(2 * kFrame, 2 * kFrame));
    setContentsMargins(kFrame, kFrame, kFrame, kFrame);
    setAttribute(Qt::WA_OpaquePaintEvent);
    keepVectors();   // what it shows can be saved as SVG
}

void PictureBox::setInnerSize(QSize logicalSize)
{
    setLogicalSize(logicalSize);
    setFixedSize(ImageCanvas::logicalSize() + QSize(2 * kFrame, 2 * kFrame));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, kFrame);
    // The raster carries its device pixel ratio, so it is drawn at its logical size.
    painter.drawImage(QPoint(kFrame, kFrame), image());
    if (cursorX_) {
        const double x = kFrame + *cursorX_ * logicalSize().width() / widthMm();
        painter.setPen(QPen(kCursorColour, 1));
        painter.drawLine(QPointF(x, kFrame), QPointF(x, kFrame + logicalSize().height()));
    }
}

void PictureBox::setCursorX(std::optional<double> xMm)
{
    if (xMm == cursorX_)
        return;
    cursorX_ = xMm;
    update();
}

}
