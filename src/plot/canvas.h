// What the drawing routines draw on: a picture measured in millimetres from its top-left inner
// corner, y downward. Implementations: the picture-box widget, a recorder for tests and an
// image file. The canvas keeps the pen and the current text position itself.
#pragma once

#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <string_view>

#include "plot/palette.h"

namespace plot {

enum class PenStyle { Solid = 0, Dotted = 2 };

struct PointMm {
    double x = 0, y = 0;
};

// The pixel column a raster picture at `pixelsPerMm` device pixels per millimetre draws x in
// with a pen `penWidth` pixels wide: an even pen is centred between two columns.
inline double PixelColumn(double xMm, double pixelsPerMm, int penWidth)
{
    const double shift = (penWidth < 1 ? 1 : penWidth) % 2 == 0 ? 0.5 : 0.0;
    return std::floor(xMm * pixelsPerMm + shift);
}

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual double widthMm() const = 0;    // inner width W, mm
    virtual double heightMm() const = 0;   // inner height H, mm

    void clear();
    // A line leaves the current text position at its second point.
    void line(double x1, double y1, double x2, double y2, int colour);
    // A line in a colour outside the palette, for overlays that must differ from every link.
    void line(double x1, double y1, double x2, double y2, Rgb colour);
    void circle(double cx, double cy, double radius, int colour);
    // Prints text with its top-left corner at the current position.
    void print(std::string_view utf8);
    // Prints text with its top-left corner at `topLeft`, which becomes the current position.
    void printAt(PointMm topLeft, std::string_view utf8);

    // Extent of printed text in the pictures' 12-point Gothic: measured by canvases that draw
    // it, estimated from the characters by the others (an upper bound for digit labels).
    virtual double textWidthMm(std::string_view utf8) const;
    virtual double textHeightMm() const;
    // A chain of segments between consecutive points, as many line() calls would draw it;
    // raster canvases may merge what falls into one pixel column.
    void polyline(std::span<const PointMm> points, int colour);
    // Which pixel columns a polyline's point at x is drawn in with a pen `penWidth` pixels wide:
    // of the consecutive points of one polyline with equal keys, only the first, the highest,
    // the lowest and the last show. A canvas that draws every point as given keeps all x apart.
    virtual std::array<double, 2> columnKey(double /*xMm*/, int /*penWidth*/) const
    {
        const double apart = std::numeric_limits<double>::quiet_NaN();   // equal to nothing
        return {apart, apart};
    }

    void setPenWidth(int pixels) { penWidth_ = pixels; }
    int penWidth() const { return penWidth_; }
    void setPenStyle(PenStyle style) { penStyle_ = style; }
    PenStyle penStyle() const { return penStyle_; }
    PointMm currentPosition() const { return current_; }

protected:
    virtual void doClear() = 0;
    virtual void doLine(PointMm a, PointMm b, Rgb colour) = 0;
    virtual void doCircle(PointMm centre, double radius, Rgb colour) = 0;
    virtual void doText(PointMm topLeft, std::string_view utf8) = 0;
    // Default: one doLine per segment.
    virtual void doPolyline(std::span<const PointMm> points, Rgb colour);

private:
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PointMm current_;
};

}
