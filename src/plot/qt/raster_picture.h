// A QImage drawn in millimetres: the shared raster behind the picture-box widget and the
// image-file canvas. Millimetres map to logical pixels at the given logical resolution; the
// image holds devicePixelRatio times as many pixels so lines stay crisp on dense screens.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <span>
#include <string_view>

#include "plot/canvas.h"

namespace plot {

struct Pen {
    Rgb colour;
    int widthPixels = 1;
    PenStyle style = PenStyle::Solid;
};

class RasterPicture {
public:
    RasterPicture(QSize logicalSize, double logicalDpi, double devicePixelRatio);

    double widthMm() const;
    double heightMm() const;
    QSize logicalSize() const { return logicalSize_; }
    double logicalDpi() const { return pixelsPerMm_ * 25.4; }
    const QImage& image() const { return image_; }

    void clear();                                      // white
    void line(PointMm a, PointMm b, const Pen& pen);   // clipped at the edges
    void circle(PointMm centre, double radiusMm, const Pen& pen);
    void text(PointMm topLeft, std::string_view utf8);   // 12-point proportional Gothic, black
    double textWidthMm(std::string_view utf8) const;
    double textHeightMm() const;
    // A curve through many samples: segments falling into one pixel column are merged into
    // that column's vertical span, so 10^6 samples cost about one line per column.
    void polyline(std::span<const PointMm> points, const Pen& pen);

private:
    QFont textFont() const;

    QImage image_;
    QSize logicalSize_;
    double pixelsPerMm_;
};

}
