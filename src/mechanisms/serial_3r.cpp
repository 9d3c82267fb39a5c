// Serial 3R arm under forward kinematics: three chained polar points from the fixed base.
#include "mechanisms/serial_3r.h"

#include "mechanisms/serial_2r.h"
#include "numeric/closures.h"
#include "plot/guides.h"
#include "plot/primitives.h"
#include "run/step_loop.h"

namespace mechanisms {

using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleSeries;
using sim::TripleView;

Serial3RPose SolveSerial3R(double l1, double l2, double l3, const ValueTriple& the1,
                           const ValueTriple& the2, const ValueTriple& the3)
{
    // Links 1 and 2 are the 2R arm; link 3 turns on by the3 from the direction of link 2.
    const Serial2RPose inner = SolveSerial2R(l1, l2, the1, the2);
    const ValueTriple absolute3{the1.value + the2.value + the3.value,
                                the1.rate + the2.rate + the3.rate,
                                the1.accel + the2.accel + the3.accel};
    return {the1,        the2,      the3,
            inner.elbow, inner.tip, numeric::PolarPoint(inner.tip, l3, absolute3)};
}

void DrawThreeLinkArm(plot::Canvas& p, const plot::WorldWindow& w, plot::WorldPoint joint2,
                      plot::WorldPoint joint3, plot::WorldPoint hand)
{
    const plot::WorldPoint base{0, 0};
    p.setPenWidth(2);
    plot::WorldLine(p, w, base, joint2, 1);
    plot::WorldLine(p, w, joint2, joint3, 2);
    plot::WorldLine(p, w, joint3, hand, 3);
    for (const plot::WorldPoint joint : {base, joint2, joint3, hand})
        plot::WorldCircle(p, w, joint, 1);
    p.setPenWidth(1);
}

namespace {

class Serial3RRun : public sim::MechanismRun {
public:
    double l1 = 0, l2 = 0;
    TripleSeries the1, the2, the3;
    PointSeries joint2, joint3, hand;

    // The series of the pose's values(), in its order.

    // The series of the pose's values(), in its order.
    auto series() { return std::tie(the1, the2, the3, joint2, joint3, hand); }

    sim::ResultTable resultTable() const override
    {
        return {{"sec", "x", "dx", "ddx", "y", "dy", "ddy"},
                {hand.x, hand.vx, hand.ax, hand.y, hand.vy, hand.ay}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(the1), TripleView::Of(the2)};   // joint 3 is not plotted
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"x   dx   ddx", TripleView::X(hand)}, {"y   dy   ddy", TripleView::Y(hand)}};
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        // The joint 3 path does not enter the window.
        plot::WorldWindow w = plot::WorldWindow::AtPoint(0, 0);
        const int n = static_cast<int>(hand.x.size()) - 1;
        plot::FitWorldWindow(n, hand.x, hand.y, w);
        plot::FitWorldWindow(n, joint2.x, joint2.y, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        DrawThreeLinkArm(p, w, joint2.position(k), joint3.position(k), hand.position(k));
    }
    const PointSeries* tracedPath() const override { return &hand; }
    std::vector<numeric::PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {joint2.at(k), joint3.at(k), hand.at(k)};
    }
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return SerialArmLinks({joint2.at(k), joint3.at(k), hand.at(k)},
                              {the1.at(k), the2.at(k), the3.at(k)});
    }
    // The ring the wrist (the third joint) can reach around the base.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::DrawReachRing(p, w, {0, 0}, l1, l2);
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    double l1 = 0, l2 = 0, l3 = 0;
    double the1s = 0, the1f = 0, the2s = 0, the2f = 0, the3s = 0, the3f = 0;
    if (auto refused = in.read({{"L1", l1},
                                {"L2", l2},
                                {"L3", l3},
                                {"the1s", the1s},
                                {"the1f", the1f},
                                {"the2s", the2s},
                                {"the2f", the2f},
                                {"the3s", the3s},
                                {"the3f", the3f}}))
        return *std::move(refused);
    auto run = std::make_unique<Serial3RRun>();
    run->l1 = l1;
    run->l2 = l2;
    const double t = loop.context.cycleTime;
    return sim::RunSteps(loop, std::move(run), [&](const sim::Step& step) {
        const sim::ProfileTriple& s = step.profile;
        return SolveSerial3R(l1, l2, l3, sim::DriveValue(the1s, the1f, s, t),
                             sim::DriveValue(the2s, the2f, s, t),
                             sim::DriveValue(the3s, the3f, s, t));
    });
}

}

const sim::Mechanism& Serial3R()
{
    static const sim::Mechanism mechanism{
        .command = "3r",
        .menuGroup = sim::MenuGroup::SerialArms,
        .menuName = "jun3r",
        .formName = "Form3rjun",
        .title = MECHSIM_TR_NOOP("core", "直列３R順運動学"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(0, "L1", "40", MECHSIM_TR_NOOP("core", "リンク1の長さ（単位は任意）")),
             sim::NumberBox(1, "L2", "20", MECHSIM_TR_NOOP("core", "リンク2の長さ（単位は任意）")),
             sim::NumberBox(2, "L3", "10", MECHSIM_TR_NOOP("core", "リンク3の長さ（単位は任意）")),
             sim::AngleBox(3, "the1s", "0", MECHSIM_TR_NOOP("core", "関節1の始めの角度［度］")),
             sim::AngleBox(4, "the1f", "180", MECHSIM_TR_NOOP("core", "関節1の終わりの角度［度］")),
             sim::AngleBox(5, "the2s", "-60",
                           MECHSIM_TR_NOOP("core", "関節2の始めの角度、リンク1から測る［度］")),
             sim::AngleBox(6, "the2f", "60",
                           MECHSIM_TR_NOOP("core", "関節2の終わりの角度、リンク1から測る［度］")),
             sim::AngleBox(7, "the3s", "-60",
                           MECHSIM_TR_NOOP("core", "関節3の始めの角度、リンク2から測る［度］")),
             sim::AngleBox(8, "the3f", "60",
                           MECHSIM_TR_NOOP("core", "関節3の終わりの角度、リンク2から測る［度］"))},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2, dthe2 ,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
