// Pictures as pixels: lines land where the millimetres say, dense screens get proportionally
// more pixels, merged long curves look like their segments, PNG files and the widget.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <cstdint>
#include <vector>

#include "plot/primitives.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/picture_box.h"
#include "plot/qt/picture_geometry.h"

namespace {

using plot::ImageCanvas;
using plot::PenStyle;
using plot::PointMm;

constexpr double kPxPerMm = 96.0 / 25.4;
const QRgb kRed = qRgb(128, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

std::vector<int> RowsOf(const QImage& image, int column, QRgb colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(column, y) == colour)
            rows.push_back(y);
    return rows;
}

TEST(ImageCanvas, LineLandsOnTheMillimetresPixels)
{
    for (int width : {1, 2}) {
        SCOPED_TRACE(width);
        ImageCanvas canvas(QSize(200, 100));
        EXPECT_NEAR(canvas.widthMm(), 200 / kPxPerMm, 1e-9);
        EXPECT_NEAR(canvas.heightMm(), 100 / kPxPerMm, 1e-9);
        canvas.setPenWidth(width);
        canvas.line(10, 20, 40, 20, 4);
        const auto rows = RowsOf(canvas.image(), 100, kRed);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(width));
        EXPECT_NEAR(rows.front(), 20 * kPxPerMm, 1.0);
        EXPECT_TRUE(RowsOf(canvas.image(), static_cast<int>(5 * kPxPerMm), kRed).empty());
        EXPECT_TRUE(RowsOf(canvas.image(), static_cast<int>(45 * kPxPerMm), kRed).empty());
    }
}

TEST(ImageCanvas, DevicePixelRatioTwoDoublesThePixels)
{
    ImageCanvas single(QSize(200, 100), 96, 1), dense(QSize(200, 100), 96, 2);
    EXPECT_EQ(dense.image().size(), QSize(400, 200));
    EXPECT_EQ(dense.image().devicePixelRatio(), 2.0);
    EXPECT_NEAR(dense.widthMm(), single.widthMm(), 1e-12);
    dense.line(10, 20, 40, 20, 4);
    const auto rows = RowsOf(dense.image(), 200, kRed);
    ASSERT_EQ(rows.size(), 2u);   // one logical pixel wide
    EXPECT_NEAR(rows.front(), 2 * 20 * kPxPerMm, 2.0);
}

TEST(ImageCanvas, DottedLinesHaveGaps)
{
    ImageCanvas canvas(QSize(200, 100));
    const int row = static_cast<int>(std::lround(20 * kPxPerMm));
    for (PenStyle style : {PenStyle::Solid, PenStyle::Dotted}) {
        canvas.clear();
        canvas.setPenStyle(style);
        canvas.line(10, 20, 40, 20, 0);
        int ink = 0, gaps = 0;
        for (int x = 50; x < 140; ++x) {
            bool inked = false;
            for (int y = row - 1; y <= row + 1; ++y)
                inked = inked || canvas.image().pixel(x, y) != kWhite;
            (inked ? ink : gaps)++;
        }
        EXPECT_GT(ink, 20);
        if (style == PenStyle::Solid)
            EXPECT_EQ(gaps, 0);
        else
            EXPECT_GT(gaps, 20);
    }
}

TEST(ImageCanvas, CircleOutlineHasItsRadiusInMillimetres)
{
    ImageCanvas canvas(QSize(200, 100));
    canvas.circle(20, 10, 1, 2);
    const double cx = 20 * kPxPerMm, cy = 10 * kPxPerMm, r = kPxPerMm;
    int ink = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.image().pixel(x, y) == qRgb(0, 128, 0)) {
                ++ink;
                EXPECT_NEAR(std::hypot(x + 0.5 - cx, y + 0.5 - cy), r, 1.5) << x << "," << y;
            }
    EXPECT_GT(ink, 8);
    EXPECT_EQ(canvas.image().pixel(static_cast<int>(cx), static_cast<int>(cy)), kWhite);
}

TEST(ImageCanvas, TextHangsBelowAndRightOfTheCurrentPosition)
{
    ImageCanvas canvas(QSize(200, 100));
    canvas.line(0, 10, 10, 10, 15);   // white line: only moves the current position
    canvas.print(" 4");
    const int x0 = static_cast<int>(10 * kPxPerMm), y0 = static_cast<int>(10 * kPxPerMm);
    int ink = 0, top = 100, bottom = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.image().pixel(x, y) != kWhite) {
                ++ink;
                EXPECT_GE(x, x0 - 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GT(ink, 10);
    EXPECT_GE(top, y0 - 1);
    EXPECT_LE(bottom - y0, 20);   // 12 points at 96 dpi are 16 pixels
}

// The raster keeps its painter open and its shaped texts between drawings: a label printed
// again looks as Qt draws it afresh, and a picture taken from a canvas stays as it was while
// the canvas draws on.
TEST(ImageCanvas, LabelsPrintedAgainAndPicturesTakenStayTrue)
{
    ImageCanvas canvas(QSize(200, 100)), taken(QSize(200, 100));
    const char* label = "I12 速度";
    canvas.printAt({0, 0}, label);
    canvas.printAt({25.4, 0}, label);   // 96 pixels right, shaped the first time
    taken.takePicture(canvas);
    const QImage before = taken.image().copy();
    canvas.line(0, 5, 50, 5, 4);
    canvas.printAt({0, 10}, label);
    EXPECT_EQ(taken.image(), before);
    EXPECT_NE(canvas.image(), before);

    QImage fresh(200, 100, QImage::Format_RGB32);
    fresh.fill(Qt::white);
    QPainter painter(&fresh);
    const QFont font = plot::PictureFont(kPxPerMm);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const double x : {0.0, 96.0})
        painter.drawText(QPointF(x, QFontMetricsF(font, &fresh).ascent()), QString::fromUtf8(label));
    painter.end();
    EXPECT_EQ(before, fresh);
}

