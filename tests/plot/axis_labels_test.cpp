// Scale labels on awkward series, recorded in picture millimetres: every label box lies inside
// the picture, no two overlap, every label reads back as a number, and the grid writes each
// axis in one notation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numeric/number_text.h"
#include "plot/graphs.h"
#include "plot/recording_canvas.h"

namespace {

using plot::RecordedText;
using plot::RecordingCanvas;

constexpr double kW = 72.2, kH = 59.3;   // a graph picture, mm

struct Box {
    double left, top, right, bottom;
};

Box BoxOf(const RecordingCanvas& p, const RecordedText& t)
{
    return {t.topLeft.x, t.topLeft.y, t.topLeft.x + p.textWidthMm(t.text),
            t.topLeft.y + p.textHeightMm()};
}

void ExpectLabelsFit(const RecordingCanvas& p, const std::string& what)
{
    constexpr double kTol = 1e-9;
    for (std::size_t i = 0; i < p.texts.size(); ++i) {
        const Box a = BoxOf(p, p.texts[i]);
        const std::string label = what + " label '" + p.texts[i].text + "'";
        EXPECT_TRUE(numeric::ReadNumber(p.texts[i].text).has_value()) << label;
        EXPECT_GE(a.left, -kTol) << label;
        EXPECT_GE(a.top, -kTol) << label;
        EXPECT_LE(a.right, p.widthMm() + kTol) << label;
        EXPECT_LE(a.bottom, p.heightMm() + kTol) << label;
        for (std::size_t j = i + 1; j < p.texts.size(); ++j) {
            const Box b = BoxOf(p, p.texts[j]);
            const bool apart = a.right <= b.left + kTol || b.right <= a.left + kTol
                               || a.bottom <= b.top + kTol || b.bottom <= a.top + kTol;
            EXPECT_TRUE(apart) << label << " overlaps '" << p.texts[j].text << "'";
        }
    }
}

bool UsesExponent(const std::string& text)
{
    return text.find('e') != std::string::npos;
}

TEST(ScaleLabels, FitTheirColumnsOnAwkwardSeries)
{
    struct Series {
        const char* name;
        std::vector<double> a, b, c;
    };
    const Series series[] = {
        {"velocity 0.3 beside acceleration 0.1", {0, 2, -1}, {0, 0.3, 0}, {0.1, 0, -0.1}},
        {"acceleration -0.45 at the edge", {0, 4, 1}, {0, 0.06, 0}, {0, -0.9, 0.2}},
        {"huge values", {0, 4e12, 1}, {-2e12, 0, 1}, {0, 3.5e15, -3e15}},
        {"tiny values", {0, 3e-4, 0}, {0, -2.5e-7, 0}, {1e-300, 0, 0}},
        {"long digits", {-123456789, 0, 1}, {0, 0.00123, 0}, {-98765.4321, 0, 0}},
    };
    for (const Series& s : series) {
        RecordingCanvas p(kW, kH);
        plot::PlotTimeHistory(p, 2, s.a, s.b, s.c);
        ASSERT_EQ(p.texts.size(), 13u) << s.name;
        ExpectLabelsFit(p, s.name);
    }

    // The summary grid, scaled to the picture as a run scales it: windows whose labels mix
    // notations or run past the right edge.
    const plot::WorldWindow windows[] = {
        {0, 3e-4, 0, 2.5e-4, 5e-5, 5e-5, 1},
        {-3e12, 3e12, -1e12, 2e12, 1e12, 1e12, 1},
        {-30, 30, -10, 30, 10, 5, 1},
        {-0.45, 0.45, -0.2, 0.2, 0.15, 0.05, 1},
        {0, 1.25e-3, 0, 1e-3, 2.5e-4, 2.5e-4, 1},
    };
    for (plot::WorldWindow w : windows) {
        RecordingCanvas p(145, 111);
        w.scale = plot::DrawingScale(p.widthMm(), p.heightMm(), w);
        plot::DrawWorldGrid(p, w);
        const std::string name = "grid " + std::to_string(w.xmin) + ".." + std::to_string(w.xmax);
        ExpectLabelsFit(p, name);
        std::size_t xCount = 0;
        for (const plot::RecordedLine& line : p.lines)
            xCount += line.a.x == line.b.x ? 1 : 0;
        ASSERT_LE(xCount, p.texts.size());
        for (const auto& [from, to] :
             {std::pair{std::size_t{0}, xCount}, std::pair{xCount, p.texts.size()}}) {
            int exponents = 0, plain = 0;
            for (std::size_t i = from; i < to; ++i)
                if (numeric::ReadNumber(p.texts[i].text).value_or(0) != 0)
                    ++(UsesExponent(p.texts[i].text) ? exponents : plain);
            EXPECT_TRUE(exponents == 0 || plain == 0) << name << ": one notation per axis";
        }
    }
}

}
