// Serial 3R arm driven by its hand along a straight segment (Form3rchoku) or a circular arc
// (Form3renn): one inverse kinematics, one run, two ways of moving the hand.
#include "mechanisms/serial_3r_interpolation.h"

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "mechanisms/closure_reasons.h"
#include "mechanisms/serial_2r.h"
#include "mechanisms/serial_3r.h"
#include "numeric/angle.h"
#include "numeric/closures.h"
#include "numeric/constants.h"
#include "numeric/finite.h"
#include "plot/guides.h"
#include "run/step_loop.h"

namespace mechanisms {

using numeric::PointKinematics;
using numeric::Status;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

sim::Refusable<Serial3RArmPose> SolveSerial3RArm(double l1, double l2, double l3,
                                                 const PointKinematics& hand,
                                                 const ValueTriple& phi, numeric::Branch elbow)
{
    const PointKinematics base = PointKinematics::AtRest(0, 0);
    // The wrist lies L3 behind the hand point along the hand direction.
    const ValueTriple behind{phi.value + numeric::kPi, phi.rate, phi.accel};
    Serial3RArmPose pose;
    pose.wrist = numeric::PolarPoint(hand, l3, behind);
    if (!numeric::IsFinite(hand, phi, pose.wrist))
        return sim::Refusal::OfStep(sim::kNotFiniteReason);
    if (numeric::SolveDyad(base, pose.wrist, l1, l2, pose.elbow, elbow) != Status::Ok)
        return sim::Refusal::OfStep(DyadRefusalReason(
            {MECHSIM_TR_NOOP("core", "手首点までの距離"), "L1", "L2"}, l1, l2, base, pose.wrist));
    if (numeric::LineAngle(base, pose.elbow, pose.the1) != Status::Ok
        || numeric::LineAngle(pose.elbow, pose.wrist, pose.link2) != Status::Ok)
        return sim::Refusal::OfStep(MECHSIM_TR_NOOP("core", "リンクの長さが0で向きが定まりません"));
    return pose;
}

namespace {

// One step: the hand, the arm that reaches it and the three joint angles.
struct ArmStep {
    PointKinematics hand, wrist, elbow;
    ValueTriple the1, the2, the3;

    auto values() const { return std::tie(hand, wrist, elbow, the1, the2, the3); }
};

class Serial3RInverseRun : public sim::MechanismRun {
public:
    PointSeries hand, wrist, elbow;
    TripleSeries the1, the2, the3;
    bool fitsWristPath = false;   // the arc view also fits the wrist path
    double l1 = 0, l2 = 0;
    // The turns the1 has gathered across the +-pi seam, from each step where they change: a
    // step recomputed alone takes them from the run of the whole cycle.
    std::vector<std::pair<int, double>> baseTurns;

    double baseTurnsAt(int step) const
    {
        double turns = 0;
        for (const auto& [from, offset] : baseTurns)
            if (from <= step)
                turns = offset;
        return turns;
    }

    // The series of ArmStep::values(), in its order.
    auto series() { return std::tie(hand, wrist, elbow, the1, the2, the3); }

    sim::ResultTable resultTable() const override
    {
        return {{"sec", "the1", "dthe1", "ddthe1", "the2", "dthe2", "ddthe2", "the3", "dthe3",
                 "ddthe3"},
                {the1.value, the1.rate, the1.accel, the2.value, the2.rate, the2.accel, the3.value,
                 the3.rate, the3.accel}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(the1), TripleView::Of(the2)};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"the1 dthe1 ddthe1", TripleView::Of(the1)},
                {"the2 dthe2 ddthe2", TripleView::Of(the2)},
                {"the3 dthe3 ddthe3", TripleView::Of(the3)}};
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        plot::WorldWindow w = plot::WorldWindow::AtPoint(0, 0);
        const int n = static_cast<int>(hand.x.size()) - 1;
        plot::FitWorldWindow(n, hand.x, hand.y, w);
        plot::FitWorldWindow(n, elbow.x, elbow.y, w);
        if (fitsWristPath)
            plot::FitWorldWindow(n, wrist.x, wrist.y, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        DrawThreeLinkArm(p, w, elbow.position(k), wrist.position(k), hand.position(k));
    }
    // The ring the wrist can reach around the base.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::DrawReachRing(p, w, {0, 0}, l1, l2);
    }
    const PointSeries* tracedPath() const override { return &hand; }
    std::vector<numeric::PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {elbow.at(k), wrist.at(k), hand.at(k)};
    }
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return SerialArmLinks({elbow.at(k), wrist.at(k), hand.at(k)},
                              {the1.at(k), the2.at(k), the3.at(k)});
    }
};

