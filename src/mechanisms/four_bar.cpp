// Four-bar linkage driven by one counter-clockwise turn of its crank.
#include "mechanisms/four_bar.h"

#include "mechanisms/finite_values.h"
#include "numeric/closures.h"
#include "numeric/constants.h"
#include "plot/primitives.h"

namespace mechanisms {

using numeric::PointKinematics;
using numeric::Status;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

std::optional<FourBarPose> SolveFourBar(const FourBarDimensions& d, const ValueTriple& theta)
{
    const PointKinematics rockerPivot = PointKinematics::AtRest(0, 0);
    const PointKinematics crankPivot = PointKinematics::AtRest(0 + d.l4, 0);
    FourBarPose pose;
    pose.crankTip = numeric::PolarPoint(crankPivot, d.l1, theta);
    if (numeric::SolveDyad(rockerPivot, pose.crankTip, d.l3, d.l2, pose.rockerTip) != Status::Ok
        || numeric::BodyPoint(pose.rockerTip, pose.crankTip, d.gsi, d.eta, pose.couplerPoint)
               != Status::Ok
        || numeric::LineAngle(rockerPivot, pose.rockerTip, pose.rocker) != Status::Ok)
        return std::nullopt;
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

sim::ComputeOutcome ComputeMotion(const sim::InputValues& in, const sim::RunContext& ctx)
{
    const int n = ctx.divisions;
    auto run = std::make_unique<FourBarRun>(static_cast<std::size_t>(n) + 1);
    const FourBarDimensions d{
        .l1 = in[3], .l2 = in[4], .l3 = in[5], .l4 = in[6], .gsi = in[0], .eta = in[1]};
    run->l4 = 0 + d.l4;
    for (int i = 0; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const sim::ProfileTriple s = sim::EvaluateProfile(ctx.profile, double(i) / n);
        const ValueTriple theta = sim::DriveValue(0, numeric::kTwoPi, s, ctx.cycleTime);
        const std::optional<FourBarPose> pose = SolveFourBar(d, theta);
        if (!pose)
            return sim::ComputeError{sim::ComputeError::Kind::Step, i, "リンク機構が閉じません"};
        if (!AllFinite(theta, pose->rocker, pose->crankTip, pose->rockerTip, pose->couplerPoint))
            return sim::ComputeError{sim::ComputeError::Kind::Step, i, kNotFiniteReason};
        run->theta.store(k, theta);
        run->phi.store(k, pose->rocker);
        run->crankTip.store(k, pose->crankTip);
        run->rockerTip.store(k, pose->rockerTip);
        run->couplerPoint.store(k, pose->couplerPoint);
    }
    return run;
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
