// A canvas that draws into an image file's raster (PNG), for the command line and for looking
// at pictures in tests.
#pragma once

#include <QString>

#include "plot/canvas.h"
#include "plot/qt/raster_picture.h"

namespace plot {

class ImageCanvas : public Canvas {
public:
    // logicalSize in logical pixels; millimetres at logicalDpi (96 unless told otherwise).
    explicit ImageCanvas(QSize logicalSize, double logicalDpi = 96.0,
                         double devicePixelRatio = 1.0);

    double widthMm() const override { return raster_.widthMm(); }
    double heightMm() const override { return raster_.heightMm(); }

    const QImage& image() const { return raster_.image(); }
    bool savePng(const QString& path) const;

protected:
    void doClear() override;
    void doLine(PointMm a, PointMm b, Rgb colour) override;
    void doCircle(PointMm centre, double radius, Rgb colour) override;
    void doText(PointMm topLeft, std::string_view utf8) override;
    void doPolyline(std::span<const PointMm> points, Rgb colour) override;

private:
    RasterPicture raster_;
};

}
