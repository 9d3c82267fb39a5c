// Four-bar linkage driven by one counter-clockwise turn of its crank.
#include "mechanisms/four_bar.h"

#include "numeric/closures.h"
#include "numeric/constants.h"
#include "plot/primitives.h"
#include "sim/step_loop.h"

namespace mechanisms {

using numeric::PointKinematics;
using numeric::Status;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

sim::Refusable<FourBarPose> SolveFourBar(const FourBarDimensions& d, const ValueTriple& theta)
{
    const PointKinematics rockerPivot = PointKinematics::AtRest(0, 0);
    const PointKinematics crankPivot = PointKinematics::AtRest(0 + d.l4, 0);
    FourBarPose pose;
    pose.crank = theta;
    pose.crankTip = numeric::PolarPoint(crankPivot, d.l1, theta);
    if (numeric::SolveDyad(rockerPivot, pose.crankTip, d.l3, d.l2, pose.rockerTip) != Status::Ok
        || numeric::BodyPoint(pose.rockerTip, pose.crankTip, d.gsi, d.eta, pose.couplerPoint)
               != Status::Ok
        || numeric::LineAngle(rockerPivot, pose.rockerTip, pose.rocker) != Status::Ok)
        return sim::Refusal::OfStep("リンク機構が閉じません");
    return pose;
}

namespace {

class FourBarRun : public sim::MechanismRun {
public:
    double l4 = 0;   // the crank pivot D = (L4, 0); the rocker pivot O is the origin
    TripleSeries theta, phi;
    PointSeries crankTip, rockerTip, couplerPoint;

    explicit FourBarRun(std::size_t count)
    {
        theta.resize(count);
        phi.resize(count);
        crankTip.resize(count);
        rockerTip.resize(count);
        couplerPoint.resize(count);
    }
    void store(std::size_t k, const FourBarPose& pose)
    {
        theta.store(k, pose.crank);
        phi.store(k, pose.rocker);
        crankTip.store(k, pose.crankTip);
        rockerTip.store(k, pose.rockerTip);
        couplerPoint.store(k, pose.couplerPoint);
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
        plot::WorldWindow w = plot::WorldWindow::AtPoint(l4, 0);
        const int n = static_cast<int>(theta.value.size()) - 1;
        plot::FitWorldWindow(n, couplerPoint.x, couplerPoint.y, w);
        plot::FitWorldWindow(n, crankTip.x, crankTip.y, w);
        plot::FitWorldWindow(0, 0, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        const plot::WorldPoint d{l4, 0}, o{0, 0};   // crank and rocker pivots
        const plot::WorldPoint b = crankTip.position(k), pt = rockerTip.position(k);
        p.setPenWidth(2);
        plot::WorldLine(p, w, d, b, 1);    // crank
        plot::WorldLine(p, w, b, pt, 2);   // coupler
        plot::WorldLine(p, w, pt, o, 3);   // rocker
        plot::WorldLine(p, w, o, d, 4);    // ground
        plot::WorldLine(p, w, pt, couplerPoint.position(k), 6);
        for (const plot::WorldPoint joint : {d, b, pt, o})
            plot::WorldCircle(p, w, joint, 1);
        p.setPenWidth(1);
    }
    const PointSeries* tracedPath() const override { return &couplerPoint; }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::RunContext& ctx)
{
    FourBarDimensions d;
    if (auto refused = in.read({{"L1", d.l1},
                                {"L2", d.l2},
                                {"L3", d.l3},
                                {"L4", d.l4},
                                {"gsi", d.gsi},
                                {"eta", d.eta}}))
        return *std::move(refused);
    auto run = std::make_unique<FourBarRun>(sim::StepCount(ctx));
    run->l4 = 0 + d.l4;
    return sim::RunSteps(ctx, std::move(run), [&](const sim::Step& step) {
        return SolveFourBar(d, sim::DriveValue(0, numeric::kTwoPi, step.profile, ctx.cycleTime));
    });
}

}

const sim::Mechanism& FourBar()
{
    static const sim::Mechanism mechanism{
        .command = "four-bar",
        .formName = "Form4link",
        .title = "４リンク機構",
        .windowTitle = {},
        .inputs = {{0, "gsi", "0", "gsi", false},
                   {1, "eta", "0.1", "eta", false},
                   {3, "L1", "0.3", "L1", false},
                   {4, "L2", "0.4", "L2", false},
                   {5, "L3", "0.6", "L3", false},
                   {6, "L4", "0.68", "L4", false}},
        .graphCaptions = {"ｙ：ｔｈｅ,  dthe  ,ddthe 　ｘ：ｔｉｍｅ",
                          "ｙ：phi,  dphi , ddphi　ｘ：ｔｉｍｅ"},
        .traits = {.stopPoses = sim::StopPoses::QuarterPose,
                   .stopTracesPath = true,
                   .nextStopsTimer = false,
                   .showsOkAfterCompute = true},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
