// The picture-box widget: a sunken 2-pixel frame around an inner raster of exactly the
// requested logical size. Drawing changes the raster and schedules a repaint; paintEvent only
// shows the raster.
#include "plot/qt/picture_box.h"

#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace plot {

namespace {
constexpr int kFrame = 2;   // sunken border, pixels
}

PictureBox::PictureBox(QSize logicalSize, QWidget* parent)
    : QWidget(parent), raster_(logicalSize, logicalDpiX(), devicePixelRatioF())
{
    setFixedSize(raster_.logicalSize() + QSize(2 * kFrame, 2 * kFrame));
    setContentsMargins(kFrame, kFrame, kFrame, kFrame);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double PictureBox::widthMm() const
{
    return raster_.widthMm();
}

double PictureBox::heightMm() const
{
    return raster_.heightMm();
}

const QImage& PictureBox::image() const
{
    return raster_.image();
}

void PictureBox::doClear()
{
    raster_.clear();
    update();
}

void PictureBox::doLine(PointMm a, PointMm b, Rgb colour)
{
    raster_.line(a, b, {colour, penWidth(), penStyle()});
    update();
}

void PictureBox::doCircle(PointMm centre, double radius, Rgb colour)
{
    raster_.circle(centre, radius, {colour, penWidth(), penStyle()});
    update();
}

void PictureBox::doText(PointMm topLeft, std::string_view utf8)
{
    raster_.text(topLeft, utf8);
    update();
}

void PictureBox::doPolyline(std::span<const PointMm> points, Rgb colour)
{
    raster_.polyline(points, {colour, penWidth(), penStyle()});
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, kFrame);
    // The raster carries its device pixel ratio, so it is drawn at its logical size.
    painter.drawImage(QPoint(kFrame, kFrame), raster_.image());
}

}
