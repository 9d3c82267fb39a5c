// Four-bar linkage driven by one counter-clockwise turn of its crank.
#include "mechanisms/four_bar.h"

#include <cmath>
#include <cstdio>

#include "mechanisms/closure_reasons.h"
#include "mechanisms/four_bar_analysis.h"
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

sim::Refusable<FourBarPose> SolveFourBar(const FourBarDimensions& d, const ValueTriple& theta,
                                         numeric::Branch branch)
{
    const PointKinematics rockerPivot = PointKinematics::AtRest(0, 0);
    const PointKinematics crankPivot = PointKinematics::AtRest(0 + d.l4, 0);
    FourBarPose pose;
    pose.crank = theta;
    pose.crankTip = numeric::PolarPoint(crankPivot, d.l1, theta);
    if (numeric::SolveDyad(rockerPivot, pose.crankTip, d.l3, d.l2, pose.rockerTip, branch)
        != Status::Ok)
        return sim::Refusal::OfStep(DyadRefusalReason(
            {MECHSIM_TR_NOOP("core", "ロッカー支点からクランク先端までの距離"), "L3", "L2"}, d.l3,
            d.l2, rockerPivot, pose.crankTip));
    if (numeric::BodyPoint(pose.rockerTip, pose.crankTip, d.gsi, d.eta, pose.couplerPoint)
            != Status::Ok
        || numeric::LineAngle(rockerPivot, pose.rockerTip, pose.rocker) != Status::Ok)
        return sim::Refusal::OfStep(MECHSIM_TR_NOOP("core", "リンク機構が閉じません"));
    return pose;
}

namespace {

// An angle in degrees with one decimal, e.g. "38.2°".
std::string Degrees(double radians)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f°", radians * 180 / numeric::kPi);
    return text;
}

class FourBarRun : public sim::MechanismRun {
public:
    FourBarDimensions d;   // the crank pivot D = (L4, 0); the rocker pivot O is the origin
    TripleSeries theta, phi;
    PointSeries crankTip, rockerTip, couplerPoint;
    Extremes transmission;   // of every step stored, in step order
    // The rocker's swing, measured from the first pose's angle so that a swing across the
    // +-pi seam stays one arc; kept as steps are stored, so no tick scans the whole run.
    double rockerFirst = 0;
    Extremes rockerTurn;

    // The series of the pose's values(), in its order.

    // The series of the pose's values(), in its order.
    auto series() { return std::tie(theta, phi, crankTip, rockerTip, couplerPoint); }
    void observe(const FourBarPose& pose)
    {
        transmission.take(TransmissionAngle({pose.crankTip.x, pose.crankTip.y},
                                            {pose.rockerTip.x, pose.rockerTip.y}, {0, 0}));
        if (rockerTurn.steps == 0)
            rockerFirst = pose.rocker.value;
        rockerTurn.take(std::remainder(pose.rocker.value - rockerFirst, numeric::kTwoPi));
    }

