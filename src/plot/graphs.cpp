// The time-history graph (background, per-trace scales, ticks with labels, three curves) and
// the labelled world grid, drawn through the graph and view frames.
#include "plot/graphs.h"

#include <algorithm>
#include "numeric/decimal_conversion.h"
#include <cmath>
#include <limits>
#include <vector>

#include "numeric/number_text.h"
#include "plot/axis_labels.h"
#include "plot/column_thinning.h"
#include "plot/primitives.h"
#include "plot/scaling.h"

namespace plot {

namespace {

constexpr int kAxisColour = 0;
constexpr int kMaxGridLines = 1000;     // a step that cannot advance x must not hang the form
constexpr int kPieceSegments = 16384;   // curve segments handed to the canvas at once
constexpr int kCurvePen = 2;            // pixels

// 12 significant digits: hides the last-bit noise of sums such as 0.1 + 0.2 and of a full
// scale computed as U * digit, which would otherwise print as 0.30000000000000004.
double Tidy(double value)
{
    char buf[40];
    char* end = numeric::WriteScientific(buf, value, 11);
    double tidy = value;
    numeric::ReadDecimal(buf, end, tidy);
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

LabelSlot Slot(double value, PointMm topLeft, double right)
{
    LabelSlot slot;
    slot.value = value;
    slot.topLeft = topLeft;
    slot.right = right;
    return slot;
}

struct Trace {
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

double TraceFullScale(std::span<const double> extremes)
{
    return extremes.empty() ? 1.0 : FullScale(static_cast<int>(extremes.size()) - 1, extremes);
}

void PlotTimeHistory(Canvas& p, int n, std::span<const double> a, std::span<const double> b,
                     std::span<const double> c)
{
    // Never read past a series that is shorter than N + 1.
    for (std::span<const double> s : {a, b, c})
        n = static_cast<int>(std::min<std::ptrdiff_t>(n, std::ssize(s) - 1));
    std::array<double, 3> fullScales{1, 1, 1};
    if (n >= 1)
        fullScales = {FullScale(n, a), FullScale(n, b), FullScale(n, c)};
    const auto count = static_cast<std::size_t>(std::max(n, 0)) + 1;
    PlotTimeHistory(p, n, fullScales, [&](const TraceSamples& take) {
        take(0, a.first(std::min(count, a.size())), b.first(std::min(count, b.size())),
             c.first(std::min(count, c.size())));
    });
}

TimeHistoryCurves::TimeHistoryCurves(const Canvas& columns, int n,
                                     const std::array<double, 3>& fullScales)
    : columns_(columns), n_(n), fullScales_(fullScales)
{
}

// Each curve is a chain of N segments in picture millimetres, handed over in pieces that share
// their end points, each thinned to the picture's columns as its samples come: a raster canvas
// merges the samples of one pixel column, and no copy of a whole 10^6-sample curve is ever made.
void TimeHistoryCurves::take(int first, std::span<const double> a, std::span<const double> b,
                             std::span<const double> c)
{
    if (n_ < 1)
        return;
    const double w = columns_.widthMm(), h = columns_.heightMm();
    const double dx = (w - 30) / n_;
    const PointMm origin = GraphToPicture(columns_, 0, 0);
    const std::span<const double> samples[] = {a, b, c};
    for (int t = 0; t < 3; ++t) {
        const double k = 0.42 * h / fullScales_[t];
        for (std::size_t j = 0; j < samples[t].size(); ++j) {
            const int i = first + static_cast<int>(j);
            if (i > n_)
                break;
            const PointMm at{origin.x + dx * i, origin.y - k * samples[t][j]};
            thinning_[t].add(at, columns_.columnKey(at.x, kCurvePen));
            if ((i % kPieceSegments == 0 && i > 0) || i == n_) {
                pieces_[t].push_back(thinning_[t].finish());
                if (i < n_)
                    thinning_[t].add(at, columns_.columnKey(at.x, kCurvePen));
            }
        }
    }
}

void TimeHistoryCurves::draw(Canvas& p) const
{
    p.clear();
    DrawGraphAxes(p);
    if (n_ < 1)
        return;

    const std::array<double, 3>& fullScales = fullScales_;
    const double w = p.widthMm(), h = p.heightMm();
    const double secondAxis = (w - 30) / n_ * n_;   // W - 30 as the last sample reaches it
    const Trace traces[] = {
        {1, 0, -8},
        {2, secondAxis + 3, secondAxis},
        {4, w - 20 + 3, w - 20},
    };
    double factors[3];   // k = 0.42 H / F (mm per unit) of each trace
    for (int t = 0; t < 3; ++t)
        factors[t] = 0.42 * h / fullScales[t];
    // Each trace's labels fit the column up to the next trace's labels at the same level,
    // the last trace's the picture's edge. Fitted from the left, a label cut at the edge moves
    // left into the room the label beside it leaves; fitted again from the right, a label
    // makes room for one that had to move left over its column.
    const double levelsOf[4] = {1, -1, 0.5, -0.5};
    std::vector<PlacedLabel> labels[3];
    const auto fitTrace = [&](int t) {
        std::vector<LabelSlot> slots;
        for (int i = 0; i < 4; ++i) {
            const double level = fullScales[t] * levelsOf[i];
            const PointMm at = GraphToPicture(p, traces[t].tickEnd, factors[t] * level);
            LabelSlot& slot = slots.emplace_back(Slot(level, at, w));
            if (t < 2)
                slot.right = GraphToPicture(p, traces[t + 1].tickEnd, 0).x;
            if (t < 2 && !labels[t + 1].empty())
                slot.right = std::min(slot.right, labels[t + 1][i].topLeft.x);
            if (t > 0)
                slot.leftmost = labels[t - 1][i].topLeft.x + p.textWidthMm(labels[t - 1][i].text);
        }
        labels[t] = FitAxisLabels(p, slots);
    };
    for (int t : {0, 1, 2, 1, 0})
        fitTrace(t);
    for (int t = 0; t < 3; ++t) {
        for (int i = 0; i < 4; ++i) {
            const double y = factors[t] * fullScales[t] * levelsOf[i];
            GraphLine(p, traces[t].tickStart, y, traces[t].tickEnd, y, traces[t].colour);
            p.printAt(labels[t][i].topLeft, labels[t][i].text);
        }
    }

    p.setPenWidth(kCurvePen);
    for (int t = 0; t < 3; ++t)
        for (const std::vector<PointMm>& piece : pieces_[t])
            p.polyline(piece, traces[t].colour);
    p.setPenWidth(1);
}

void PlotTimeHistory(Canvas& p, int n, const std::array<double, 3>& fullScales,
                     const TraceBlocks& blocks)
{
    TimeHistoryCurves curves(p, n, fullScales);
    if (n >= 1)
        blocks([&curves](int first, std::span<const double> a, std::span<const double> b,
                         std::span<const double> c) { curves.take(first, a, b, c); });
    curves.draw(p);
}

void DrawWorldGrid(Canvas& p, const WorldWindow& w)
{
    // View-frame offsets of a world coordinate; the labels sit 5 mm below and 8 mm left.
    const auto viewX = [&w](double x) { return w.scale * (x - w.xmin); };
    const auto viewY = [&w](double y) { return w.scale * (y - w.ymin); };
    std::vector<LabelSlot> xSlots, ySlots;
    double x = w.xmin;
    for (int count = 0; count < kMaxGridLines; ++count) {
        xSlots.push_back(Slot(SnapToZero(x, w.xstep), ViewToPicture(p, viewX(x), -5), p.widthMm()));
        x += w.xstep;
        if (!(w.xstep > 0) || !(x <= w.xmax))
            break;
    }
    // An x label reaches to the next one; the last, at the picture's edge, may move left.
    for (std::size_t i = 0; i + 1 < xSlots.size(); ++i)
        xSlots[i].right = xSlots[i + 1].topLeft.x;
    xSlots.back().leftmost = 0;
    xSlots.back().afterPrevious = true;
    double y = w.ymin;
    for (int count = 0; count < kMaxGridLines; ++count) {
        ySlots.push_back(Slot(SnapToZero(y, w.ystep), ViewToPicture(p, -8, viewY(y)), p.widthMm()));
        y += w.ystep;
        if (!(w.ystep > 0) || !(y <= w.ymax))
            break;
    }
    const std::vector<PlacedLabel> xLabels = FitAxisLabels(p, xSlots);
    const std::vector<PlacedLabel> yLabels = FitAxisLabels(p, ySlots);

    p.setPenStyle(PenStyle::Dotted);
    x = w.xmin;
    for (const PlacedLabel& label : xLabels) {
        ViewLine(p, viewX(x), viewY(w.ymax), viewX(x), -5, kAxisColour);
        p.printAt(label.topLeft, label.text);
        x += w.xstep;
    }
    y = w.ymin;
    for (const PlacedLabel& label : yLabels) {
        ViewLine(p, viewX(w.xmax), viewY(y), -8, viewY(y), kAxisColour);
        p.printAt(label.topLeft, label.text);
        y += w.ystep;
    }
    p.setPenStyle(PenStyle::Solid);
}

}
