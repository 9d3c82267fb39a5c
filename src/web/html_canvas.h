// A picture of the page: the drawing routines' canvas on an HTML canvas element, drawn by the
// page's script. Millimetres map to the desktop pictures' logical pixels at 96 dpi, and lines
// are merged into pixel columns as the desktop's raster pictures merge them.
#pragma once

#include <string>

#include "plot/canvas.h"
#include "plot/picture_sizes.h"

namespace web {

class HtmlCanvas : public plot::Canvas {
public:
    // `id` names the canvas element; `size` is its drawing area in logical pixels.
    HtmlCanvas(std::string id, plot::PixelSize size);

    double widthMm() const override { return widthMm_; }
    double heightMm() const override { return heightMm_; }
    double textWidthMm(std::string_view utf8) const override;
    double textHeightMm() const override;
    std::array<double, 2> columnKey(double xMm, int penWidth) const override;

protected:
    void doClear() override;
    void doLine(plot::PointMm a, plot::PointMm b, plot::Rgb colour) override;
    void doCircle(plot::PointMm centre, double radius, plot::Rgb colour) override;
    void doText(plot::PointMm topLeft, std::string_view utf8) override;
    void doPolyline(std::span<const plot::PointMm> points, plot::Rgb colour) override;

private:
    std::string id_;
    double widthMm_, heightMm_;
};

// Logical pixels per millimetre of every picture: 96 dpi.
inline constexpr double kPixelsPerMm = 96.0 / 25.4;

}