    sim::ResultTable resultTable() const override
    {
        const PointSeries& c = couplerPoint;
        return {{"sec", "theta", "phi", "x", "dx", "ddx", "y", "dy", "ddy"},
                {theta.value, phi.value, c.x, c.vx, c.ax, c.y, c.vy, c.ay}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(theta), TripleView::Of(phi)};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"x   dx   ddx", TripleView::X(couplerPoint)},
                {"y   dy   ddy", TripleView::Y(couplerPoint)}};
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        plot::WorldWindow w = plot::WorldWindow::AtPoint(d.l4, 0);
        const int n = static_cast<int>(theta.value.size()) - 1;
        plot::FitWorldWindow(n, couplerPoint.x, couplerPoint.y, w);
        plot::FitWorldWindow(n, crankTip.x, crankTip.y, w);
        plot::FitWorldWindow(0, 0, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        const plot::WorldPoint dp{d.l4, 0}, o{0, 0};   // crank and rocker pivots
        const plot::WorldPoint b = crankTip.position(k), pt = rockerTip.position(k);
        p.setPenWidth(2);
        plot::WorldLine(p, w, dp, b, 1);   // crank
        plot::WorldLine(p, w, b, pt, 2);   // coupler
        plot::WorldLine(p, w, pt, o, 3);   // rocker
        plot::WorldLine(p, w, o, dp, 4);   // ground
        plot::WorldLine(p, w, pt, couplerPoint.position(k), 6);
        for (const plot::WorldPoint joint : {dp, b, pt, o})
            plot::WorldCircle(p, w, joint, 1);
        p.setPenWidth(1);
    }
    const PointSeries* tracedPath() const override { return &couplerPoint; }
    std::vector<numeric::PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {crankTip.at(k), rockerTip.at(k), couplerPoint.at(k)};
    }
    // The crank turns about D, the rocker about O; the coupler's turning is found from its
    // two joints.
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {sim::TurningLink("crank", MECHSIM_TR_NOOP("core", "クランク"),
                                 {PointKinematics::AtRest(d.l4, 0), crankTip.at(k)}, theta.at(k)),
                sim::LinkThroughJoints("coupler", MECHSIM_TR_NOOP("core", "中間節"),
                                       {crankTip.at(k), rockerTip.at(k), couplerPoint.at(k)}),
                sim::TurningLink("rocker", MECHSIM_TR_NOOP("core", "揺動節"),
                                 {PointKinematics::AtRest(0, 0), rockerTip.at(k)}, phi.at(k))};
    }
    // Frame 1, crank 2, coupler 3, rocker 4: the joints D, crank tip, rocker tip and O.
    std::vector<sim::RelativeCentre> relativeCentres(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return sim::FourLinkCentres(
            sim::FiniteCentre(1, 2, {d.l4, 0}), sim::FiniteCentre(2, 3, crankTip.position(k)),
            sim::FiniteCentre(3, 4, rockerTip.position(k)), sim::FiniteCentre(1, 4, {0, 0}));
    }
    // The crank circle and the arc the rocker swings through in this run.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::GuideCircle(p, w, {d.l4, 0}, d.l1);
        plot::GuideArc(p, w, {0, 0}, d.l3, rockerFirst + rockerTurn.min,
                       rockerFirst + rockerTurn.max);
    }
    std::vector<std::string> findings(const sim::Translator& translate = {}) const override
    {
        const Extremes& e = transmission;
        const sim::Phrase grashof{
            MECHSIM_TR_NOOP("core", "グラスホフの分類: %1"),
            {sim::Marked(GrashofName(ClassifyGrashof(d.l1, d.l2, d.l3, d.l4)))}};
        const sim::Phrase angles{
            MECHSIM_TR_NOOP("core", "伝達角: 最小 %1（ステップ %2）, 最大 %3（ステップ %4）"),
            {sim::Plain(Degrees(e.min)), sim::Plain(std::to_string(e.minStep)),
             sim::Plain(Degrees(e.max)), sim::Plain(std::to_string(e.maxStep))}};
        return {grashof.Compose(translate), angles.Compose(translate)};
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    FourBarDimensions d;
    numeric::Branch branch = numeric::Branch::Usual;
    if (auto refused = in.read({{"L1", d.l1},
                                {"L2", d.l2},
                                {"L3", d.l3},
                                {"L4", d.l4},
                                {"gsi", d.gsi},
                                {"eta", d.eta},
                                {"branch", branch}}))
        return *std::move(refused);
    auto run = std::make_unique<FourBarRun>();
    run->d = d;
    run->d.l4 = 0 + d.l4;   // a pivot typed as -0 sits at +0
    const double t = loop.context.cycleTime;
    return sim::RunSteps(loop, std::move(run), [&](const sim::Step& step) {
        return SolveFourBar(d, sim::DriveValue(0, numeric::kTwoPi, step.profile, t), branch);
    });
}

}

const sim::Mechanism& FourBar()
{
    static const sim::Mechanism mechanism{
        .command = "four-bar",
        .menuGroup = sim::MenuGroup::Mechanisms,
        .menuName = "link4",
        .formName = "Form4link",
        .title = MECHSIM_TR_NOOP("core", "４リンク機構"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(
                 0, "gsi", "0",
                 MECHSIM_TR_NOOP(
                     "core", "中間節の上の点（軌跡を描く点）の位置：中間節に沿った座標、揺動節との"
                             "関節からクランクとの関節へ向かう向きが正（長さと同じ単位）")),
             sim::NumberBox(
                 1, "eta", "0.1",
                 MECHSIM_TR_NOOP("core",
                                 "中間節の上の点（軌跡を描く点）の位置：中間節に垂直な座標、左"
                                 "回りの側が正（長さと同じ単位）")),
             sim::NumberBox(3, "L1", "0.3",
                            MECHSIM_TR_NOOP("core", "クランク（駆動する節）の長さ（単位は任意）")),
             sim::NumberBox(
                 4, "L2", "0.4",
                 MECHSIM_TR_NOOP("core", "中間節の長さ：クランクと揺動節をつなぐ（単位は任意）")),
             sim::NumberBox(
                 5, "L3", "0.6",
                 MECHSIM_TR_NOOP("core", "揺動節の長さ：原点の固定関節から（単位は任意）")),
             sim::NumberBox(
                 6, "L4", "0.68",
                 MECHSIM_TR_NOOP(
                     "core",
                     "固定節の長さ：原点からクランクの回転中心まで、x軸の上（単位は任意）")),
             sim::BranchBox("branch")},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ,  dthe  ,ddthe 　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：phi,  dphi , ddphi　ｘ：ｔｉｍｅ")},
        .traits = {.stopPoses = sim::StopPoses::QuarterPose,
                   .stopTracesPath = true,
                   .nextStopsTimer = false,
                   .showsOkAfterCompute = true},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
