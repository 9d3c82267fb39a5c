// The editor's picture of a linkage: one pose solved at the drive value in hand and a coarse
// cycle for the traced paths and the ranges that cannot close, with the run's own solver.
#include "linkage/preview.h"

#include <algorithm>
#include <cmath>

#include "linkage/pose.h"
#include "linkage/sketch.h"
#include "plot/guides.h"
#include "plot/primitives.h"

namespace linkage {

namespace {

using plot::WorldPoint;

WorldPoint Position(const numeric::PointKinematics& p)
{
    return {p.x, p.y};
}

// The grid's light lines, at most a couple of hundred of them across the window.
void DrawGrid(plot::Canvas& p, const plot::WorldWindow& w, double step)
{
    constexpr plot::Rgb kGridColour{228, 228, 228};
    // The whole picture, the margins beside the window's origin included.
    const WorldPoint low = plot::PictureToWorld(p, w, {0, p.heightMm()}),
                     high = plot::PictureToWorld(p, w, {p.widthMm(), 0});
    if (!(step > 0) || (high.x - low.x) / step > 200 || (high.y - low.y) / step > 200)
        return;
    for (double x = std::ceil(low.x / step) * step; x <= high.x; x += step) {
        const plot::PointMm a = plot::WorldToPicture(p, w, {x, low.y}),
                            b = plot::WorldToPicture(p, w, {x, high.y});
        p.line(a.x, a.y, b.x, b.y, kGridColour);
    }
    for (double y = std::ceil(low.y / step) * step; y <= high.y; y += step) {
        const plot::PointMm a = plot::WorldToPicture(p, w, {low.x, y}),
                            b = plot::WorldToPicture(p, w, {high.x, y});
        p.line(a.x, a.y, b.x, b.y, kGridColour);
    }
}

// Where the driven joint is at drive value v: on the crank circle or on the drive's guide.
WorldPoint DrivenAt(const Model& m, WorldPoint pivot, double v)
{
    const Drive& d = m.drive;
    if (d.kind == DriveKind::Crank)
        return {pivot.x + d.length * std::cos(v), pivot.y + d.length * std::sin(v)};
    return {d.through.x + v * std::cos(d.angle), d.through.y + v * std::sin(d.angle)};
}

}

Preview PreviewOf(const Model& m, const Layout& layout, double drive, int divisions)
{
    Preview preview;
    for (const GroundPoint& g : m.ground)
        preview.pose.emplace_back(g.at);
    if (!HasDrive(m))
        return preview;
    PoseSolver solver(m, layout, ModelBranches(m));
    preview.pose.resize(m.ground.size() + 1 + m.joints.size());
    preview.poseRefusal = solver.solve({drive, 0, 0});
    const auto& points = solver.points();
    preview.pose[layout.driven] = Position(points[layout.driven]);
    for (const std::size_t k : layout.order) {
        if (preview.poseRefusal && preview.poseRefusal->key == m.joints[k].name)
            break;
        preview.pose[layout.driven + 1 + k] = Position(points[layout.driven + 1 + k]);
    }

    const auto n = static_cast<std::size_t>(std::max(divisions, 1));
    preview.paths.assign(layout.traced.size(), std::vector<WorldPoint>(n + 1));
    for (std::size_t i = 0; i <= n; ++i) {
        const double v =
            m.drive.start + (m.drive.end - m.drive.start) * static_cast<double>(i) / double(n);
        preview.samples.push_back(v);
        std::optional<sim::Refusal> refused = solver.solve({v, 0, 0});
        preview.closes.push_back(!refused);
        if (refused && !preview.firstFailure) {
            preview.firstFailure = std::move(refused);
            preview.firstFailureAt = v;
        }
        for (std::size_t t = 0; t < layout.traced.size(); ++t)
            preview.paths[t][i] = Position(points[layout.traced[t]]);
    }
    return preview;
}

std::vector<std::array<std::size_t, 2>> SketchBars(const Model& m, const Layout& layout)
{
    std::vector<std::array<std::size_t, 2>> bars;
    if (!HasDrive(m))
        return bars;
    if (m.drive.kind == DriveKind::Crank)
        bars.push_back({layout.pivot, layout.driven});
    for (std::size_t k = 0; k < m.joints.size(); ++k) {
        const std::size_t self = layout.driven + 1 + k;
        const auto [a, b] = layout.from[k];
        if (m.joints[k].kind == JointKind::Point)
            bars.push_back({a, b});
        else
            bars.push_back({self, a});
        if (m.joints[k].kind == JointKind::Dyad)
            bars.push_back({self, b});
    }
    return bars;
}

void DrawSketch(plot::Canvas& p, const plot::WorldWindow& w, const Model& m, const Layout& layout,
                const Preview& preview, const SketchMarks& marks)
{
    p.clear();
    DrawGrid(p, w, marks.grid);
    const auto& pose = preview.pose;
    if (HasDrive(m)) {
        const WorldPoint pivot =
            m.drive.kind == DriveKind::Crank ? m.ground[layout.pivot].at : WorldPoint{};
        if (m.drive.kind == DriveKind::Crank)
            plot::GuideCircle(p, w, pivot, m.drive.length);
        else
            plot::GuideLine(p, w, m.drive.through, m.drive.angle);
        for (const Joint& j : m.joints)
            if (j.kind == JointKind::Slider)
                plot::GuideLine(p, w, j.through, j.angle);
        // The ranges that cannot close, thick over the crank circle or the drive's guide.
        p.setPenWidth(4);
        for (std::size_t i = 0; i + 1 < preview.samples.size(); ++i)
            if (!preview.closes[i] || !preview.closes[i + 1]) {
                const plot::PointMm a = plot::WorldToPicture(
                                        p, w, DrivenAt(m, pivot, preview.samples[i])),
                                    b = plot::WorldToPicture(
                                        p, w, DrivenAt(m, pivot, preview.samples[i + 1]));
                p.line(a.x, a.y, b.x, b.y, kCannotCloseColour);
            }
        // The traced paths, broken where the linkage cannot close.
        p.setPenWidth(1);
        for (const std::vector<WorldPoint>& path : preview.paths) {
            std::vector<plot::PointMm> run;
            for (std::size_t i = 0; i <= path.size(); ++i) {
                if (i < path.size() && preview.closes[i]) {
                    run.push_back(plot::WorldToPicture(p, w, path[i]));
                    continue;
                }
                if (run.size() > 1)
                    p.polyline(run, 9);
                run.clear();
            }
        }
    }
    p.setPenWidth(2);
    const auto bars = SketchBars(m, layout);
    for (std::size_t c = 0; c < bars.size(); ++c) {
        const auto [a, b] = bars[c];
        if (pose[a] && pose[b])
            plot::WorldLine(p, w, *pose[a], *pose[b], c == 0 ? 4 : 1);
    }
    for (std::size_t k = 0; k < m.joints.size(); ++k) {
        const std::size_t self = layout.driven + 1 + k;
        const auto [a, b] = layout.from[k];
        if (m.joints[k].kind == JointKind::Point && pose[self] && pose[a] && pose[b]) {
            plot::WorldLine(p, w, *pose[a], *pose[self], 2);
            plot::WorldLine(p, w, *pose[b], *pose[self], 2);
        }
    }
    p.setPenWidth(1);
    const std::vector<std::string> names = PointNames(m);
    for (std::size_t place = 0; place < pose.size(); ++place) {
        if (!pose[place])
            continue;
        const plot::PointMm at = plot::WorldToPicture(p, w, *pose[place]);
        if (place < m.ground.size()) {   // a ground point stands on a small triangle
            p.line(at.x, at.y, at.x - 2, at.y + 3, 0);
            p.line(at.x - 2, at.y + 3, at.x + 2, at.y + 3, 0);
            p.line(at.x + 2, at.y + 3, at.x, at.y, 0);
        }
        p.circle(at.x, at.y, marks.selected == place ? 2.0 : 1.0, marks.selected == place ? 12 : 0);
        p.printAt({at.x + 1.5, at.y - 1.5 - p.textHeightMm()}, names[place]);
    }
    for (const WorldPoint& c : marks.clicked) {
        const plot::PointMm at = plot::WorldToPicture(p, w, c);
        p.line(at.x - 1.5, at.y, at.x + 1.5, at.y, 12);
        p.line(at.x, at.y - 1.5, at.x, at.y + 1.5, 12);
    }
}

}
