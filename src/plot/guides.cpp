// Dotted light guides in world coordinates.
#include "plot/guides.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/primitives.h"

namespace plot {

namespace {

constexpr int kGuideColour = 7;         // the light grey
constexpr int kSegmentsPerTurn = 128;   // an arc's chain: smooth at the view's size

// Draws with the guide pen and gives the canvas its own pen back afterwards.
class GuidePen {
public:
    explicit GuidePen(Canvas& p) : p_(p), width_(p.penWidth()), style_(p.penStyle())
    {
        p_.setPenWidth(1);
        p_.setPenStyle(PenStyle::Dotted);
    }
    ~GuidePen()
    {
        p_.setPenWidth(width_);
        p_.setPenStyle(style_);
    }
    GuidePen(const GuidePen&) = delete;
    GuidePen& operator=(const GuidePen&) = delete;

private:
    Canvas& p_;
    int width_;
    PenStyle style_;
};

}

void GuideCircle(Canvas& p, const WorldWindow& w, WorldPoint centre, double radius)
{
    if (!(radius > 0) || !std::isfinite(radius))
        return;
    const GuidePen pen(p);
    const PointMm at = WorldToPicture(p, w, centre);
    p.circle(at.x, at.y, radius * w.scale, kGuideColour);
}

void GuideArc(Canvas& p, const WorldWindow& w, WorldPoint centre, double radius, double from,
              double to)
{
    if (!(radius > 0) || !(to >= from) || !std::isfinite(to - from))
        return;
    const int segments =
        std::max(1, static_cast<int>(std::ceil((to - from) / (2 * M_PI) * kSegmentsPerTurn)));
    std::vector<PointMm> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int k = 0; k <= segments; ++k) {
        const double angle = from + (to - from) * k / segments;
        points.push_back(WorldToPicture(
            p, w, {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)}));
    }
    const GuidePen pen(p);
    p.polyline(points, kGuideColour);
}

void GuideLine(Canvas& p, const WorldWindow& w, WorldPoint through, double direction)
{
    // Long enough to cross the whole window from any point within or beside it.
    const double reach = std::hypot(w.xmax - w.xmin, w.ymax - w.ymin)
                         + std::hypot(through.x - w.xmin, through.y - w.ymin)
                         + std::hypot(through.x - w.xmax, through.y - w.ymax);
    const double dx = reach * std::cos(direction), dy = reach * std::sin(direction);
    const GuidePen pen(p);
    WorldLine(p, w, {through.x - dx, through.y - dy}, {through.x + dx, through.y + dy},
              kGuideColour);
}

void DrawReachRing(Canvas& p, const WorldWindow& w, WorldPoint centre, double la, double lb)
{
    GuideCircle(p, w, centre, la + lb);
    GuideCircle(p, w, centre, std::abs(la - lb));
}

}
