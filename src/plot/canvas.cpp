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
    if (!numeric::IsFinite(x1, y1, x2, y2))
        return;
    const PointMm a{x1, y1}, b{x2, y2};
    doLine(a, b, PaletteColour(colour));
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
