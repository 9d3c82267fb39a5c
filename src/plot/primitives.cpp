// Frame origins and the y flip. H is read at every call, so a resized picture draws correctly.
#include "plot/primitives.h"

namespace plot {

namespace {
constexpr double kCircleRadiusMm = 1.0;   // joint circles keep their size at any world scale

PointMm GraphOrigin(const Canvas& p)
{
    return {10.0, p.heightMm() / 2.0};
}

PointMm ViewOrigin(const Canvas& p)
{
    return {10.0, p.heightMm() - 10.0};
}

void FrameLine(Canvas& p, PointMm origin, double x1, double y1, double x2, double y2, int colour)
{
    p.line(origin.x + x1, origin.y - y1, origin.x + x2, origin.y - y2, colour);
}

void FrameCircle(Canvas& p, PointMm origin, double x, double y, int colour)
{
    p.circle(origin.x + x, origin.y - y, kCircleRadiusMm, colour);
}
}

PointMm GraphToPicture(const Canvas& p, double x, double y)
{
    const PointMm origin = GraphOrigin(p);
    return {origin.x + x, origin.y - y};
}

PointMm ViewToPicture(const Canvas& p, double x, double y)
{
    const PointMm origin = ViewOrigin(p);
    return {origin.x + x, origin.y - y};
}

PointMm WorldToPicture(const Canvas& p, const WorldWindow& w, WorldPoint point)
{
    const PointMm origin = ViewOrigin(p);
    return {origin.x + w.scale * (point.x - w.xmin), origin.y - w.scale * (point.y - w.ymin)};
}

WorldPoint PictureToWorld(const Canvas& p, const WorldWindow& w, PointMm at)
{
    const PointMm origin = ViewOrigin(p);
    return {w.xmin + (at.x - origin.x) / w.scale, w.ymin + (origin.y - at.y) / w.scale};
}

void GraphLine(Canvas& p, double x1, double y1, double x2, double y2, int colour)
{
    FrameLine(p, GraphOrigin(p), x1, y1, x2, y2, colour);
}

void GraphCircle(Canvas& p, double x, double y, int colour)
{
    FrameCircle(p, GraphOrigin(p), x, y, colour);
}

void ViewLine(Canvas& p, double x1, double y1, double x2, double y2, int colour)
{
    FrameLine(p, ViewOrigin(p), x1, y1, x2, y2, colour);
}

void WorldLine(Canvas& p, const WorldWindow& w, WorldPoint a, WorldPoint b, int colour)
{
    const PointMm from = WorldToPicture(p, w, a), to = WorldToPicture(p, w, b);
    p.line(from.x, from.y, to.x, to.y, colour);
}

void WorldCircle(Canvas& p, const WorldWindow& w, WorldPoint centre, int colour)
{
    const PointMm at = WorldToPicture(p, w, centre);
    p.circle(at.x, at.y, kCircleRadiusMm, colour);
}

}
