// A canvas that draws into a raster image: encoded as PNG for the command line, and the backing
// store of the picture-box widget, which repaints itself whenever the image changes. It can
// keep the same drawing as vectors besides, for an SVG of what it shows.
#pragma once

#include <QByteArray>
#include <optional>

#include "plot/canvas.h"
#include "plot/qt/raster_picture.h"
#include "plot/qt/vector_picture.h"

namespace plot {

class ImageCanvas : public Canvas {
public:
    // logicalSize in logical pixels; millimetres at logicalDpi (96 unless told otherwise).
    explicit ImageCanvas(QSize logicalSize, double logicalDpi = 96.0,
                         double devicePixelRatio = 1.0);

    double widthMm() const override { return raster_.widthMm(); }
    double heightMm() const override { return raster_.heightMm(); }
    double textWidthMm(std::string_view utf8) const override { return raster_.textWidthMm(utf8); }
    double textHeightMm() const override { return raster_.textHeightMm(); }
    QSize logicalSize() const { return raster_.logicalSize(); }

    const QImage& image() const { return raster_.image(); }
    // Shows what was drawn on `drawn` (a canvas of the same size, drawn on another thread,
    // say) instead of this canvas's own drawing.
    void takePicture(const ImageCanvas& drawn);
    // A blank raster of a new logical size at the same resolution; what was drawn is gone.
    void setLogicalSize(QSize logicalSize);
    // The image encoded as PNG in memory (empty if encoding fails), for a safe file writer.
    QByteArray pngBytes() const;

    // From now on every drawing is kept as vectors too; called before anything is drawn.
    void keepVectors();
    // The vectors of what the image shows; nullptr unless kept.
    const VectorPicture* vectors() const { return vectors_ ? &*vectors_ : nullptr; }

    std::array<double, 2> columnKey(double xMm, int penWidth) const override;

protected:
    // Called after every change of the image.
    virtual void changed() {}

    void doClear() override;
    void doLine(PointMm a, PointMm b, Rgb colour) override;
    void doCircle(PointMm centre, double radius, Rgb colour) override;
    void doText(PointMm topLeft, std::string_view utf8) override;
    void doPolyline(std::span<const PointMm> points, Rgb colour) override;

private:
    Pen pen(Rgb colour) const { return {colour, penWidth(), penStyle()}; }

    RasterPicture raster_;
    std::optional<VectorPicture> vectors_;
};

}