// The hand point and the hand direction for the profile values of one step.
struct HandMotion {
    PointKinematics hand;
    ValueTriple phi;
};

// The arm lengths, refusing a link of zero or negative length: it leaves the joint directions
// undefined.
struct ArmLengths {
    double l1 = 0, l2 = 0, l3 = 0;
    numeric::Branch branch = numeric::Branch::Usual;
};
std::optional<sim::Refusal> ReadArmLengths(const sim::InputValues& in, ArmLengths& arm)
{
    if (auto refused =
            in.read({{"L1", arm.l1}, {"L2", arm.l2}, {"L3", arm.l3}, {"branch", arm.branch}}))
        return refused;
    for (const auto& [key, length] : {std::pair{"L1", arm.l1}, std::pair{"L2", arm.l2}})
        if (!(length > 0))
            return sim::Refusal::OfBox(
                key, MECHSIM_TR_NOOP("core", "0より大きい長さを入力してください"));
    return std::nullopt;
}

// The steps both forms share; `drive(profile)` gives the HandMotion of a step. `unwrapBase`
// keeps the1 continuous across the +-pi seam (the arc runs once around the circle); the other
// angles stay as LineAngle gives them.
template <typename Drive> sim::RunOrRefusal ComputeArmMotion(const ArmLengths& arm,
                                                             const sim::StepLoop& loop,
                                                             const Drive& drive, bool unwrapBase)
{
    auto run = std::make_unique<Serial3RInverseRun>();
    run->fitsWristPath = unwrapBase;
    run->l1 = arm.l1;
    run->l2 = arm.l2;
    Serial3RInverseRun& turns = *run;
    const auto* whole = dynamic_cast<const Serial3RInverseRun*>(loop.whole);
    double previousRaw = 0, offset = whole ? whole->baseTurnsAt(loop.first) : 0;
    return sim::RunSteps(
        loop, std::move(run), [&](const sim::Step& step) -> sim::Refusable<ArmStep> {
            const HandMotion motion = drive(step.profile);
            auto solved =
                SolveSerial3RArm(arm.l1, arm.l2, arm.l3, motion.hand, motion.phi, arm.branch);
            if (!solved)
                return std::move(solved).error();
            const Serial3RArmPose& pose = solved.value();

            ValueTriple the1 = pose.the1;
            if (unwrapBase) {
                if (whole && step.index == loop.first)
                    previousRaw = the1.value;   // the turns so far are the whole run's
                const double before = offset;
                numeric::UnwrapAngle(previousRaw, the1.value, offset);
                if (offset != before)
                    turns.baseTurns.emplace_back(step.index, offset);
            }
            const ValueTriple& a2 = pose.link2;
            const ValueTriple& phi = motion.phi;
            return ArmStep{motion.hand,
                           pose.wrist,
                           pose.elbow,
                           the1,
                           {a2.value - the1.value, a2.rate - the1.rate, a2.accel - the1.accel},
                           {phi.value - a2.value, phi.rate - a2.rate, phi.accel - a2.accel}};
        });
}

sim::RunOrRefusal ComputeLineMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    ArmLengths arm;
    double x5s = 0, x5f = 0, y5s = 0, y5f = 0, phis = 0, phif = 0;
    if (auto refused = ReadArmLengths(in, arm))
        return *std::move(refused);
    if (auto refused = in.read({{"x5_s", x5s},
                                {"x5_f", x5f},
                                {"y5_s", y5s},
                                {"y5_f", y5f},
                                {"phi_s", phis},
                                {"phi_f", phif}}))
        return *std::move(refused);
    const double t = loop.context.cycleTime;
    return ComputeArmMotion(
        arm, loop,
        [&](const sim::ProfileTriple& s) {
            const ValueTriple x = sim::DriveValue(x5s, x5f, s, t);
            const ValueTriple y = sim::DriveValue(y5s, y5f, s, t);
            return HandMotion{{x.value, x.rate, x.accel, y.value, y.rate, y.accel},
                              sim::DriveValue(phis, phif, s, t)};
        },
        false);
}

