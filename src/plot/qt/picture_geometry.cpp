// Line clipping and the label font of every picture.
#include "plot/qt/picture_geometry.h"

#include <algorithm>
#include <cmath>

namespace plot {

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kFontPoints = 12.0;
}

QRectF ClipBox(QSizeF logicalSize)
{
    return QRectF(QPointF(0, 0), logicalSize)
        .adjusted(-kClipMarginPx, -kClipMarginPx, kClipMarginPx, kClipMarginPx);
}

bool ClipToBox(QLineF& line, const QRectF& box)
{
    if (box.contains(line.p1()) && box.contains(line.p2()))
        return true;
    const double x0 = line.x1(), y0 = line.y1(), dx = line.dx(), dy = line.dy();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left(), box.right() - x0, y0 - box.top(), box.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    line = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
    return true;
}

QFont PictureFont(double pixelsPerMm)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(kFontPoints * pixelsPerMm * kMmPerInch / 72.0))));
    return font;
}

}
