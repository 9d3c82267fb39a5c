// The canvas pen handed to the raster; PNG bytes of what was drawn.
#include "plot/qt/image_canvas.h"

#include <QBuffer>

namespace plot {

ImageCanvas::ImageCanvas(QSize logicalSize, double logicalDpi, double devicePixelRatio)
    : raster_(logicalSize, logicalDpi, devicePixelRatio)
{
}

void ImageCanvas::takePicture(const ImageCanvas& drawn)
{
    raster_ = drawn.raster_;
    if (vectors_ && drawn.vectors_)
        *vectors_ = *drawn.vectors_;
    else if (vectors_)
        vectors_->clear();   // what was kept no longer matches the image
    changed();
}

void ImageCanvas::setLogicalSize(QSize logicalSize)
{
    raster_ = RasterPicture(logicalSize, raster_.logicalDpi(), raster_.image().devicePixelRatio());
    if (vectors_)
        vectors_.emplace(raster_.logicalSize(), raster_.logicalDpi());
    changed();
}

QByteArray ImageCanvas::pngBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !raster_.image().save(&buffer, "PNG"))
        return {};
    return bytes;
}

void ImageCanvas::keepVectors()
{
    if (!vectors_)
        vectors_.emplace(raster_.logicalSize(), raster_.logicalDpi());
}

void ImageCanvas::doClear()
{
    if (vectors_)
        vectors_->clear();
    raster_.clear();
    changed();
}

void ImageCanvas::doLine(PointMm a, PointMm b, Rgb colour)
{
    if (vectors_)
        vectors_->line(a, b, pen(colour));
    raster_.line(a, b, pen(colour));
    changed();
}

void ImageCanvas::doCircle(PointMm centre, double radius, Rgb colour)
{
    if (vectors_)
        vectors_->circle(centre, radius, pen(colour));
    raster_.circle(centre, radius, pen(colour));
    changed();
}

void ImageCanvas::doText(PointMm topLeft, std::string_view utf8)
{
    if (vectors_)
        vectors_->text(topLeft, utf8);
    raster_.text(topLeft, utf8);
    changed();
}

std::array<double, 2> ImageCanvas::columnKey(double xMm, int penWidth) const
{
    const Pen pen{{}, penWidth, PenStyle::Solid};
    const double column = raster_.columnOf(xMm, pen);
    return {column, vectors_ ? vectors_->columnOf(xMm, pen) : column};
}

void ImageCanvas::doPolyline(std::span<const PointMm> points, Rgb colour)
{
    if (vectors_)
        vectors_->polyline(points, pen(colour));
    raster_.polyline(points, pen(colour));
    changed();
}

}
