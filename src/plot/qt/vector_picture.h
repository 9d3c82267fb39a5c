// A picture kept as vectors: lines, circles, texts and polylines in logical pixels, painted
// onto any QPainter (an SVG document, a PDF page) with the geometry of the raster picture of
// the same size. A polyline keeps only the points its pixel columns can show, so a 10^6-sample
// curve costs a few points per column.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QSize>
#include <QString>
#include <span>
#include <string_view>
#include <vector>

#include "plot/canvas.h"
#include "plot/qt/raster_picture.h"

class QPainter;

namespace plot {

class VectorPicture {
public:
    explicit VectorPicture(QSize logicalSize, double logicalDpi = 96.0);

    double widthMm() const;
    double heightMm() const;
    QSize logicalSize() const { return logicalSize_; }
    // The labels' measures, as the raster picture of the same resolution gives them.
    double textWidthMm(std::string_view utf8) const;
    double textHeightMm() const;

    void clear();
    void line(PointMm a, PointMm b, const Pen& pen);
    void circle(PointMm centre, double radiusMm, const Pen& pen);
    void text(PointMm topLeft, std::string_view utf8);
    void polyline(std::span<const PointMm> points, const Pen& pen);
    // The pixel column whose run polyline() thins a point at x with.
    double columnOf(double xMm, const Pen& pen) const;

    // Paints the white picture and everything on it, one painter unit per logical pixel, from
    // the painter's origin; clipped to the picture.
    void paint(QPainter& painter) const;
    // The picture as an SVG document of its logical size.
    QByteArray svg() const;

private:
    enum class Kind { Line, Circle, Text, Polyline };
    struct Item {
        Kind kind;
        Pen pen;
        std::vector<QPointF> points;   // Line: 2, Circle: centre, Text: top-left, Polyline: all
        double radius = 0;
        QString text;
    };
    QPointF toPixels(PointMm p) const { return {p.x * pixelsPerMm_, p.y * pixelsPerMm_}; }
    void addPolylinePiece(std::vector<QPointF>& piece, const Pen& pen);

    QSize logicalSize_;
    double pixelsPerMm_;
    std::vector<Item> items_;
};

}
