// A canvas kept as vectors: what the command line writes as SVG and what the report paints
// onto its PDF pages. Same millimetres, same pixels as the image canvas of the same size.
#pragma once

#include "plot/canvas.h"
#include "plot/qt/vector_picture.h"

namespace plot {

class VectorCanvas : public Canvas {
public:
    explicit VectorCanvas(QSize logicalSize, double logicalDpi = 96.0)
        : picture_(logicalSize, logicalDpi)
    {
    }

    double widthMm() const override { return picture_.widthMm(); }
    double heightMm() const override { return picture_.heightMm(); }
    double textWidthMm(std::string_view utf8) const override { return picture_.textWidthMm(utf8); }
    double textHeightMm() const override { return picture_.textHeightMm(); }
    const VectorPicture& picture() const { return picture_; }
    std::array<double, 2> columnKey(double xMm, int penWidth) const override
    {
        const double column = picture_.columnOf(xMm, {{}, penWidth, PenStyle::Solid});
        return {column, column};
    }

protected:
    void doClear() override { picture_.clear(); }
    void doLine(PointMm a, PointMm b, Rgb colour) override { picture_.line(a, b, pen(colour)); }
    void doCircle(PointMm centre, double radius, Rgb colour) override
    {
        picture_.circle(centre, radius, pen(colour));
    }
    void doText(PointMm topLeft, std::string_view utf8) override { picture_.text(topLeft, utf8); }
    void doPolyline(std::span<const PointMm> points, Rgb colour) override
    {
        picture_.polyline(points, pen(colour));
    }

private:
    Pen pen(Rgb colour) const { return {colour, penWidth(), penStyle()}; }

    VectorPicture picture_;
};

}