sim::RunOrRefusal ComputeArcMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    ArmLengths arm;
    double xc = 0, yc = 0, rc = 0, phi = 0, thes = 0, thef = 0;
    if (auto refused = ReadArmLengths(in, arm))
        return *std::move(refused);
    if (auto refused = in.read(
            {{"xc", xc}, {"yc", yc}, {"rc", rc}, {"phi", phi}, {"the_s", thes}, {"the_f", thef}}))
        return *std::move(refused);
    const PointKinematics centre = PointKinematics::AtRest(xc, yc);
    const double t = loop.context.cycleTime;
    return ComputeArmMotion(
        arm, loop,
        [&](const sim::ProfileTriple& s) {
            // The hand point at radius rc about the centre, polar angle theta: a polar point.
            const ValueTriple theta = sim::DriveValue(thes, thef, s, t);
            return HandMotion{numeric::PolarPoint(centre, rc, theta), {phi, 0, 0}};
        },
        true);
}

}

const sim::Mechanism& Serial3RLine()
{
    static const sim::Mechanism mechanism{
        .command = "3r-line",
        .menuGroup = sim::MenuGroup::SerialArms,
        .menuName = "choku3r",
        .formName = "Form3rchoku",
        .title = MECHSIM_TR_NOOP("core", "直列３R直線補間"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(0, "L1", "40", MECHSIM_TR_NOOP("core", "リンク1の長さ（単位は任意）")),
             sim::NumberBox(1, "L2", "40", MECHSIM_TR_NOOP("core", "リンク2の長さ（単位は任意）")),
             sim::NumberBox(2, "L3", "30", MECHSIM_TR_NOOP("core", "リンク3の長さ（単位は任意）")),
             sim::NumberBox(3, "x5_s", "0",
                            MECHSIM_TR_NOOP("core", "手先のx座標、始め（長さと同じ単位）")),
             sim::NumberBox(4, "x5_f", "100",
                            MECHSIM_TR_NOOP("core", "手先のx座標、終わり（長さと同じ単位）")),
             sim::NumberBox(5, "y5_s", "100",
                            MECHSIM_TR_NOOP("core", "手先のy座標、始め（長さと同じ単位）")),
             sim::NumberBox(6, "y5_f", "0",
                            MECHSIM_TR_NOOP("core", "手先のy座標、終わり（長さと同じ単位）")),
             sim::AngleBox(7, "phi_s", "90",
                           MECHSIM_TR_NOOP("core", "手先の向き（リンク3の方向）、始め［度］")),
             sim::AngleBox(8, "phi_f", "0",
                           MECHSIM_TR_NOOP("core", "手先の向き（リンク3の方向）、終わり［度］")),
             sim::BranchBox("branch")},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2,dthe2,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {},
        .ComputeMotion = ComputeLineMotion,
    };
    return mechanism;
}

const sim::Mechanism& Serial3RArc()
{
    static const sim::Mechanism mechanism{
        .command = "3r-arc",
        .menuGroup = sim::MenuGroup::SerialArms,
        .menuName = "enn3r",
        .formName = "Form3renn",
        .title = MECHSIM_TR_NOOP("core", "直列３R円弧補間"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(0, "L1", "40", MECHSIM_TR_NOOP("core", "リンク1の長さ（単位は任意）")),
             sim::NumberBox(1, "L2", "40", MECHSIM_TR_NOOP("core", "リンク2の長さ（単位は任意）")),
             sim::NumberBox(2, "L3", "30", MECHSIM_TR_NOOP("core", "リンク3の長さ（単位は任意）")),
             sim::NumberBox(3, "xc", "0",
                            MECHSIM_TR_NOOP("core", "手先が描く円の中心のx座標（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "中心位置ｘc")),
             sim::NumberBox(4, "yc", "50",
                            MECHSIM_TR_NOOP("core", "手先が描く円の中心のy座標（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "中心位置ｙc")),
             sim::NumberBox(5, "rc", "20",
                            MECHSIM_TR_NOOP("core", "手先が描く円の半径（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "円半径 rc")),
             sim::AngleBox(
                 6, "phi", "20",
                 MECHSIM_TR_NOOP("core", "手先の向き（リンク3の方向）、動く間は一定［度］"),
                 MECHSIM_TR_NOOP("core", "手首角phi")),
             sim::AngleBox(
                 7, "the_s", "0",
                 MECHSIM_TR_NOOP("core", "円の上の手先の始めの位置、中心から見た角度［度］")),
             sim::AngleBox(
                 8, "the_f", "360",
                 MECHSIM_TR_NOOP("core", "円の上の手先の終わりの位置、中心から見た角度［度］")),
             sim::BranchBox("branch")},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2,dthe2,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {},
        .ComputeMotion = ComputeArcMotion,
    };
    return mechanism;
}

}
