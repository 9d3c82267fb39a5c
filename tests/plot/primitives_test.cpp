// The palette, the canvas's pen and text position, and the three frames of the line and
// circle primitives, checked in picture millimetres.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/palette.h"
#include "plot/primitives.h"
#include "plot/recording_canvas.h"

namespace {

using plot::PenStyle;
using plot::PointMm;
using plot::RecordingCanvas;
using plot::Rgb;

constexpr double kTol = 1e-12;
const double kNaN = std::nan("");
constexpr double kInf = std::numeric_limits<double>::infinity();

void ExpectPoint(PointMm p, double x, double y)
{
    EXPECT_NEAR(p.x, x, kTol);
    EXPECT_NEAR(p.y, y, kTol);
}

TEST(Palette, ColoursByIndexAndWrap)
{
    struct Row {
        int index;
        Rgb rgb;
    } rows[] = {
        {0, {0, 0, 0}},        {1, {0, 0, 128}},     {2, {0, 128, 0}},     {4, {128, 0, 0}},
        {6, {128, 128, 0}},    {7, {192, 192, 192}}, {8, {128, 128, 128}}, {11, {0, 255, 255}},
        {15, {255, 255, 255}}, {16, {0, 0, 0}},      {17, {0, 0, 128}},    {-1, {255, 255, 255}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(plot::PaletteColour(row.index), row.rgb) << "index " << row.index;
}

TEST(Primitives, FramesMapToPictureMillimetres)
{
    RecordingCanvas p(100, 60);
    plot::GraphLine(p, 0, 0, 10, 0, 1);
    plot::ViewLine(p, 0, 0, 0, 5, 0);
    RecordingCanvas q(150, 80);
    plot::WorldLine(q, {.xmin = -30, .ymin = -10, .scale = 2}, {0, 0}, {1, 1}, 2);

    ASSERT_EQ(p.lines.size(), 2u);
    ExpectPoint(p.lines[0].a, 10, 30);
    ExpectPoint(p.lines[0].b, 20, 30);
    EXPECT_EQ(p.lines[0].colour, (Rgb{0, 0, 128}));
    ExpectPoint(p.lines[1].a, 10, 50);
    ExpectPoint(p.lines[1].b, 10, 45);
    EXPECT_EQ(p.lines[1].colour, (Rgb{0, 0, 0}));

    // World (0, 0) is view (60, 20), picture (70, H - 30); one world unit is 2 mm.
    ASSERT_EQ(q.lines.size(), 1u);
    ExpectPoint(q.lines[0].a, 70, 80 - 30);
    ExpectPoint(q.lines[0].b, 72, 80 - 32);
    EXPECT_EQ(q.lines[0].colour, (Rgb{0, 128, 0}));
}

TEST(Primitives, CirclesHaveOneMillimetreRadiusInEveryFrame)
{
    RecordingCanvas p(100, 60);
    plot::GraphCircle(p, 0, 0, 3);
    plot::WorldCircle(p, {.xmin = 0, .ymin = 0, .scale = 0.5}, {1, 1}, 4);
    plot::WorldCircle(p, {.xmin = 0, .ymin = 0, .scale = 5}, {1, 1}, 4);

    ASSERT_EQ(p.circles.size(), 3u);
    ExpectPoint(p.circles[0].centre, 10, 30);
    ExpectPoint(p.circles[1].centre, 10.5, 49.5);
    ExpectPoint(p.circles[2].centre, 15, 45);
    for (const auto& c : p.circles)
        EXPECT_EQ(c.radius, 1.0);
    EXPECT_EQ(p.circles[0].colour, (Rgb{0, 128, 128}));
}

// A picture whose height changes between calls, as a resized picture box would.
class ResizableCanvas : public RecordingCanvas {
public:
    ResizableCanvas() : RecordingCanvas(100, 60) {}
    double heightMm() const override { return height; }
    double height = 60;
};

TEST(Primitives, ReadTheHeightAtEveryCall)
{
    ResizableCanvas p;
    plot::GraphLine(p, 0, 0, 1, 0, 0);
    plot::ViewLine(p, 0, 0, 1, 0, 0);
    p.height = 100;
    plot::GraphLine(p, 0, 0, 1, 0, 0);
    plot::ViewLine(p, 0, 0, 1, 0, 0);
    EXPECT_EQ(p.lines[0].a.y, 30);
    EXPECT_EQ(p.lines[1].a.y, 50);
    EXPECT_EQ(p.lines[2].a.y, 50);
    EXPECT_EQ(p.lines[3].a.y, 90);
}

TEST(Primitives, DrawWithTheCurrentPenAndLeaveItAlone)
{
    RecordingCanvas p(100, 60);
    p.setPenWidth(2);
    p.setPenStyle(PenStyle::Dotted);
    plot::WorldLine(p, {.xmin = 0, .ymin = 0, .scale = 1}, {0, 0}, {1, 0}, 1);
    plot::GraphCircle(p, 0, 0, 1);
    EXPECT_EQ(p.lines[0].penWidth, 2);
    EXPECT_EQ(p.lines[0].style, PenStyle::Dotted);
    EXPECT_EQ(p.circles[0].penWidth, 2);
    EXPECT_EQ(p.penWidth(), 2);
    EXPECT_EQ(p.penStyle(), PenStyle::Dotted);
    EXPECT_EQ(p.clearCount, 0);
}

TEST(Canvas, TextStartsWhereTheLastLineEnded)
{
    RecordingCanvas p(100, 60);
    plot::GraphLine(p, 0, 10, -8, 10, 1);
    ExpectPoint(p.currentPosition(), 2, 20);
    plot::GraphCircle(p, 40, 0, 1);   // circles do not move it
    p.print(" 4");
    p.print("");   // nothing to print, nothing recorded
    ASSERT_EQ(p.texts.size(), 1u);
    EXPECT_EQ(p.texts[0].text, " 4");
    ExpectPoint(p.texts[0].topLeft, 2, 20);
}

TEST(Canvas, ClearEmptiesThePictureAndReturnsTextToTheCorner)
{
    RecordingCanvas p(100, 60);
    p.line(1, 2, 3, 4, 0);
    p.circle(5, 5, 1, 0);
    p.print("x");
    p.clear();
    EXPECT_EQ(p.clearCount, 1);
    EXPECT_TRUE(p.lines.empty());
    EXPECT_TRUE(p.circles.empty());
    EXPECT_TRUE(p.texts.empty());
    ExpectPoint(p.currentPosition(), 0, 0);
}

TEST(Canvas, PolylineDrawsEverySegmentAndEndsAtTheLastPoint)
{
    RecordingCanvas p(100, 60);
    p.setPenWidth(2);
    const std::vector<PointMm> pts{{0, 0}, {1, 2}, {3, 1}, {4, 4}};
    p.polyline(pts, 4);
    ASSERT_EQ(p.lines.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ExpectPoint(p.lines[i].a, pts[i].x, pts[i].y);
        ExpectPoint(p.lines[i].b, pts[i + 1].x, pts[i + 1].y);
        EXPECT_EQ(p.lines[i].colour, (Rgb{128, 0, 0}));
        EXPECT_EQ(p.lines[i].penWidth, 2);
    }
    ExpectPoint(p.currentPosition(), 4, 4);
}

// No NaN or infinity may reach a picture: such coordinates are dropped, and a polyline
// breaks at them instead of drawing towards them.
TEST(Canvas, DropsCoordinatesThatAreNotFinite)
{
    RecordingCanvas p(100, 60);
    p.line(1, 1, 2, 2, 0);
    p.line(kNaN, 0, 1, 1, 0);
    p.line(0, 0, kInf, 1, 0);
    p.circle(kNaN, 1, 1, 0);
    p.circle(1, 1, kInf, 0);
    EXPECT_EQ(p.lines.size(), 1u);
    EXPECT_TRUE(p.circles.empty());
    ExpectPoint(p.currentPosition(), 2, 2);

    p.lines.clear();
    const std::vector<PointMm> pts{{0, 0}, {1, 1}, {2, kNaN}, {3, 3},
                                   {4, 4}, {5, 5}, {kInf, 6}, {7, 7}};
    p.polyline(pts, 1);
    ASSERT_EQ(p.lines.size(), 3u);   // 0-1, then 3-4-5; the lone point 7 draws nothing
    ExpectPoint(p.lines[0].b, 1, 1);
    ExpectPoint(p.lines[1].a, 3, 3);
    ExpectPoint(p.lines[2].b, 5, 5);
    ExpectPoint(p.currentPosition(), 5, 5);
}

}
