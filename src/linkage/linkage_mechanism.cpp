// The linkage's run: the drive, then each joint's closure in the checked order, every step.
#include "linkage/linkage_mechanism.h"

#include "linkage/pose.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "numeric/closures.h"
#include "numeric/finite.h"
#include "plot/guides.h"
#include "plot/primitives.h"
#include "run/step_loop.h"

namespace linkage {

namespace {

using numeric::Branch;
using numeric::PointKinematics;
using numeric::ValueTriple;
using sim::PointSeries;
using sim::TripleView;

// A binary link, named by its two joints ("O-A"), with the point joints fixed on it.
struct Link {
    std::string name;
    std::size_t a = 0, b = 0;
    std::vector<std::size_t> points;
    bool crank = false;
};

// The checked model, shared by the mechanism and every run computed from it.
struct Linkage {
    Model model;
    Layout layout;
    std::vector<std::string> names;   // of every point, by its place in the layout
    std::vector<Link> links;

    std::size_t jointPlace(std::size_t k) const { return layout.driven + 1 + k; }
};

// The crank, each dyad's two links, each slider's rod, in file order; a point joint joins the
// link through its two points, or makes one.
std::vector<Link> LinksOf(const Model& m, const Layout& l, const std::vector<std::string>& names)
{
    std::vector<Link> links;
    auto add = [&](std::size_t a, std::size_t b) {
        links.push_back({names[a] + "-" + names[b], a, b, {}, false});
    };
    if (m.drive.kind == DriveKind::Crank) {
        add(l.pivot, l.driven);
        links.back().crank = true;
    }
    for (std::size_t k = 0; k < m.joints.size(); ++k) {
        const std::size_t self = l.driven + 1 + k;
        if (m.joints[k].kind != JointKind::Point)
            add(l.from[k][0], self);
        if (m.joints[k].kind == JointKind::Dyad)
            add(l.from[k][1], self);
    }
    for (std::size_t k = 0; k < m.joints.size(); ++k) {
        if (m.joints[k].kind != JointKind::Point)
            continue;
        const std::size_t a = l.from[k][0], b = l.from[k][1];
        auto on = std::find_if(links.begin(), links.end(), [a, b](const Link& link) {
            return (link.a == a && link.b == b) || (link.a == b && link.b == a);
        });
        if (on == links.end()) {
            add(a, b);
            on = links.end() - 1;
        }
        on->points.push_back(l.driven + 1 + k);
    }
    return links;
}

// One step's pose as the solver holds it: the drive value and every point, ground first.
struct LinkagePose {
    const ValueTriple* drive = nullptr;
    const std::vector<PointKinematics>* points = nullptr;
    std::size_t driven = 0;

    bool allFinite() const
    {
        return numeric::IsFinite(*drive)
               && std::all_of(points->begin() + static_cast<std::ptrdiff_t>(driven), points->end(),
                              [](const PointKinematics& p) { return numeric::IsFinite(p); });
    }
};

// Closes the linkage step by step into one pose it keeps.
class Solver {
public:
    Solver(const Linkage& linkage, double cycleTime, std::vector<Branch> branches)
        : l_(linkage), cycleTime_(cycleTime), pose_(l_.model, l_.layout, std::move(branches))
    {
    }

    sim::Refusable<LinkagePose> operator()(const sim::Step& step)
    {
        const Drive& d = l_.model.drive;
        drive_ = sim::DriveValue(d.start, d.end, step.profile, cycleTime_);
        if (auto refused = pose_.solve(drive_)) [[unlikely]]
            return *std::move(refused);
        return LinkagePose{&drive_, &pose_.points(), l_.layout.driven};
    }

private:
    const Linkage& l_;
    double cycleTime_;
    PoseSolver pose_;
    ValueTriple drive_;
};

// Link colours, distinct and never the guides' grey.
constexpr int kLinkColours[] = {1, 2, 4, 5, 3, 6, 9, 12, 13, 8};

class LinkageRun : public sim::MechanismRun {
public:
    explicit LinkageRun(std::shared_ptr<const Linkage> linkage)
        : l_(std::move(linkage)), points_(l_->model.joints.size() + 1)
    {
    }

    void resize(std::size_t rows)
    {
        drive_.resize(rows);
        for (PointSeries& p : points_)
            p.resize(rows);
    }
    template <typename Visit> void forEachSeries(Visit&& visit)
    {
        drive_.forEach(visit);
        for (PointSeries& p : points_)
            p.forEach(visit);
    }
    void store(std::size_t row, const LinkagePose& pose)
    {
        drive_.store(row, *pose.drive);
        for (std::size_t k = 0; k < points_.size(); ++k)
            points_[k].store(row, (*pose.points)[pose.driven + k]);
    }

