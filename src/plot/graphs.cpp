// The time-history graph (background, per-trace scales, ticks with labels, three curves) and
// the labelled world grid, drawn through the graph and view frames.
#include "plot/graphs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "numeric/number_text.h"
#include "plot/primitives.h"
#include "plot/scaling.h"

namespace plot {

namespace {

constexpr int kAxisColour = 0;
constexpr int kMaxGridLines = 1000;     // a step that cannot advance x must not hang the form
constexpr int kPieceSegments = 16384;   // curve segments handed to the canvas at once

// 12 significant digits: hides the last-bit noise of sums such as 0.1 + 0.2 and of a full
// scale computed as U * digit, which would otherwise print as 0.30000000000000004.
double Tidy(double value)
{
    char buf[40];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 11);
    double tidy = value;
    std::from_chars(buf, written.ptr, tidy);
    return tidy;
}

// A grid value that should be zero but came out of repeated addition as 5.6e-17.
double SnapToZero(double value, double step)
{
    return std::abs(value) <= 1e-9 * std::abs(step) ? 0.0 : value;
}

// AbsMaxScale, kept finite: samples that are not finite do not set the scale.
double FullScale(int n, std::span<const double> s)
{
    double full = 0, unit = 0;
    AbsMaxScale(n, s, full, unit);
    if (std::isfinite(full) && full > 0)
        return full;
    std::vector<double> finite;
    std::copy_if(s.begin(), s.begin() + n + 1, std::back_inserter(finite),
                 [](double v) { return std::isfinite(v); });
    full = 0;
    if (!finite.empty())
        AbsMaxScale(static_cast<int>(finite.size()) - 1, finite, full, unit);
    if (!std::isfinite(full) || full <= 0)
        full = finite.empty() ? 1.0 : std::numeric_limits<double>::max();
    return full;
}

struct Trace {
    std::span<const double> samples;
    int colour;
    double tickStart, tickEnd;   // graph-frame x of the tick's two ends; the label follows the end
};

}

std::string LevelLabel(double value)
{
    if (!std::isfinite(value))
        return {};
    const double tidy = Tidy(value);
    std::string label(1, tidy < 0 ? '-' : ' ');
    numeric::AppendNumber(label, tidy == 0 ? 0.0 : std::abs(tidy));   // -0 prints as " 0"
    return label;
}

double TimeAxisX(const Canvas& p, int n, int i)
{
    return GraphToPicture(p, 0, 0).x + (p.widthMm() - 30) / n * i;
}

void DrawGraphAxes(Canvas& p)
{
    const double w = p.widthMm(), h = p.heightMm();
    GraphLine(p, w - 20, 0, -5, 0, kAxisColour);
    p.print("0");
    GraphLine(p, 0, -h / 2, 0, h / 2, 1);
    GraphLine(p, w - 30, -h / 2, w - 30, h / 2, 2);
    GraphLine(p, w - 20, -h / 2, w - 20, h / 2, 4);
    GraphCircle(p, 0, 0, 1);
    p.setPenStyle(PenStyle::Dotted);
    for (double y : {0.42 * h, -0.42 * h, 0.21 * h, -0.21 * h})
        GraphLine(p, -8, y, w - 20, y, kAxisColour);
    for (double x : {(w - 30) / 4, (w - 30) / 2, 3 * (w - 30) / 4})
        GraphLine(p, x, 0.42 * h, x, -0.42 * h, kAxisColour);
    p.setPenStyle(PenStyle::Solid);
}

void PlotTimeHistory(Canvas& p, int n, std::span<const double> a, std::span<const double> b,
                     std::span<const double> c)
{
    p.clear();
    DrawGraphAxes(p);

    // Never read past a series that is shorter than N + 1.
    for (std::span<const double> s : {a, b, c})
        n = static_cast<int>(std::min<std::ptrdiff_t>(n, std::ssize(s) - 1));
    if (n < 1)
        return;

    const double w = p.widthMm(), h = p.heightMm();
    const double dx = (w - 30) / n;
    const double secondAxis = dx * n;   // W - 30 as the last sample reaches it
    const Trace traces[] = {
        {a, 1, 0, -8},
        {b, 2, secondAxis + 3, secondAxis},
        {c, 4, w - 20 + 3, w - 20},
    };

    double fullScales[3], factors[3];   // F and k = 0.42 H / F (mm per unit) of each trace
    for (int t = 0; t < 3; ++t) {
        fullScales[t] = FullScale(n, traces[t].samples);
        factors[t] = 0.42 * h / fullScales[t];
    }
    for (int t = 0; t < 3; ++t) {
        const Trace& trace = traces[t];
        const double full = fullScales[t];
        for (double level : {full, -full, full / 2, -full / 2}) {
            const double y = factors[t] * level;
            GraphLine(p, trace.tickStart, y, trace.tickEnd, y, trace.colour);
            p.print(LevelLabel(level));
        }
    }

    // Each curve is a chain of N segments in picture millimetres, handed over in pieces that
    // share their end points: a raster canvas merges the samples of one pixel column, and no
    // copy of a whole 10^6-sample curve is ever made.
    p.setPenWidth(2);
    const PointMm origin = GraphToPicture(p, 0, 0);
    std::vector<PointMm> piece(static_cast<std::size_t>(std::min(n, kPieceSegments)) + 1);
    for (int t = 0; t < 3; ++t) {
        const double k = factors[t];
        const double* s = traces[t].samples.data();
        for (int start = 0; start < n; start += kPieceSegments) {
            const int count = std::min(n - start, kPieceSegments) + 1;
            for (int j = 0; j < count; ++j) {
                const int i = start + j;
                piece[j] = {origin.x + dx * i, origin.y - k * s[i]};
            }
            p.polyline(std::span(piece).first(static_cast<std::size_t>(count)), traces[t].colour);
        }
    }
    p.setPenWidth(1);
}

void DrawWorldGrid(Canvas& p, const WorldWindow& w)
{
    // View-frame offsets of a world coordinate; the labels sit 5 mm below and 8 mm left.
    const auto viewX = [&w](double x) { return w.scale * (x - w.xmin); };
    const auto viewY = [&w](double y) { return w.scale * (y - w.ymin); };
    p.setPenStyle(PenStyle::Dotted);
    double x = w.xmin;
    for (int count = 0; count < kMaxGridLines; ++count) {
        ViewLine(p, viewX(x), viewY(w.ymax), viewX(x), -5, kAxisColour);
        p.print(LevelLabel(SnapToZero(x, w.xstep)));
        x += w.xstep;
        if (!(w.xstep > 0) || !(x <= w.xmax))
            break;
    }
    double y = w.ymin;
    for (int count = 0; count < kMaxGridLines; ++count) {
        ViewLine(p, viewX(w.xmax), viewY(y), -8, viewY(y), kAxisColour);
        p.print(LevelLabel(SnapToZero(y, w.ystep)));
        y += w.ystep;
        if (!(w.ystep > 0) || !(y <= w.ymax))
            break;
    }
    p.setPenStyle(PenStyle::Solid);
}

}
