// Edits of a linkage being built, each on a copy of its model.
#include "linkage/sketch.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "numeric/angle.h"
#include "numeric/closures.h"
#include "numeric/finite.h"

namespace linkage {

namespace {

using numeric::Branch;
using numeric::PointKinematics;
using plot::WorldPoint;

PointKinematics At(WorldPoint p)
{
    return PointKinematics::AtRest(p.x, p.y);
}

double Distance(WorldPoint a, WorldPoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The branch whose solution lies nearer `at`; the usual one when neither closes.
template <typename Solve>
Branch NearerBranch(WorldPoint at, Solve solve)
{
    double best = HUGE_VAL;
    Branch chosen = Branch::Usual;
    for (const Branch b : {Branch::Usual, Branch::Other}) {
        PointKinematics p;
        if (solve(p, b) == numeric::Status::Ok && Distance({p.x, p.y}, at) < best) {
            best = Distance({p.x, p.y}, at);
            chosen = b;
        }
    }
    return chosen;
}

bool Refers(const Joint& j, const std::string& name)
{
    return j.from[0] == name || (j.kind != JointKind::Slider && j.from[1] == name);
}

}

sim::Refusable<Layout> CheckSketch(const Model& m)
{
    if (HasDrive(m) || m.ground.empty())
        return HasDrive(m) ? CheckModel(m) : Layout{};
    // A stand-in crank on the first ground point, named so that no identifier can clash.
    Model probe = m;
    probe.drive = {.joint = "_", .pivot = m.ground.front().name, .length = 1};
    while (std::any_of(m.ground.begin(), m.ground.end(),
                       [&](const GroundPoint& g) { return g.name == probe.drive.joint; }))
        probe.drive.joint += "_";
    auto checked = CheckModel(probe);
    if (!checked)
        return std::move(checked).error();
    Layout layout;
    layout.driven = m.ground.size();
    return layout;
}

std::vector<std::string> PointNames(const Model& m)
{
    std::vector<std::string> names;
    for (const GroundPoint& g : m.ground)
        names.push_back(g.name);
    names.push_back(m.drive.joint);
    for (const Joint& j : m.joints)
        names.push_back(j.name);
    return names;
}

std::string FreshName(const Model& m)
{
    const std::vector<std::string> used = PointNames(m);
    for (int round = 0;; ++round)
        for (char c = 'A'; c <= 'Z'; ++c) {
            std::string name(1, c);
            if (round)
                name.append(std::to_string(round));
            if (std::find(used.begin(), used.end(), name) == used.end())
                return name;
        }
}

double RoundToStep(double value, double step)
{
    if (!(step > 0) || !numeric::IsFinite(value) || !numeric::IsFinite(step))
        return value;
    const int k = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    const double mantissa = std::round(step / std::pow(10.0, k));
    const double n = std::round(value / step) * mantissa;
    return k < 0 ? n / std::pow(10.0, -k) : n * std::pow(10.0, k);
}

double ClickPrecision(double worldPerMm)
{
    return std::pow(10.0, std::floor(std::log10(worldPerMm / 4)));
}

Model WithCrank(Model m, const std::string& pivot, const std::string& joint, double length)
{
    m.drive = {.kind = DriveKind::Crank,
               .joint = joint,
               .pivot = pivot,
               .length = length,
               .start = 0,
               .end = numeric::DegToRad(360)};
    return m;
}

Model WithSliderDrive(Model m, const std::string& joint, WorldPoint from, WorldPoint to,
                      double precision)
{
    Drive d;
    d.kind = DriveKind::Slider;
    d.joint = joint;
    d.through = from;
    d.angle = ClickedDirection(from, to);
    d.end = RoundToStep(Distance(from, to), precision);
    m.drive = d;
    return m;
}

double ClickedDirection(WorldPoint from, WorldPoint to)
{
    const double degrees = numeric::RadToDegExactly(numeric::ArcTan2(to.y - from.y, to.x - from.x));
    return numeric::DegToRad(RoundToStep(degrees, 0.1));
}

Joint DyadAt(std::string name, const std::array<std::string, 2>& from,
             const std::array<WorldPoint, 2>& fromAt, WorldPoint at, double precision)
{
    Joint j{.name = std::move(name), .from = from};
    return JointMovedTo(j, fromAt, at, precision);
}

Joint PointAt(std::string name, const std::array<std::string, 2>& on,
              const std::array<WorldPoint, 2>& onAt, WorldPoint at, double precision)
{
    Joint j{.name = std::move(name), .kind = JointKind::Point, .from = on};
    return JointMovedTo(j, onAt, at, precision);
}

Joint SliderAt(std::string name, const std::string& from, WorldPoint fromAt, WorldPoint through,
               WorldPoint at, double precision)
{
    Joint j{.name = std::move(name), .kind = JointKind::Slider, .from = {from, ""}};
    j.through = through;
    j.angle = ClickedDirection(through, at);
    return JointMovedTo(j, {fromAt, fromAt}, at, precision);
}

Joint JointMovedTo(const Joint& j, const std::array<WorldPoint, 2>& fromAt, WorldPoint at,
                   double precision)
{
    Joint moved = j;
    const WorldPoint a = fromAt[0], b = fromAt[1];
    switch (j.kind) {
    case JointKind::Dyad:
        moved.lengths = {RoundToStep(Distance(a, at), precision),
                         RoundToStep(Distance(b, at), precision)};
        moved.branch = NearerBranch(at, [&](PointKinematics& p, Branch branch) {
            return numeric::SolveDyad(At(a), At(b), moved.lengths[0], moved.lengths[1], p, branch);
        });
        break;
    case JointKind::Point: {
        // Along a -> b and to its left, in the link's own frame.
        const double l = Distance(a, b);
        const double ux = l > 0 ? (b.x - a.x) / l : 1, uy = l > 0 ? (b.y - a.y) / l : 0;
        const double dx = at.x - a.x, dy = at.y - a.y;
        moved.along = RoundToStep(dx * ux + dy * uy, precision);
        moved.across = RoundToStep(-dx * uy + dy * ux, precision);
        break;
    }
    case JointKind::Slider: {
        // The foot of `at` on the guide.
        const double c = std::cos(j.angle), s = std::sin(j.angle);
        const double t = (at.x - j.through.x) * c + (at.y - j.through.y) * s;
        const WorldPoint onGuide{j.through.x + t * c, j.through.y + t * s};
        moved.length = RoundToStep(Distance(a, onGuide), precision);
        moved.branch = NearerBranch(onGuide, [&](PointKinematics& p, Branch branch) {
            return numeric::SolveGuidePoint(j.angle, moved.length, At(j.through), At(a), p,
                                            branch);
        });
        break;
    }
    }
    return moved;
}

std::vector<std::string> Dependants(const Model& m, const std::string& name)
{
    std::set<std::string> gone = {name};
    if (HasDrive(m) && m.drive.kind == DriveKind::Crank && m.drive.pivot == name)
        gone.insert(m.drive.joint);
    // Joints may come before the points they refer to, so repeat until nothing is added.
    for (std::size_t before = 0; before != gone.size();) {
        before = gone.size();
        for (const Joint& j : m.joints)
            if (std::any_of(gone.begin(), gone.end(), [&](const std::string& g) {
                    return Refers(j, g);
                }))
                gone.insert(j.name);
    }
    std::vector<std::string> dependants;
    for (const std::string& n : PointNames(m))
        if (n != name && gone.count(n))
            dependants.push_back(n);
    return dependants;
}

Model Without(Model m, const std::string& name)
{
    std::vector<std::string> gone = Dependants(m, name);
    gone.push_back(name);
    const auto isGone = [&](const std::string& n) {
        return std::find(gone.begin(), gone.end(), n) != gone.end();
    };
    std::erase_if(m.ground, [&](const GroundPoint& g) { return isGone(g.name); });
    std::erase_if(m.joints, [&](const Joint& j) { return isGone(j.name); });
    std::erase_if(m.trace, isGone);
    if (isGone(m.drive.joint))
        m.drive = {};
    return m;
}

Model Renamed(Model m, const std::string& from, const std::string& to)
{
    const auto rename = [&](std::string& n) {
        if (n == from)
            n = to;
    };
    for (GroundPoint& g : m.ground)
        rename(g.name);
    rename(m.drive.joint);
    rename(m.drive.pivot);
    for (Joint& j : m.joints) {
        rename(j.name);
        rename(j.from[0]);
        rename(j.from[1]);
    }
    std::for_each(m.trace.begin(), m.trace.end(), rename);
    return m;
}

}