    sim::ResultTable resultTable() const override
    {
        sim::ResultTable table;
        table.header = {"sec"};
        if (l_->model.drive.kind == DriveKind::Crank)
            table.header.insert(table.header.end(), {"theta", "dtheta", "ddtheta"});
        else
            table.header.insert(table.header.end(), {"s", "ds", "dds"});
        table.columns = {drive_.value, drive_.rate, drive_.accel};
        for (std::size_t k = 0; k < points_.size(); ++k) {
            const std::string& n = l_->names[l_->layout.driven + k];
            for (const char* column : {".x", ".dx", ".ddx", ".y", ".dy", ".ddy"})
                table.header.push_back(n + column);
            const PointSeries& p = points_[k];
            table.columns.insert(table.columns.end(), {p.x, p.vx, p.ax, p.y, p.vy, p.ay});
        }
        return table;
    }
    std::array<TripleView, 2> graphs() const override
    {
        return {TripleView::Of(drive_), TripleView::X(shownPoint())};
    }
    std::vector<sim::GraphPage> nextPages() const override
    {
        std::vector<sim::GraphPage> pages;
        for (std::size_t k = 0; k < points_.size(); ++k) {
            const std::string& n = l_->names[l_->layout.driven + k];
            pages.push_back({n + ".x   dx   ddx", TripleView::X(points_[k])});
            pages.push_back({n + ".y   dy   ddy", TripleView::Y(points_[k])});
        }
        return pages;
    }
    plot::WorldWindow fitWorldWindow() const override
    {
        const PointSeries& first = points_.front();
        plot::WorldWindow w = plot::WorldWindow::AtPoint(first.x.front(), first.y.front());
        const int n = static_cast<int>(drive_.value.size()) - 1;
        for (const PointSeries& p : points_)
            plot::FitWorldWindow(n, p.x, p.y, w);
        for (const GroundPoint& g : l_->model.ground)
            plot::FitWorldWindow(g.at.x, g.at.y, w);
        return w;
    }
    void DrawMechanism(plot::Canvas& p, const plot::WorldWindow& w, int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        p.setPenWidth(2);
        for (std::size_t c = 0; c < l_->links.size(); ++c) {
            const Link& link = l_->links[c];
            const int colour = kLinkColours[c % std::size(kLinkColours)];
            const plot::WorldPoint a = position(link.a, k), b = position(link.b, k);
            plot::WorldLine(p, w, a, b, colour);
            for (const std::size_t point : link.points) {
                plot::WorldLine(p, w, a, position(point, k), colour);
                plot::WorldLine(p, w, b, position(point, k), colour);
            }
        }
        for (std::size_t place = 0; place < l_->names.size(); ++place)
            plot::WorldCircle(p, w, position(place, k), 1);
        p.setPenWidth(1);
    }
    // The crank circle and every guide line.
    void DrawGuides(plot::Canvas& p, const plot::WorldWindow& w) const override
    {
        const Drive& d = l_->model.drive;
        if (d.kind == DriveKind::Crank)
            plot::GuideCircle(p, w, l_->model.ground[l_->layout.pivot].at, d.length);
        else
            plot::GuideLine(p, w, d.through, d.angle);
        for (const Joint& j : l_->model.joints)
            if (j.kind == JointKind::Slider)
                plot::GuideLine(p, w, j.through, j.angle);
    }
    const PointSeries* tracedPath() const override
    {
        return l_->layout.traced.empty() ? nullptr : &series(l_->layout.traced.front());
    }
    std::vector<const PointSeries*> tracedPaths() const override
    {
        std::vector<const PointSeries*> paths;
        for (const std::size_t place : l_->layout.traced)
            paths.push_back(&series(place));
        return paths;
    }
    std::vector<PointKinematics> movingPoints(int i) const override
    {
        std::vector<PointKinematics> moving;
        for (const PointSeries& p : points_)
            moving.push_back(p.at(static_cast<std::size_t>(i)));
        return moving;
    }
    // The crank turns with the drive angle; every other link's turning is found from its joints.
    std::vector<sim::MovingLink> movingLinks(int i) const override
    {
        const auto k = static_cast<std::size_t>(i);
        std::vector<sim::MovingLink> links;
        for (const Link& link : l_->links) {
            std::vector<PointKinematics> joints{at(link.a, k), at(link.b, k)};
            for (const std::size_t point : link.points)
                joints.push_back(at(point, k));
            links.push_back(link.crank ? sim::TurningLink(link.name, link.name.c_str(),
                                                          std::move(joints), drive_.at(k))
                                       : sim::LinkThroughJoints(link.name, link.name.c_str(),
                                                                std::move(joints)));
        }
        return links;
    }

private:
    const PointSeries& series(std::size_t place) const
    {
        return points_[place - l_->layout.driven];
    }
    // The first traced point, or the last joint.
    const PointSeries& shownPoint() const
    {
        return l_->layout.traced.empty() ? points_.back() : series(l_->layout.traced.front());
    }
    PointKinematics at(std::size_t place, std::size_t k) const
    {
        if (place < l_->layout.driven) {
            const plot::WorldPoint g = l_->model.ground[place].at;
            return PointKinematics::AtRest(g.x, g.y);
        }
        return series(place).at(k);
    }
    plot::WorldPoint position(std::size_t place, std::size_t k) const
    {
        return place < l_->layout.driven ? l_->model.ground[place].at : series(place).position(k);
    }

