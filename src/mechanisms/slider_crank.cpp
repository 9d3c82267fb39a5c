// Crank-and-piston mechanism driven by one counter-clockwise turn of its crank.
#include "mechanisms/slider_crank.h"

#include <cmath>

#include "mechanisms/closure_reasons.h"
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

bool IsVerticalGuide(double guideAngle)
{
    // A pin lying on the guide always reaches it, so SolveSlider refuses only the direction:
    // this keeps one steepness limit, the closure's own.
    const PointKinematics onGuide = PointKinematics::AtRest(0, 0);
    PointKinematics unused;
    return numeric::SolveSlider(guideAngle, 1, onGuide, onGuide, unused) != Status::Ok;
}

namespace {

// Why the rod cannot meet the guide: the pin is farther from the guide line than L, or exactly
// L away so that the rod only touches it.
sim::Phrase GuideRefusalReason(const SliderCrankDimensions& d, const PointKinematics& pin)
{
    const double distance = std::abs(std::cos(d.guideAngle) * (pin.y - d.guideY)
                                     - std::sin(d.guideAngle) * (pin.x - d.guideX));
    const auto& [distanceText, lengthText] = ContrastingTexts(distance, d.rodLength);
    const std::vector<sim::PhrasePart> stated = {sim::Plain(distanceText), sim::Plain(lengthText)};
    if (distance > d.rodLength)
        return {MECHSIM_TR_NOOP("core", "クランクピンからガイドまでの距離 %1 が L = %2 "
                                        "を超え、リンクがガイドに届きません"),
                stated};
    if (distance >= d.rodLength)
        return {MECHSIM_TR_NOOP("core", "クランクピンからガイドまでの距離 %1 が L = %2 "
                                        "に等しく、リンクがガイドに接するだけです"),
                stated};
    return {sim::kNotFiniteReason, {}};
}

}

sim::Refusable<SliderCrankPose> SolveSliderCrank(const SliderCrankDimensions& d,
                                                 const ValueTriple& theta, numeric::Branch branch)
{
    SliderCrankPose pose;
    pose.crank = theta;
    pose.pin = numeric::PolarPoint(PointKinematics::AtRest(d.x0, d.y0), d.r, theta);
    if (numeric::SolveSlider(d.guideAngle, d.rodLength, PointKinematics::AtRest(d.guideX, d.guideY),
                             pose.pin, pose.piston, branch)
        != Status::Ok)
        return sim::Refusal::OfStep(GuideRefusalReason(d, pose.pin));
    return pose;
}

namespace {

class SliderCrankRun : public sim::MechanismRun {
public:
    SliderCrankDimensions d;   // the crank circle and the guide, for the view
    TripleSeries theta;
    PointSeries pin, piston;

    // The series of the pose's values(), in its order.

    // The series of the pose's values(), in its order.
    auto series() { return std::tie(theta, pin, piston); }

    sim::ResultTable resultTable() const override
    {
        const PointSeries& p = piston;
        return {{"sec", "theta", "x3", "dx3", "ddx3", "y3", "dy3", "ddy3"},
                {theta.value, p.x, p.vx, p.ax, p.y, p.vy, p.ay}};
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(theta), TripleView::X(piston)};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        return {{"x2   dx2   ddx2", TripleView::X(pin)},
                {"y2   dy2   ddy2", TripleView::Y(pin)},
                {"x3   dx3   ddx3", TripleView::X(piston)},
                {"y3   dy3   ddy3", TripleView::Y(piston)}};
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        plot::WorldWindow w = plot::WorldWindow::AtPoint(d.guideX, d.guideY);
        const int n = static_cast<int>(theta.value.size()) - 1;
        plot::FitWorldWindow(n, piston.x, piston.y, w);
        plot::FitWorldWindow(n, pin.x, pin.y, w);
        return w;
    }
    // The guide line and its point are not drawn.
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        const plot::WorldPoint centre{d.x0, d.y0}, b = pin.position(k), s = piston.position(k);
        p.setPenWidth(2);
        plot::WorldLine(p, w, centre, b, 1);   // crank
        plot::WorldLine(p, w, b, s, 2);        // rod
        for (const plot::WorldPoint joint : {centre, b, s})
            plot::WorldCircle(p, w, joint, 1);
        p.setPenWidth(1);
    }
    const PointSeries* tracedPath() const override { return nullptr; }
    std::vector<numeric::PointKinematics> movingPoints(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {pin.at(k), piston.at(k)};
    }
    // The piston slides along its guide without turning: its centre is at infinity.
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return {
            sim::TurningLink("crank", MECHSIM_TR_NOOP("core", "クランク"),
                             {PointKinematics::AtRest(d.x0, d.y0), pin.at(k)}, theta.at(k)),
            sim::LinkThroughJoints("rod", MECHSIM_TR_NOOP("core", "連接棒"),
                                   {pin.at(k), piston.at(k)}),
            sim::TranslatingLink("piston", MECHSIM_TR_NOOP("core", "ピストン"), {piston.at(k)})};
    }
    // Frame 1, crank 2, rod 3, piston 4: the crank centre, the pin, the piston and, at infinity
    // square to the guide, the piston's slide.
    std::vector<sim::RelativeCentre> relativeCentres(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        return sim::FourLinkCentres(
            sim::FiniteCentre(1, 2, {d.x0, d.y0}), sim::FiniteCentre(2, 3, pin.position(k)),
            sim::FiniteCentre(3, 4, piston.position(k)),
            sim::CentreAtInfinity(1, 4, {-std::sin(d.guideAngle), std::cos(d.guideAngle)}));
    }
    // The guide line through (X1, Y1) and the crank circle.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        plot::GuideLine(p, w, {d.guideX, d.guideY}, d.guideAngle);
        plot::GuideCircle(p, w, {d.x0, d.y0}, d.r);
    }
};

