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

    explicit Serial3RRun(std::size_t count)
    {
        for (TripleSeries* t : {&the1, &the2, &the3})
            t->resize(count);
        for (PointSeries* p : {&joint2, &joint3, &hand})
            p->resize(count);
    }
    void store(std::size_t k, const Serial3RPose& pose)
    {
        the1.store(k, pose.the1);
        the2.store(k, pose.the2);
        the3.store(k, pose.the3);
        joint2.store(k, pose.joint2);
        joint3.store(k, pose.joint3);
        hand.store(k, pose.hand);
    }

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
    // The ring the wrist (the third joint) can reach around the base.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::DrawReachRing(p, w, {0, 0}, l1, l2);
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::RunContext& ctx)
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
    auto run = std::make_unique<Serial3RRun>(sim::StepCount(ctx));
    run->l1 = l1;
    run->l2 = l2;
    return sim::RunSteps(ctx, std::move(run), [&](const sim::Step& step) {
        const sim::ProfileTriple& s = step.profile;
        return SolveSerial3R(l1, l2, l3, sim::DriveValue(the1s, the1f, s, ctx.cycleTime),
                             sim::DriveValue(the2s, the2f, s, ctx.cycleTime),
                             sim::DriveValue(the3s, the3f, s, ctx.cycleTime));
    });
}

}

const sim::Mechanism& Serial3R()
{
    static const sim::Mechanism mechanism{
        .command = "3r",
        .formName = "Form3rjun",
        .title = MECHSIM_TR_NOOP("core", "直列３R順運動学"),
        .windowTitle = {},
        .inputs =
            {{0, "L1", "40", "L1", false, MECHSIM_TR_NOOP("core", "リンク1の長さ（単位は任意）")},
             {1, "L2", "20", "L2", false, MECHSIM_TR_NOOP("core", "リンク2の長さ（単位は任意）")},
             {2, "L3", "10", "L3", false, MECHSIM_TR_NOOP("core", "リンク3の長さ（単位は任意）")},
             {3, "the1s", "0", "the1s", true, MECHSIM_TR_NOOP("core", "関節1の始めの角度［度］")},
             {4, "the1f", "180", "the1f", true,
              MECHSIM_TR_NOOP("core", "関節1の終わりの角度［度］")},
             {5, "the2s", "-60", "the2s", true,
              MECHSIM_TR_NOOP("core", "関節2の始めの角度、リンク1から測る［度］")},
             {6, "the2f", "60", "the2f", true,
              MECHSIM_TR_NOOP("core", "関節2の終わりの角度、リンク1から測る［度］")},
             {7, "the3s", "-60", "the3s", true,
              MECHSIM_TR_NOOP("core", "関節3の始めの角度、リンク2から測る［度］")},
             {8, "the3f", "60", "the3f", true,
              MECHSIM_TR_NOOP("core", "関節3の終わりの角度、リンク2から測る［度］")}},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ1, dthe1 ,ddthe1　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ2, dthe2 ,ddthe2　ｘ：ｔｉｍｅ")},
        .traits = {},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