    std::shared_ptr<const Linkage> l_;
    sim::TripleSeries drive_;
    std::vector<PointSeries> points_;   // the driven joint, then every joint in file order
};

// "ｙ：点の x,  dx , ddx　ｘ：ｔｉｍｅ（P）", composed as a marked text with the point's name in
// brackets so that the interface translates it.
std::string PointGraphCaption(const std::string& name)
{
    return sim::FillPattern(sim::kReasonWithSystemWords,
                            {MECHSIM_TR_NOOP("core", "ｙ：点の x,  dx , ddx　ｘ：ｔｉｍｅ"), name});
}

}

sim::Refusable<std::shared_ptr<const sim::Mechanism>> LinkageMechanism(Model model)
{
    auto layout = CheckModel(model);
    if (!layout)
        return std::move(layout).error();
    auto l = std::make_shared<Linkage>();
    l->layout = std::move(layout).value();
    for (const GroundPoint& g : model.ground)
        l->names.push_back(g.name);
    l->names.push_back(model.drive.joint);
    for (const Joint& j : model.joints)
        l->names.push_back(j.name);
    l->links = LinksOf(model, l->layout, l->names);
    l->model = std::move(model);
    const Model& m = l->model;

    auto mechanism = std::make_shared<sim::Mechanism>();
    mechanism->command = "linkage";
    mechanism->formName = "FormLinkage";
    mechanism->title = m.title.empty() ? kDefaultTitle : m.title;
    for (const Joint& j : m.joints)
        if (j.hasBranch()) {
            sim::InputBox box =
                sim::BranchBox(j.name, sim::FillPattern(sim::kReasonWithSystemWords,
                                                        {sim::kOtherAssemblyCaption, j.name}));
            box.defaultText =
                j.branch == Branch::Usual ? sim::kUsualBranchText : sim::kOtherBranchText;
            mechanism->inputs.push_back(std::move(box));
        }
    mechanism->graphCaptions = {
        m.drive.kind == DriveKind::Crank
            ? MECHSIM_TR_NOOP("core", "ｙ：ｔｈｅ,  dthe  ,ddthe 　ｘ：ｔｉｍｅ")
            : MECHSIM_TR_NOOP("core", "ｙ：s,  ds , dds　ｘ：ｔｉｍｅ"),
        PointGraphCaption(m.trace.empty() ? l->names.back() : m.trace.front())};
    // One pose over the traced paths: twenty poses of a linkage of many joints hide the paths.
    mechanism->traits = {.stopPoses = sim::StopPoses::QuarterPose,
                         .stopTracesPath = !m.trace.empty(),
                         .nextStopsTimer = false,
                         .showsOkAfterCompute = false};
    mechanism->ComputeMotion =
        [l = std::shared_ptr<const Linkage>(l)](const sim::InputValues& in,
                                                const sim::StepLoop& loop) -> sim::RunOrRefusal {
        std::vector<Branch> branches;
        for (const Joint& j : l->model.joints)
            branches.push_back(in.branch(j.name).value_or(j.branch));
        Solver solve(*l, loop.context.cycleTime, std::move(branches));
        return sim::RunSteps(loop, std::make_unique<LinkageRun>(l), solve);
    };
    return std::shared_ptr<const sim::Mechanism>(std::move(mechanism));
}

}
