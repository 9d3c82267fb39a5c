// Parallel mechanism: inverse kinematics of three legs for a platform centre running round a
// closed path of four quarter-circle arcs, each quarter from rest to rest.
#include "mechanisms/parallel_mechanism.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "mechanisms/closure_reasons.h"
#include "numeric/angle.h"
#include "numeric/closures.h"
#include "numeric/constants.h"
#include "plot/guides.h"
#include "plot/primitives.h"
#include "run/step_loop.h"

namespace mechanisms {

using numeric::PointKinematics;
using numeric::Status;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

namespace {

// Directions of the base joints and, turned by phi, of the platform joints.
std::array<double, 3> LegDirections()
{
    return {numeric::DegToRad(-30), numeric::DegToRad(90), numeric::DegToRad(210)};
}

// centre + sign * rc * f with f's rates.
ValueTriple Along(double centre, double sign, double rc, const ValueTriple& f)
{
    return {centre + sign * rc * f.value, sign * rc * f.rate, sign * rc * f.accel};
}

}

std::array<PointKinematics, 3> ParallelBaseJoints(double rf)
{
    std::array<PointKinematics, 3> base;
    const std::array<double, 3> a = LegDirections();
    for (std::size_t k = 0; k < 3; ++k)
        base[k] = PointKinematics::AtRest(0 + rf * std::cos(a[k]), 0 + rf * std::sin(a[k]));
    return base;
}

PointKinematics ParallelPathPoint(const ParallelDimensions& d, int quarter, const ValueTriple& psi)
{
    // S = sin psi and K = cos psi with their time derivatives.
    const double sn = std::sin(psi.value), cs = std::cos(psi.value);
    const double w = psi.rate, w2 = psi.rate * psi.rate;
    const ValueTriple oneMinusS{1 - sn, -cs * w, -(cs * psi.accel - sn * w2)};
    const ValueTriple oneMinusK{1 - cs, sn * w, sn * psi.accel + cs * w2};
    const ValueTriple kMinusOne{cs - 1, -sn * w, -sn * psi.accel - cs * w2};
    ValueTriple x, y;
    switch (quarter) {
    case 0:   // (xc + rc, yc) to (xc, yc + rc)
        x = Along(d.xc, 1, d.rc, oneMinusS);
        y = Along(d.yc, 1, d.rc, oneMinusK);
        break;
    case 1:   // to (xc - rc, yc)
        x = Along(d.xc, 1, d.rc, kMinusOne);
        y = Along(d.yc, 1, d.rc, oneMinusS);
        break;
    case 2:   // to (xc, yc - rc)
        x = Along(d.xc, -1, d.rc, oneMinusS);
        y = Along(d.yc, -1, d.rc, oneMinusK);
        break;
    default:   // back to (xc + rc, yc)
        x = Along(d.xc, -1, d.rc, kMinusOne);
        y = Along(d.yc, -1, d.rc, oneMinusS);
        break;
    }
    return {x.value, x.rate, x.accel, y.value, y.rate, y.accel};
}

QuarterTime ParallelQuarterTime(int i, int divisions)
{
    if (divisions < 1)   // no cycle to divide: the start of the first quarter
        return {0, 0.0};
    // Whole-number arithmetic for the quarter, so 4i/N never lands just below a boundary.
    const std::int64_t scaled = 4 * static_cast<std::int64_t>(i);
    const std::int64_t n = divisions;
    const std::int64_t quarter = std::min<std::int64_t>(3, scaled / n);
    return {static_cast<int>(quarter), static_cast<double>(scaled - quarter * n) / divisions};
}

sim::Refusable<ParallelPose> SolveParallel(const ParallelDimensions& d,
                                           const std::array<PointKinematics, 3>& base,
                                           const PointKinematics& centre,
                                           const LegBranches& branches)
{
    ParallelPose pose;
    pose.centre = centre;
    const std::array<double, 3> a = LegDirections();
    for (std::size_t k = 0; k < 3; ++k) {
        // The platform only translates: every joint moves with the centre.
        pose.joints[k] = centre;
        pose.joints[k].x = centre.x + d.rm * std::cos(a[k] + d.phi);
        pose.joints[k].y = centre.y + d.rm * std::sin(a[k] + d.phi);
    }
    // Per leg: the distance its closure bridges, and why its links do not close.
    static const char* const kLegDistance[3] = {
        MECHSIM_TR_NOOP("core", "脚1: 根元の関節から台の関節までの距離"),
        MECHSIM_TR_NOOP("core", "脚2: 根元の関節から台の関節までの距離"),
        MECHSIM_TR_NOOP("core", "脚3: 根元の関節から台の関節までの距離"),
    };
    static const char* const kLegOpen[3] = {
        MECHSIM_TR_NOOP("core", "脚1のリンクが閉じません"),
        MECHSIM_TR_NOOP("core", "脚2のリンクが閉じません"),
        MECHSIM_TR_NOOP("core", "脚3のリンクが閉じません"),
    };
    for (std::size_t k = 0; k < 3; ++k)
        if (numeric::SolveDyad(pose.joints[k], base[k], d.l2, d.l1, pose.elbows[k], branches[k])
            != Status::Ok)
            return sim::Refusal::OfStep(DyadRefusalReason({kLegDistance[k], "L2", "L1"}, d.l2, d.l1,
                                                          pose.joints[k], base[k]));
    for (std::size_t k = 0; k < 3; ++k)
        if (numeric::LineAngle(base[k], pose.elbows[k], pose.angles[k]) != Status::Ok)
            return sim::Refusal::OfStep(kLegOpen[k]);
    return pose;
}

namespace {

class ParallelRun : public sim::MechanismRun {
public:
    std::array<PointKinematics, 3> base;
    double l1 = 0, l2 = 0;
    std::array<TripleSeries, 3> theta;
    std::array<PointSeries, 3> elbows, joints;
    PointSeries centre;