sim::RunOrRefusal ComputeMotion(const sim::InputValues& in, const sim::StepLoop& loop)
{
    SliderCrankDimensions d;
    numeric::Branch branch = numeric::Branch::Usual;
    if (auto refused = in.read({{"x0", d.x0},
                                {"y0", d.y0},
                                {"r", d.r},
                                {"L", d.rodLength},
                                {"X1", d.guideX},
                                {"Y1", d.guideY},
                                {"phi", d.guideAngle},
                                {"branch", branch}}))
        return *std::move(refused);
    if (IsVerticalGuide(d.guideAngle))
        return sim::Refusal::OfBox(
            "phi", MECHSIM_TR_NOOP("core", "ガイドが垂直（±90°）では計算できません"));

    auto run = std::make_unique<SliderCrankRun>();
    run->d = d;
    const double t = loop.context.cycleTime;
    return sim::RunSteps(loop, std::move(run), [&](const sim::Step& step) {
        return SolveSliderCrank(d, sim::DriveValue(0, numeric::kTwoPi, step.profile, t), branch);
    });
}

}

const sim::Mechanism& SliderCrank()
{
    static const sim::Mechanism mechanism{
        .command = "slider",
        .menuGroup = sim::MenuGroup::Mechanisms,
        .menuName = "slider_kikou",
        .oneWindow = true,
        .formName = "Formslider",
        .title = MECHSIM_TR_NOOP("core", "クランク＆ピストン機構"),
        .windowTitle = {},
        .inputs =
            {sim::NumberBox(0, "x0", "1",
                            MECHSIM_TR_NOOP("core", "クランクの回転中心のx座標（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "回転中心X")),
             sim::NumberBox(1, "y0", "3",
                            MECHSIM_TR_NOOP("core", "クランクの回転中心のy座標（長さと同じ単位）"),
                            MECHSIM_TR_NOOP("core", "回転中心Y")),
             sim::NumberBox(2, "r", "10", MECHSIM_TR_NOOP("core", "クランクの半径（単位は任意）"),
                            MECHSIM_TR_NOOP("core", "半径")),
             sim::NumberBox(3, "L", "２０",
                            MECHSIM_TR_NOOP(
                                "core", "連接棒の長さ：クランクピンからピストンまで（単位は任意）"),
                            MECHSIM_TR_NOOP("core", "リンク長さ")),
             sim::NumberBox(
                 4, "X1", "1",
                 MECHSIM_TR_NOOP("core", "ピストンのガイドが通る点のx座標（長さと同じ単位）")),
             sim::NumberBox(
                 5, "Y1", "0",
                 MECHSIM_TR_NOOP("core", "ピストンのガイドが通る点のy座標（長さと同じ単位）")),
             sim::AngleBox(6, "phi", "20",
                           MECHSIM_TR_NOOP("core", "ガイドの傾き角、x軸から測る［度］"),
                           MECHSIM_TR_NOOP("core", "傾き角")),
             sim::BranchBox("branch")},
        .graphCaptions = {MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ,  dthe  ,ddthe 　ｘ：ｔｉｍｅ"),
                          MECHSIM_TR_NOOP("core", "ｙ：x3,  dx3 , ddx3　ｘ：ｔｉｍｅ")},
        .traits = {.stopPoses = sim::StopPoses::TwentiethsFromOne,
                   .stopTracesPath = false,
                   .nextStopsTimer = true,
                   .showsOkAfterCompute = true},
        .ComputeMotion = ComputeMotion,
    };
    return mechanism;
}

}
