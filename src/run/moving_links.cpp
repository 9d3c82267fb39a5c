// Angular velocities of links and their instant centres.
#include "run/moving_links.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sim {

namespace {

constexpr double kTranslating = 1e-12;   // |omega| * length below this share of the speed

// The largest distance between two joints of the link.
double Length(const std::vector<numeric::PointKinematics>& joints)
{
    double length = 0;
    for (const auto& a : joints)
        for (const auto& b : joints)
            length = std::max(length, std::hypot(b.x - a.x, b.y - a.y));
    return length;
}

}

MovingLink TurningLink(std::string name, const char* label,
                       std::vector<numeric::PointKinematics> joints,
                       const numeric::ValueTriple& angle)
{
    return {std::move(name), label, std::move(joints), angle.rate, angle.accel};
}

MovingLink LinkThroughJoints(std::string name, const char* label,
                             std::vector<numeric::PointKinematics> joints)
{
    MovingLink link{std::move(name), label, std::move(joints), 0, 0};
    if (link.joints.size() < 2)
        return link;
    const numeric::PointKinematics &a = link.joints[0], &b = link.joints[1];
    const double rx = b.x - a.x, ry = b.y - a.y;
    const double squared = rx * rx + ry * ry;
    if (!(squared > 0))
        return link;
    link.omega = (rx * (b.vy - a.vy) - ry * (b.vx - a.vx)) / squared;
    link.alpha = (rx * (b.ay - a.ay) - ry * (b.ax - a.ax)) / squared;
    return link;
}

MovingLink TranslatingLink(std::string name, const char* label,
                           std::vector<numeric::PointKinematics> joints)
{
    return {std::move(name), label, std::move(joints), 0, 0};
}

std::optional<plot::WorldPoint> InstantCentre(const MovingLink& link)
{
    if (link.joints.empty())
        return std::nullopt;
    double speed = 0;
    const numeric::PointKinematics* fastest = &link.joints.front();
    for (const numeric::PointKinematics& p : link.joints)
        if (std::hypot(p.vx, p.vy) > speed) {
            speed = std::hypot(p.vx, p.vy);
            fastest = &p;
        }
    const double w = link.omega;
    // A link of one point has no length to weigh its turning against.
    const double length = Length(link.joints);
    if (!(std::abs(w) > 0) || (length > 0 && !(std::abs(w) * length > kTranslating * speed)))
        return std::nullopt;
    const plot::WorldPoint centre{fastest->x - fastest->vy / w, fastest->y + fastest->vx / w};
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y))
        return std::nullopt;
    return centre;
}

RelativeCentre FiniteCentre(int i, int j, plot::WorldPoint point)
{
    return {i, j, point, false, point};
}

RelativeCentre CentreAtInfinity(int i, int j, plot::WorldPoint direction)
{
    const double length = std::hypot(direction.x, direction.y);
    const plot::WorldPoint unit =
        length > 0 ? plot::WorldPoint{direction.x / length, direction.y / length} : direction;
    return {i, j, unit, true, {}};
}

std::optional<WorldRay> LineThrough(const RelativeCentre& a, const RelativeCentre& b)
{
    if (a.atInfinity && b.atInfinity)
        return std::nullopt;
    if (a.atInfinity || b.atInfinity) {
        const RelativeCentre& finite = a.atInfinity ? b : a;
        const RelativeCentre& far = a.atInfinity ? a : b;
        if (!(std::hypot(far.point.x, far.point.y) > 0))
            return std::nullopt;
        return WorldRay{finite.point, far.point};
    }
    const plot::WorldPoint direction{b.point.x - a.point.x, b.point.y - a.point.y};
    if (!(std::hypot(direction.x, direction.y) > 0))
        return std::nullopt;
    return WorldRay{a.point, direction};
}

namespace {

// Where two lines meet: at infinity along the first when they are parallel (their directions'
// sine below 1e-12) or either is missing.
RelativeCentre Meet(int i, int j, const std::optional<WorldRay>& first,
                    const std::optional<WorldRay>& second, plot::WorldPoint anchor)
{
    if (!first || !second)
        return CentreAtInfinity(i, j, first ? first->direction : plot::WorldPoint{1, 0});
    const plot::WorldPoint u = first->direction, v = second->direction;
    const double cross = u.x * v.y - u.y * v.x;
    const double t =
        ((second->point.x - first->point.x) * v.y - (second->point.y - first->point.y) * v.x)
        / cross;
    const plot::WorldPoint point{first->point.x + t * u.x, first->point.y + t * u.y};
    if (!(std::abs(cross) > 1e-12 * std::hypot(u.x, u.y) * std::hypot(v.x, v.y))
        || !std::isfinite(point.x) || !std::isfinite(point.y)) {
        RelativeCentre far = CentreAtInfinity(i, j, u);
        far.anchor = anchor;
        return far;
    }
    return FiniteCentre(i, j, point);
}

}

std::vector<RelativeCentre> FourLinkCentres(const RelativeCentre& c12, const RelativeCentre& c23,
                                            const RelativeCentre& c34, const RelativeCentre& c14)
{
    const plot::WorldPoint anchor = c12.atInfinity ? c23.point : c12.point;
    const RelativeCentre c13 = Meet(1, 3, LineThrough(c12, c23), LineThrough(c14, c34), anchor);
    const RelativeCentre c24 = Meet(2, 4, LineThrough(c12, c14), LineThrough(c23, c34), anchor);
    RelativeCentre far14 = c14;
    if (far14.atInfinity)
        far14.anchor = anchor;
    return {c12, c13, far14, c23, c24, c34};
}

}
