// Serial 2R arm: the reference mechanism of the simulation frame.
#include "mechanisms/serial_2r.h"

#include "numeric/closures.h"
#include "plot/guides.h"
#include "plot/primitives.h"
#include "run/step_loop.h"

namespace mechanisms {

using numeric::PointKinematics;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

Serial2RPose SolveSerial2R(double l1, double l2, const ValueTriple& the1, const ValueTriple& the2)
{
    const PointKinematics base = PointKinematics::AtRest(0, 0);
    const PointKinematics elbow = numeric::PolarPoint(base, l1, the1);
    const ValueTriple absolute2{the1.value + the2.value, the1.rate + the2.rate,
                                the1.accel + the2.accel};
    return {the1, the2, elbow, numeric::PolarPoint(elbow, l2, absolute2)};
}

std::vector<sim::MovingLink> SerialArmLinks(const std::vector<PointKinematics>& joints,
                                            const std::vector<ValueTriple>& angles)
{
    static const char* const kLabels[] = {MECHSIM_TR_NOOP("core", "リンク1"),
                                          MECHSIM_TR_NOOP("core", "リンク2"),
                                          MECHSIM_TR_NOOP("core", "リンク3")};
    std::vector<sim::MovingLink> links;
    PointKinematics from = PointKinematics::AtRest(0, 0);
    ValueTriple direction;
    for (std::size_t k = 0; k < joints.size() && k < angles.size() && k < 3; ++k) {
        direction = {direction.value + angles[k].value, direction.rate + angles[k].rate,
                     direction.accel + angles[k].accel};
        links.push_back(sim::TurningLink("link" + std::to_string(k + 1), kLabels[k],
                                         {from, joints[k]}, direction));
        from = joints[k];
    }
    return links;
}

namespace {

class Serial2RRun : public sim::MechanismRun {
public:
    double l1 = 0, l2 = 0;
    TripleSeries the1, the2;
    PointSeries elbow, tip;

    // The series of the pose's values(), in its order.

    // The series of the pose's values(), in its order.
    auto series() { return std::tie(the1, the2, elbow, tip); }

    sim::ResultTable resultTable() const override
    {
        return {{"sec", "x", "dx", "ddx", "y", "dy", "ddy"},
                {tip.x, tip.vx, tip.ax, tip.y, tip.vy, tip.ay}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(the1), TripleView::Of(the2)};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"x   dx   ddx", TripleView::X(tip)}, {"y   dy   ddy", TripleView::Y(tip)}};
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        plot::WorldWindow w = plot::WorldWindow::AtPoint(0, 0);
        const int n = static_cast<int>(tip.x.size()) - 1;
        plot::FitWorldWindow(n, tip.x, tip.y, w);
        plot::FitWorldWindow(n, elbow.x, elbow.y, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        const plot::WorldPoint base{0, 0}, e = elbow.position(k), t = tip.position(k);
        p.setPenWidth(2);
        plot::WorldLine(p, w, base, e, 1);
        plot::WorldLine(p, w, e, t, 2);
        for (const plot::WorldPoint joint : {base, e, t})
            plot::WorldCircle(p, w, joint, 1);
        p.setPenWidth(1);
    }
    const PointSeries* tracedPath() const override { return &tip; }
    std::vector<numeric::PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {elbow.at(k), tip.at(k)};
    }
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return SerialArmLinks({elbow.at(k), tip.at(k)}, {the1.at(k), the2.at(k)});
    }
    // The ring the tip can reach around the base.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::DrawReachRing(p, w, {0, 0}, l1, l2);
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    double l1 = 0, l2 = 0, the1s = 0, the1f = 0, the2s = 0, the2f = 0;
    if (auto refused = in.read({{"L1", l1},
                                {"L2", l2},
                                {"the1s", the1s},
                                {"the1f", the1f},
                                {"the2s", the2s},
                                {"the2f", the2f}}))
        return *std::move(refused);
    auto run = std::make_unique<Serial2RRun>();
    run->l1 = l1;
    run->l2 = l2;
    const double t = loop.context.cycleTime;
    return sim::RunSteps(loop, std::move(run), [&](const sim::Step& step) {
        return SolveSerial2R(l1, l2, sim::DriveValue(the1s, the1f, step.profile, t),
                             sim::DriveValue(the2s, the2f, step.profile, t));
    });
}

}

const sim::Mechanism& Serial2R()
{
    static const sim::Mechanism mechanism{
        .command = "2r",
        .menuGroup = sim::MenuGroup::SerialArms,
        .menuName = "jun2r",
        .formName = "Form2rjun",
        .title = MECHSIM_TR_NOOP("core", "直列２R順運動学"),
        .windowTitle = " ",
        .inputs =
            {sim::NumberBox(0, "L1", "20", MECHSIM_TR_NOOP("core", "リンク1の長さ（単位は任意）")),
             sim::NumberBox(1, "L2", "10", MECHSIM_TR_NOOP("core", "リンク2の長さ（単位は任意）")),
             sim::AngleBox(3, "the1s", "0", MECHSIM_TR_NOOP("core", "関節1の始めの角度［度］")),
             sim::AngleBox(4, "the1f", "180", MECHSIM_TR_NOOP("core", "関節1の終わりの角度［度］")),
             sim::AngleBox(5, "the2s", "-90",
                           MECHSIM_TR_NOOP("core", "関節2の始めの角度、リンク1から測る［度］")),
             sim::AngleBox(6, "the2f", "0",
                           MECHSIM_TR_NOOP("core", "関節2の終わりの角度、リンク1から測る［度］"))},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2, dthe2 ,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
