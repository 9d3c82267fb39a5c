// The pen and text position shared by every canvas; coordinates that are not finite are
// dropped here so no implementation ever draws NaN or infinity.
#include "plot/canvas.h"

#include "numeric/finite.h"

namespace plot {

void Canvas::clear()
{
    doClear();
    // A cleared picture starts its text at the top-left corner.
    current_ = {};
}

void Canvas::line(double x1, double y1, double x2, double y2, int colour)
{
    line(x1, y1, x2, y2, PaletteColour(colour));
}

void Canvas::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!numeric::IsFinite(x1, y1, x2, y2))
        return;
    const PointMm a{x1, y1}, b{x2, y2};
    doLine(a, b, colour);
    current_ = b;
}

void Canvas::circle(double cx, double cy, double radius, int colour)
{
    if (!numeric::IsFinite(cx, cy, radius))
        return;
    doCircle({cx, cy}, radius, PaletteColour(colour));
}

void Canvas::print(std::string_view utf8)
{
    if (!utf8.empty())
        doText(current_, utf8);
}

void Canvas::printAt(PointMm topLeft, std::string_view utf8)
{
    if (!numeric::IsFinite(topLeft.x, topLeft.y))
        return;
    current_ = topLeft;
    print(utf8);
}

namespace {
constexpr double kEmMm = 12.0 * 25.4 / 72.0;   // 12 points
}

// Advances of the Gothic face in ems: digits and letters 0.63, '-' 0.36, '.' and blank 0.27;
// any other character (a full-width one) a whole em.
double Canvas::textWidthMm(std::string_view utf8) const
{
    double ems = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            if ((c & 0xC0) == 0xC0)   // the first byte of a multi-byte character
                ems += 1.0;
            continue;
        }
        ems += c == '-' ? 0.36 : (c == '.' || c == ' ') ? 0.27 : 0.63;
    }
    return ems * kEmMm;
}

double Canvas::textHeightMm() const
{
    return 1.08 * kEmMm;   // ascent and descent
}

void Canvas::polyline(std::span<const PointMm> points, int colour)
{
    const Rgb rgb = PaletteColour(colour);
    // A point that is not finite breaks the chain: the runs on either side are drawn apart.
    std::size_t start = 0;
    while (start < points.size()) {
        std::size_t end = start;
        while (end < points.size() && numeric::IsFinite(points[end].x, points[end].y))
            ++end;
        if (end - start >= 2) {
            doPolyline(points.subspan(start, end - start), rgb);
            current_ = points[end - 1];
        }
        start = end + 1;
    }
}

void Canvas::doPolyline(std::span<const PointMm> points, Rgb colour)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        doLine(points[i - 1], points[i], colour);
}

}