    // The series of ParallelPose::values(), in its order.
    auto series()
    {
        return std::tie(centre, joints[0], joints[1], joints[2], elbows[0], elbows[1], elbows[2],
                        theta[0], theta[1], theta[2]);
    }

    sim::ResultTable resultTable() const override
    {
        return {{"sec", "the1", "dthe1", "ddthe1", "the2", "dthe2", "ddthe2", "the3", "dthe3",
                 "ddthe3"},
                {theta[0].value, theta[0].rate, theta[0].accel, theta[1].value, theta[1].rate,
                 theta[1].accel, theta[2].value, theta[2].rate, theta[2].accel}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(theta[0]), TripleView::Of(theta[1])};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"x10  dx10  ddx10", TripleView::X(centre)},
                {"y10  dy10  ddy10", TripleView::Y(centre)},
                {"x7   dx7   ddx7", TripleView::X(joints[0])},
                {"y7   dy7   ddy7", TripleView::Y(joints[0])}};
    }
    // Frames the base triangle only.
    plot::WorldWindow fitWorldWindow() const override
    {
        plot::WorldWindow w = plot::WorldWindow::AtPoint(base[0].x, base[0].y);
        plot::FitWorldWindow(base[1].x, base[1].y, w);
        plot::FitWorldWindow(base[2].x, base[2].y, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        p.setPenWidth(2);
        for (std::size_t leg = 0; leg < 3; ++leg)
            plot::WorldLine(p, w, {base[leg].x, base[leg].y}, elbows[leg].position(k), 1);
        for (std::size_t leg = 0; leg < 3; ++leg)
            plot::WorldLine(p, w, elbows[leg].position(k), joints[leg].position(k), 2);
        for (std::size_t leg = 0; leg < 3; ++leg)
            plot::WorldLine(p, w, joints[leg].position(k), joints[(leg + 1) % 3].position(k), 3);
        plot::WorldCircle(p, w, centre.position(k), 2);
        for (const PointKinematics& b : base)
            plot::WorldCircle(p, w, {b.x, b.y}, 1);
        for (const PointSeries& e : elbows)
            plot::WorldCircle(p, w, e.position(k), 1);
        for (const PointSeries& v : joints)
            plot::WorldCircle(p, w, v.position(k), 1);
        p.setPenWidth(1);
    }
    const PointSeries* tracedPath() const override { return &centre; }
    // The elbows, the platform joints and the platform's centre.
    std::vector<PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        std::vector<PointKinematics> points;
        for (const PointSeries& e : elbows)
            points.push_back(e.at(k));
        for (const PointSeries& v : joints)
            points.push_back(v.at(k));
        points.push_back(centre.at(k));
        return points;
    }
    // Per leg the base-side link turning by its angle and the platform-side link, whose turning
    // is found from its joints; then the platform, which only translates.
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        static const char* const kBaseSide[3] = {MECHSIM_TR_NOOP("core", "脚1基台側"),
                                                 MECHSIM_TR_NOOP("core", "脚2基台側"),
                                                 MECHSIM_TR_NOOP("core", "脚3基台側")};
        static const char* const kPlatformSide[3] = {MECHSIM_TR_NOOP("core", "脚1台側"),
                                                     MECHSIM_TR_NOOP("core", "脚2台側"),
                                                     MECHSIM_TR_NOOP("core", "脚3台側")};
        const auto k = static_cast<std::size_t>(i);
        std::vector<sim::MovingLink> links;
        for (std::size_t leg = 0; leg < 3; ++leg) {
            const std::string name = "leg" + std::to_string(leg + 1);
            links.push_back(sim::TurningLink(name + "-base", kBaseSide[leg],
                                             {base[leg], elbows[leg].at(k)}, theta[leg].at(k)));
            links.push_back(sim::LinkThroughJoints(name + "-platform", kPlatformSide[leg],
                                                   {elbows[leg].at(k), joints[leg].at(k)}));
        }
        links.push_back(sim::TranslatingLink(
            "platform", MECHSIM_TR_NOOP("core", "台"),
            {joints[0].at(k), joints[1].at(k), joints[2].at(k), centre.at(k)}));
        return links;
    }
    // The ring each leg's platform joint can reach around its base joint.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        for (const PointKinematics& b : base)
            plot::DrawReachRing(p, w, {b.x, b.y}, l1, l2);
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    ParallelDimensions d;
    if (auto refused = in.read({{"L1", d.l1},
                                {"L2", d.l2},
                                {"xc", d.xc},
                                {"yc", d.yc},
                                {"rc", d.rc},
                                {"phi", d.phi},
                                {"Rm", d.rm},
                                {"Rf", d.rf}}))
        return *std::move(refused);
    LegBranches branches = kUsualLegs;
    if (auto refused =
            in.read({{"branch1", branches[0]}, {"branch2", branches[1]}, {"branch3", branches[2]}}))
        return *std::move(refused);
    auto run = std::make_unique<ParallelRun>();
    run->base = ParallelBaseJoints(d.rf);
    run->l1 = d.l1;
    run->l2 = d.l2;
    const std::array<PointKinematics, 3>& base = run->base;
    // Each quarter of the path runs its own profile from rest to rest in T / 4.
    const double quarterTime = loop.context.cycleTime / 4;
    auto quarters = [](int i, int divisions) {
        const QuarterTime qt = ParallelQuarterTime(i, divisions);
        return sim::StepSample{qt.quarter, qt.t};
    };
    return sim::RunSteps(
        loop, std::move(run),
        [&](const sim::Step& step) {
            // A path parameter that is not finite leaves the centre not finite, which the step
            // loop refuses; the base joints lie within Rf of the origin.
            const ValueTriple psi = sim::DriveValue(0, numeric::kHalfPi, step.profile, quarterTime);
            return SolveParallel(d, base, ParallelPathPoint(d, step.segment, psi), branches);
        },
        quarters);
}

}

