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

}
