// The drive and the three closures of a linkage's joints, with the reasons a joint cannot close.
#include "linkage/pose.h"

#include <cmath>

#include "mechanisms/closure_reasons.h"
#include "run/step_loop.h"

namespace linkage {

namespace {

using numeric::PointKinematics;
using numeric::Status;
using numeric::ValueTriple;

// The driven joint on its guide: through + s (cos angle, sin angle).
PointKinematics GuideTravel(plot::WorldPoint through, double angle, const ValueTriple& s)
{
    const double c = std::cos(angle), n = std::sin(angle);
    return {through.x + s.value * c, s.rate * c, s.accel * c,
            through.y + s.value * n, s.rate * n, s.accel * n};
}

// Why a slider's rod from `pin` cannot meet its guide: too short, or only touching it.
sim::Phrase GuideReason(const Joint& j, const PointKinematics& pin)
{
    const double distance = std::abs(std::cos(j.angle) * (pin.y - j.through.y)
                                     - std::sin(j.angle) * (pin.x - j.through.x));
    const auto& [distanceText, lengthText] = mechanisms::ContrastingTexts(distance, j.length);
    const std::vector<sim::PhrasePart> stated = {sim::Plain(j.from[0]), sim::Plain(distanceText),
                                                 sim::Plain(lengthText)};
    if (distance > j.length)
        return {
            MECHSIM_TR_NOOP("core", "%1 からガイドまでの距離 %2 が length = %3 を超え、届きません"),
            stated};
    if (distance >= j.length)
        return {MECHSIM_TR_NOOP(
                    "core",
                    "%1 からガイドまでの距離 %2 が length = %3 に等しく、ガイドに接するだけです"),
                stated};
    return {sim::kNotFiniteReason, {}};
}

}

std::vector<numeric::Branch> ModelBranches(const Model& model)
{
    std::vector<numeric::Branch> branches;
    for (const Joint& j : model.joints)
        branches.push_back(j.branch);
    return branches;
}

PoseSolver::PoseSolver(const Model& model, const Layout& layout,
                       std::vector<numeric::Branch> branches)
    : m_(model), l_(layout), branches_(std::move(branches)),
      points_(model.ground.size() + 1 + model.joints.size())
{
    for (std::size_t k = 0; k < m_.ground.size(); ++k)
        points_[k] = PointKinematics::AtRest(m_.ground[k].at.x, m_.ground[k].at.y);
}

std::optional<sim::Refusal> PoseSolver::solve(const ValueTriple& drive)
{
    const Drive& d = m_.drive;
    points_[l_.driven] = d.kind == DriveKind::Crank
                             ? numeric::PolarPoint(points_[l_.pivot], d.length, drive)
                             : GuideTravel(d.through, d.angle, drive);
    for (const std::size_t k : l_.order)
        if (auto refused = close(k)) [[unlikely]]
            return refused;
    return std::nullopt;
}

std::optional<sim::Refusal> PoseSolver::close(std::size_t k)
{
    const Joint& j = m_.joints[k];
    const PointKinematics& a = points_[l_.from[k][0]];
    const PointKinematics& b = points_[l_.from[k][1]];
    PointKinematics& out = points_[l_.driven + 1 + k];
    switch (j.kind) {
    case JointKind::Dyad:
        if (numeric::SolveDyad(a, b, j.lengths[0], j.lengths[1], out, branches_[k]) != Status::Ok)
            return sim::Refusal::OfJointStep(
                j.name, mechanisms::DyadRefusalReason(
                            {MECHSIM_TR_NOOP("core", "from の 2 点の距離"), "lengths[0]",
                             "lengths[1]"},
                            j.lengths[0], j.lengths[1], a, b));
        break;
    case JointKind::Point:
        if (numeric::BodyPoint(a, b, j.along, j.across, out) != Status::Ok)
            return sim::Refusal::OfJointStep(
                j.name,
                {MECHSIM_TR_NOOP("core", "on の 2 点が重なり、リンクの向きが定まりません"), {}});
        break;
    case JointKind::Slider:
        if (numeric::SolveGuidePoint(j.angle, j.length,
                                     PointKinematics::AtRest(j.through.x, j.through.y), a, out,
                                     branches_[k])
            != Status::Ok)
            return sim::Refusal::OfJointStep(j.name, GuideReason(j, a));
        break;
    }
    return std::nullopt;
}

}