namespace {
const char* const kLegFlipDescription = MECHSIM_TR_NOOP(
    "core", "チェックすると、この脚の肘をもう一方の側にして組みます（同じ寸法のもう一方の組み方）");
}

const sim::Mechanism& ParallelMechanism()
{
    static const sim::Mechanism mechanism{
        .command = "parallel",
        .menuGroup = sim::MenuGroup::Mechanisms,
        .menuName = "parallel",
        .formName = "Formparallel",
        .title = MECHSIM_TR_NOOP("core", "パラレル機構"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(0, "L1", "28",
                            MECHSIM_TR_NOOP("core", "各脚の基台側のリンクの長さ（単位は任意）")),
             sim::NumberBox(1, "L2", "28",
                            MECHSIM_TR_NOOP("core", "各脚の台側のリンクの長さ（単位は任意）")),
             sim::NumberBox(
                 3, "xc", "0",
                 MECHSIM_TR_NOOP("core", "台の中心が描く円の中心のx座標（長さと同じ単位）"),
                 MECHSIM_TR_NOOP("core", "中心位置ｘc")),
             sim::NumberBox(
                 4, "yc", "0",
                 MECHSIM_TR_NOOP("core", "台の中心が描く円の中心のy座標（長さと同じ単位）"),
                 MECHSIM_TR_NOOP("core", "中心位置ｙc")),
             sim::NumberBox(5, "rc", "20",
                            MECHSIM_TR_NOOP("core", "台の中心が描く円の半径（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "円半径 rc")),
             sim::AngleBox(6, "phi", "-30", MECHSIM_TR_NOOP("core", "台の傾き角［度］"),
                           MECHSIM_TR_NOOP("core", "傾き角phi")),
             sim::NumberBox(
                 7, "Rm", "20",
                 MECHSIM_TR_NOOP("core", "台の半径：中心から台側の関節まで（単位は任意）")),
             sim::NumberBox(
                 8, "Rf", "50",
                 MECHSIM_TR_NOOP("core", "基台の半径：原点から基台側の関節まで（単位は任意）")),
             sim::BranchBox("branch1", MECHSIM_TR_NOOP("core", "脚1を逆に"), kLegFlipDescription),
             sim::BranchBox("branch2", MECHSIM_TR_NOOP("core", "脚2を逆に"), kLegFlipDescription),
             sim::BranchBox("branch3", MECHSIM_TR_NOOP("core", "脚3を逆に"), kLegFlipDescription)},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2,dthe2,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {.stopPoses = sim::StopPoses::EighthPose,
                   .stopTracesPath = true,
                   .nextStopsTimer = false,
                   .showsOkAfterCompute = false},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