TEST(ImageCanvas, FarAwayCoordinatesAreClippedWithoutFailing)
{
    ImageCanvas canvas(QSize(200, 100));
    canvas.line(-1e12, 20, 1e12, 20, 4);
    EXPECT_EQ(RowsOf(canvas.image(), 0, kRed).size(), 1u);
    EXPECT_EQ(RowsOf(canvas.image(), 199, kRed).size(), 1u);
    canvas.clear();
    canvas.line(1e300, 1e300, -1e300, -1e300, 4);
    canvas.circle(1e300, 0, 1, 4);
    canvas.circle(10, 10, 1e300, 4);
    const std::vector<PointMm> wild{{0, 0}, {1e300, -1e300}, {-1e300, 1e300}, {5, 5}};
    canvas.polyline(wild, 4);
    canvas.line(1e300, 0, 1e300, 0, 0);
    canvas.line(1.7e308, -1.7e308, 0, 0, 0);   // beyond a double once in pixels
    const std::vector<PointMm> huge{{0, 1.7e308}, {0.001, -1.7e308}, {0.002, 1.7e308}, {0.003, 0}};
    canvas.polyline(huge, 4);
    canvas.print("x");
    SUCCEED();
}

// Renders a curve merged by pixel columns and segment by segment; returns the share of
// pixels that differ.
double DifferingShare(const std::vector<PointMm>& curve, double devicePixelRatio)
{
    ImageCanvas merged(QSize(545, 418), 96, devicePixelRatio);
    ImageCanvas reference(QSize(545, 418), 96, devicePixelRatio);
    for (ImageCanvas* c : {&merged, &reference})
        c->setPenWidth(2);
    merged.polyline(curve, 1);
    for (std::size_t i = 1; i < curve.size(); ++i)
        reference.line(curve[i - 1].x, curve[i - 1].y, curve[i].x, curve[i].y, 1);

    const QImage& a = merged.image();
    const QImage& b = reference.image();
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

std::vector<PointMm> Curve(int samples, double noise)
{
    // Across the time axis of a 545 x 418 px graph: x from 10 to 10 + W - 30 mm.
    const double w = 545 / kPxPerMm, h = 418 / kPxPerMm;
    std::uint32_t state = 12345;
    std::vector<PointMm> curve;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / (samples - 1);
        state = state * 1664525u + 1013904223u;
        const double jitter = noise * (static_cast<double>(state >> 8) / (1 << 24) - 0.5);
        curve.push_back(
            {10 + t * (w - 30), h / 2 - 0.42 * h * (std::sin(6.28318530717958 * 3 * t) + jitter)});
    }
    return curve;
}

TEST(RasterPolyline, MergedColumnsLookLikeEverySegment)
{
    struct Row {
        const char* name;
        int samples;
        double noise, dpr, maxShare;
    } rows[] = {
        {"smooth 1e5", 100000, 0, 1, 0.01},
        {"noisy 1e5", 100000, 0.3, 1, 0.01},
        {"smooth 1e5 at dpr 2", 100000, 0, 2, 0.01},
        {"noisy 1e5 at dpr 2", 100000, 0.3, 2, 0.01},
        {"sparse: segments as they are", 300, 0.3, 1, 0},
    };
    for (const Row& row : rows)
        EXPECT_LE(DifferingShare(Curve(row.samples, row.noise), row.dpr), row.maxShare) << row.name;
}

TEST(ImageCanvas, EncodesPng)
{
    ImageCanvas canvas(QSize(200, 100), 96, 2);
    canvas.line(10, 20, 40, 20, 4);
    const QImage loaded = QImage::fromData(canvas.pngBytes(), "PNG");
    ASSERT_EQ(loaded.size(), QSize(400, 200));
    EXPECT_EQ(loaded.pixel(200, RowsOf(canvas.image(), 200, kRed).front()), kRed);
}

TEST(PictureBox, InnerAreaIsTheLogicalSizeInMillimetres)
{
    plot::PictureBox box(QSize(300, 200));
    EXPECT_EQ(box.contentsRect().size(), QSize(300, 200));
    EXPECT_NEAR(box.widthMm(), 300 * 25.4 / box.logicalDpiX(), 1e-9);
    EXPECT_NEAR(box.heightMm(), 200 * 25.4 / box.logicalDpiX(), 1e-9);
    EXPECT_EQ(box.image().size(), QSize(300, 200) * box.devicePixelRatioF());

    plot::GraphLine(box, 0, 0, 20, 0, 4);   // along the middle of the picture
    const QImage shown = box.grab().toImage();
    const QPoint inner = box.contentsRect().topLeft();
    const int ratio = static_cast<int>(box.devicePixelRatioF());
    const double mmToPx = box.logicalDpiX() / 25.4;
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy) {
        const QPoint at = (inner + QPoint(static_cast<int>(20 * mmToPx), 100 + dy)) * ratio;
        found = found || shown.pixel(at) == kRed;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(shown.pixel(inner * ratio + QPoint(5, 5)), kWhite);
}

}
