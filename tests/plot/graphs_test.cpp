// Time-history graphs and the world grid, recorded in picture millimetres: the background in
// its order and colours, each trace's ticks and labels from its own full scale, the curves
// against the closed-form sample positions, and the labelled dotted grid.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "plot/graphs.h"
#include "plot/recording_canvas.h"

namespace {

using plot::PenStyle;
using plot::PointMm;
using plot::RecordedLine;
using plot::RecordingCanvas;
using plot::Rgb;

constexpr double kTol = 1e-9;
constexpr double kW = 130, kH = 100;   // picture size, mm
const Rgb kBlack{0, 0, 0}, kBlue{0, 0, 128}, kGreen{0, 128, 0}, kRed{128, 0, 0};

struct ExpectedLine {
    double x1, y1, x2, y2;
    Rgb colour;
    PenStyle style;
};

void ExpectLine(const RecordedLine& got, const ExpectedLine& want, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(got.a.x, want.x1, kTol);
    EXPECT_NEAR(got.a.y, want.y1, kTol);
    EXPECT_NEAR(got.b.x, want.x2, kTol);
    EXPECT_NEAR(got.b.y, want.y2, kTol);
    EXPECT_EQ(got.colour, want.colour);
    EXPECT_EQ(got.style, want.style);
}

std::vector<std::string> Texts(const RecordingCanvas& p)
{
    std::vector<std::string> out;
    for (const auto& t : p.texts)
        out.push_back(t.text);
    return out;
}

TEST(LevelLabel, SignPositionAndTidyDigits)
{
    struct Row {
        double value;
        const char* label;
    } rows[] = {
        {4, " 4"},
        {-4, "-4"},
        {0.5, " 0.5"},
        {-0.5, "-0.5"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.1 + 0.2, " 0.3"},   // 0.30000000000000004 after addition
        {-0.1 * 3, "-0.3"},    // a full scale computed as unit * digit
        {12345.678, " 12345.678"},
        {std::nan(""), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(plot::LevelLabel(row.value), row.label) << row.value;
}

TEST(DrawGraphAxes, DrawsTheBackgroundInOrder)
{
    RecordingCanvas p(kW, kH);
    plot::DrawGraphAxes(p);

    // Graph frame origin is (10, H/2) in the picture; y flips.
    const double ox = 10, oy = kH / 2;
    const ExpectedLine expected[] = {
        {ox + kW - 20, oy, ox - 5, oy, kBlack, PenStyle::Solid},
        {ox, kH, ox, 0, kBlue, PenStyle::Solid},
        {ox + kW - 30, kH, ox + kW - 30, 0, kGreen, PenStyle::Solid},
        {ox + kW - 20, kH, ox + kW - 20, 0, kRed, PenStyle::Solid},
        {ox - 8, oy - 0.42 * kH, ox + kW - 20, oy - 0.42 * kH, kBlack, PenStyle::Dotted},
        {ox - 8, oy + 0.42 * kH, ox + kW - 20, oy + 0.42 * kH, kBlack, PenStyle::Dotted},
        {ox - 8, oy - 0.21 * kH, ox + kW - 20, oy - 0.21 * kH, kBlack, PenStyle::Dotted},
        {ox - 8, oy + 0.21 * kH, ox + kW - 20, oy + 0.21 * kH, kBlack, PenStyle::Dotted},
        {ox + 25, oy - 0.42 * kH, ox + 25, oy + 0.42 * kH, kBlack, PenStyle::Dotted},
        {ox + 50, oy - 0.42 * kH, ox + 50, oy + 0.42 * kH, kBlack, PenStyle::Dotted},
        {ox + 75, oy - 0.42 * kH, ox + 75, oy + 0.42 * kH, kBlack, PenStyle::Dotted},
    };
    ASSERT_EQ(p.lines.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
        ExpectLine(p.lines[i], expected[i], "line " + std::to_string(i));

    ASSERT_EQ(p.texts.size(), 1u);
    EXPECT_EQ(p.texts[0].text, "0");
    EXPECT_NEAR(p.texts[0].topLeft.x, ox - 5, kTol);   // the time axis's left end
    EXPECT_NEAR(p.texts[0].topLeft.y, oy, kTol);

    ASSERT_EQ(p.circles.size(), 1u);
    EXPECT_NEAR(p.circles[0].centre.x, ox, kTol);
    EXPECT_NEAR(p.circles[0].centre.y, oy, kTol);
    EXPECT_EQ(p.circles[0].colour, kBlue);
    EXPECT_EQ(p.penStyle(), PenStyle::Solid);
    EXPECT_EQ(p.clearCount, 0);
}

constexpr std::size_t kAxisLines = 11;   // DrawGraphAxes
constexpr std::size_t kTickLines = 12;   // four per trace

std::vector<double> Series(int n, double (*f)(double))
{
    std::vector<double> s(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        s[static_cast<std::size_t>(i)] = f(static_cast<double>(i) / n);
    return s;
}

TEST(PlotTimeHistory, EachTraceGetsItsOwnScaleTicksAndLabels)
{
    const int n = 4;
    const std::vector<double> a{0, -3.7, 2, 1, 0};    // F = 4
    const std::vector<double> b{0, 0, 0, 0, 0};       // F = 1
    const std::vector<double> c{1.23, 0, 0, 0, -1};   // F = 2
    RecordingCanvas p(kW, kH);
    p.line(0, 0, 1, 1, 7);   // anything already shown is cleared
    plot::PlotTimeHistory(p, n, a, b, c);

    EXPECT_EQ(p.clearCount, 1);
    EXPECT_EQ(Texts(p), (std::vector<std::string>{"0",                          //
                                                  " 4", "-4", " 2", "-2",       //
                                                  " 1", "-1", " 0.5", "-0.5",   //
                                                  " 2", "-2", " 1", "-1"}));

    // Tick levels +F, -F, +F/2, -F/2 sit at +-0.42 H and +-0.21 H in every trace.
    const double oy = kH / 2;
    const double levels[] = {0.42 * kH, -0.42 * kH, 0.21 * kH, -0.21 * kH};
    struct TraceTicks {
        double from, to;   // picture x
        Rgb colour;
    } ticks[] = {
        {10, 2, kBlue}, {10 + kW - 27, 10 + kW - 30, kGreen}, {10 + kW - 17, 10 + kW - 20, kRed}};
    ASSERT_GE(p.lines.size(), kAxisLines + kTickLines);
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 4; ++k) {
            const std::size_t i = kAxisLines + static_cast<std::size_t>(4 * t + k);
            const double y = oy - levels[k];
            ExpectLine(p.lines[i],
                       {ticks[t].from, y, ticks[t].to, y, ticks[t].colour, PenStyle::Solid},
                       "trace " + std::to_string(t) + " tick " + std::to_string(k));
            EXPECT_EQ(p.lines[i].penWidth, 1);
            // The label starts at the tick's end.
            EXPECT_NEAR(p.texts[1 + 4 * t + k].topLeft.x, ticks[t].to, kTol);
            EXPECT_NEAR(p.texts[1 + 4 * t + k].topLeft.y, y, kTol);
        }
    }
}

TEST(PlotTimeHistory, CurvesRunFromTheScaleAxisToTheGreenAxis)
{
    const int n = 200;
    const auto a = Series(n, [](double t) { return -3.7 * std::sin(3.14159265358979 * t); });
    const auto b = Series(n, [](double) { return 0.0; });
    const auto c = Series(n, [](double t) { return 41 * t * t; });
    RecordingCanvas p(kW, kH);
    p.setPenStyle(PenStyle::Dotted);   // whatever the caller left, the curves are solid
    plot::PlotTimeHistory(p, n, a, b, c);

    ASSERT_EQ(p.lines.size(), kAxisLines + kTickLines + 3 * n);
    const std::vector<double>* series[] = {&a, &b, &c};
    const double fullScales[] = {4, 1, 50};
    const Rgb colours[] = {kBlue, kGreen, kRed};
    for (int t = 0; t < 3; ++t) {
        SCOPED_TRACE("trace " + std::to_string(t));
        const double k = 0.42 * kH / fullScales[t];
        for (int i = 0; i < n; ++i) {
            const RecordedLine& line =
                p.lines[kAxisLines + kTickLines + static_cast<std::size_t>(t * n + i)];
            // Sample i at x = i (W - 30) / N from the scale axis, y = k s(i) up from H/2.
            EXPECT_NEAR(line.a.x, 10 + i * (kW - 30) / n, kTol);
            EXPECT_NEAR(line.a.y, kH / 2 - k * (*series[t])[static_cast<std::size_t>(i)], kTol);
            EXPECT_NEAR(line.b.x, 10 + (i + 1) * (kW - 30) / n, kTol);
            EXPECT_EQ(line.colour, colours[t]);
            EXPECT_EQ(line.penWidth, 2);
            EXPECT_EQ(line.style, PenStyle::Solid);
        }
        const RecordedLine& last =
            p.lines[kAxisLines + kTickLines + static_cast<std::size_t>(t * n + n - 1)];
        EXPECT_NEAR(last.b.x, 10 + kW - 30, kTol);
    }

    // The value trace peaks 0.42 H * 3.7 / 4 below the time axis; the zero trace lies on it.
    double lowest = 0;
    for (int i = 0; i < n; ++i)
        lowest =
            std::max(lowest, p.lines[kAxisLines + kTickLines + static_cast<std::size_t>(i)].b.y);
    EXPECT_NEAR(lowest, kH / 2 + 0.42 * kH * 3.7 / 4, kTol);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(p.lines[kAxisLines + kTickLines + static_cast<std::size_t>(n + i)].a.y, kH / 2);

    EXPECT_EQ(p.penWidth(), 1);
    EXPECT_EQ(p.penStyle(), PenStyle::Solid);
}

TEST(PlotTimeHistory, NeverDrawsNaNNorReadsPastTheSeries)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> a{0, 1, std::nan(""), 3, inf, 2};
    const std::vector<double> b{1, 2, 3, 4, 5};   // shorter than N + 1
    const std::vector<double> c{-inf, 0.5, 0.25, 0, 0, 0};
    RecordingCanvas p(kW, kH);
    plot::PlotTimeHistory(p, 5, a, b, c);   // drawn with N = 4, the longest all three share

    for (const auto& line : p.lines)
        for (double v : {line.a.x, line.a.y, line.b.x, line.b.y})
            ASSERT_TRUE(std::isfinite(v));
    for (const auto& text : p.texts)
        EXPECT_EQ(text.text.find_first_not_of(" -0123456789.e+"), std::string::npos) << text.text;
    EXPECT_EQ(p.texts[1].text, " 3");   // the finite maximum of a[0..4] sets a's scale
    EXPECT_EQ(p.texts[9].text, " 0.5");
    EXPECT_NEAR(p.lines.back().b.x, 10 + kW - 30, kTol);

    RecordingCanvas q(kW, kH);
    plot::PlotTimeHistory(q, 0, a, b, c);   // no time steps: the background only
    EXPECT_EQ(q.lines.size(), kAxisLines);
    EXPECT_EQ(q.clearCount, 1);
}

TEST(DrawWorldGrid, LabelledDottedLinesOverTheWindow)
{
    const double h = 110, scale = 2;
    RecordingCanvas p(150, h);
    p.line(0, 0, 5, 5, 1);   // the summary poses drawn before stay
    plot::DrawWorldGrid(p, {-30, 30, -10, 30, 10, 5, scale});

    EXPECT_EQ(p.clearCount, 0);
    ASSERT_EQ(p.lines.size(), 1u + 7 + 9);
    EXPECT_EQ(p.lines[0].colour, kBlue);
    const double bottom = h - 10;   // view frame origin y in the picture
    for (int i = 0; i < 7; ++i) {
        const double x = 10 + scale * (10.0 * i);
        ExpectLine(p.lines[1 + static_cast<std::size_t>(i)],
                   {x, bottom - scale * 40, x, bottom + 5, kBlack, PenStyle::Dotted},
                   "vertical " + std::to_string(i));
    }
    for (int j = 0; j < 9; ++j) {
        const double y = bottom - scale * (5.0 * j);
        ExpectLine(p.lines[8 + static_cast<std::size_t>(j)],
                   {10 + scale * 60, y, 2, y, kBlack, PenStyle::Dotted},
                   "horizontal " + std::to_string(j));
    }
    EXPECT_EQ(Texts(p),
              (std::vector<std::string>{"-30", "-20", "-10", " 0", " 10", " 20", " 30", "-10", "-5",
                                        " 0", " 5", " 10", " 15", " 20", " 25", " 30"}));
    // Below the window for x, left of it for y.
    EXPECT_NEAR(p.texts[0].topLeft.y, bottom + 5, kTol);
    EXPECT_NEAR(p.texts[7].topLeft.x, 2, kTol);
    EXPECT_EQ(p.penStyle(), PenStyle::Solid);
}

TEST(DrawWorldGrid, LabelsShowTidyAccumulatedValues)
{
    RecordingCanvas p(150, 110);
    // x: 0, 0.1, 0.2, then 0.30000000000000004 > 0.3 ends the loop (a bound reached only up to
    // rounding may miss its line). y: -0.3 + 0.1 + 0.1 + 0.1 is 2.8e-17, labelled 0.
    plot::DrawWorldGrid(p, {0, 0.3, -0.3, 0.2, 0.1, 0.1, 100});
    EXPECT_EQ(Texts(p), (std::vector<std::string>{" 0", " 0.1", " 0.2",   //
                                                  "-0.3", "-0.2", "-0.1", " 0", " 0.1"}));
}

TEST(DrawWorldGrid, AStepThatCannotAdvanceDrawsOneLine)
{
    const double steps[] = {0, -5, std::nan(""), 1e-300};
    for (double step : steps) {
        RecordingCanvas p(150, 110);
        plot::DrawWorldGrid(p, {-30, 30, -10, 30, step, step, 2});
        EXPECT_LE(p.lines.size(), 2000u) << step;   // bounded even when x + step == x
        EXPECT_GE(p.lines.size(), 2u) << step;
        EXPECT_EQ(p.penStyle(), PenStyle::Solid);
    }
}

}
