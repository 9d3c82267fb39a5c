// A QImage drawn in millimetres: the shared raster behind the picture-box widget and the
// image-file canvas. Millimetres map to logical pixels at the given logical resolution; the
// image holds devicePixelRatio times as many pixels so lines stay crisp on dense screens.
// One painter stays open on the image between drawings (opening one costs more than drawing a
// short line); it is closed whenever the image is shown, copied or cleared.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QSize>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "plot/canvas.h"

class QPainter;

namespace plot {

struct Pen {
    Rgb colour;
    int widthPixels = 1;
    PenStyle style = PenStyle::Solid;
};

class RasterPicture {
public:
    RasterPicture(QSize logicalSize, double logicalDpi, double devicePixelRatio);
    RasterPicture(const RasterPicture& other);
    RasterPicture& operator=(const RasterPicture& other);
    ~RasterPicture();

    double widthMm() const;
    double heightMm() const;
    QSize logicalSize() const { return logicalSize_; }
    double logicalDpi() const { return pixelsPerMm_ * 25.4; }
    const QImage& image() const;   // everything drawn so far

    void clear();                                      // white
    void line(PointMm a, PointMm b, const Pen& pen);   // clipped at the edges
    void circle(PointMm centre, double radiusMm, const Pen& pen);
    void text(PointMm topLeft, std::string_view utf8);   // 12-point proportional Gothic, black
    double textWidthMm(std::string_view utf8) const;
    double textHeightMm() const;
    // A curve through many samples: segments falling into one pixel column are merged into
    // that column's vertical span, so 10^6 samples cost about one line per column.
    void polyline(std::span<const PointMm> points, const Pen& pen);
    // The device pixel column whose run polyline() merges a point at x into.
    double columnOf(double xMm, const Pen& pen) const;

private:
    // The open painter, set up for aliased lines without fill.
    QPainter& painter();
    void closePainter() const;

    QImage image_;
    QSize logicalSize_;
    double pixelsPerMm_;
    QFont font_;
    double ascentPx_ = 0;   // logical pixels from a text's top to its baseline
    double heightPx_ = 0;
    struct Shaped {
        QList<QGlyphRun> runs;
        double width = 0;   // logical pixels
    };
    // A text shaped once: the same labels come back every animation tick.
    const Shaped& shaped(std::string_view utf8) const;
    mutable std::unordered_map<std::string, Shaped> shapedTexts_;
    mutable std::unique_ptr<QPainter> painter_;   // after image_: closed before it goes
};

}
