// Pictures taken away: an SVG looks like the PNG of the same drawing, and an animated GIF read
// back by Qt's own decoder gives every frame pixel for pixel.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <vector>

#include "plot/graphs.h"
#include "plot/primitives.h"
#include "plot/qt/gif_writer.h"
#include "plot/qt/image_canvas.h"
#include "plot/qt/vector_canvas.h"

namespace {

const QSize kLarge(545, 418);

// A summary-like picture: a graph's axes and labels, a traced path of many samples, two links
// and joint circles, the labelled world grid.
void DrawScene(plot::Canvas& c, int pathSamples)
{
    const plot::WorldWindow w{-30, 30, -10, 30, 10, 5, 2};
    plot::DrawGraphAxes(c);
    std::vector<plot::PointMm> path;
    for (int i = 0; i <= pathSamples; ++i) {
        const double t = 6.28318530717958 * i / pathSamples;
        path.push_back(plot::WorldToPicture(c, w, {20 * std::cos(t), 10 + 15 * std::sin(3 * t)}));
    }
    c.polyline(path, 1);
    c.setPenWidth(2);
    plot::WorldLine(c, w, {0, 0}, {20, 10}, 1);
    plot::WorldLine(c, w, {20, 10}, {28, 25}, 2);
    c.setPenWidth(1);
    plot::WorldCircle(c, w, {0, 0}, 1);
    plot::WorldCircle(c, w, {20, 10}, 1);
    plot::DrawWorldGrid(c, w);
}

double DifferingShare(const QImage& a, const QImage& b)
{
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            // Edges drawn with and without smoothing differ by part of a pixel's ink.
            differing += std::abs(qGray(p) - qGray(q)) > 96;
        }
    return static_cast<double>(differing) / (a.width() * a.height());
}

TEST(SvgPicture, LooksLikeThePngAndStaysSmall)
{
    for (int samples : {400, 1'000'000}) {
        SCOPED_TRACE(samples);
        plot::ImageCanvas png(kLarge);
        plot::VectorCanvas vectors(kLarge);
        DrawScene(png, samples);
        DrawScene(vectors, samples);
        const QByteArray svg = vectors.picture().svg();

        QSvgRenderer renderer(svg);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.defaultSize(), kLarge);
        QImage rendered(kLarge, QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QPainter painter(&rendered);
        renderer.render(&painter);
        painter.end();
        EXPECT_LT(DifferingShare(png.image(), rendered), 0.01);

        // Vector elements and text, not an embedded image; a path of 10^6 samples keeps only
        // what its pixel columns show.
        EXPECT_TRUE(svg.contains("<polyline") || svg.contains("<path"));
        EXPECT_TRUE(svg.contains(">-30</text>"));
        EXPECT_FALSE(svg.contains("<image"));
        EXPECT_LT(svg.size(), 200'000);
    }
}

TEST(GifWriter, QtReadsBackEveryFrameWithItsExactColours)
{
    const QSize size(120, 80);
    std::vector<QImage> frames;
    plot::ImageCanvas canvas(size);
    for (int k = 0; k < 12; ++k) {
        canvas.clear();
        canvas.setPenWidth(2);
        canvas.line(5, 5, 5 + k, 15, k % 16);   // every palette colour, white included
        canvas.circle(20, 10, 1 + k % 3, (k + 5) % 16);
        frames.push_back(canvas.image().copy());
    }
    frames.push_back(frames.back());   // an unchanged frame still counts

    plot::GifWriter writer(size, 5);
    for (const QImage& f : frames)
        ASSERT_TRUE(writer.addFrame(f));
    EXPECT_FALSE(writer.addFrame(QImage(10, 10, QImage::Format_RGB32)));
    const std::string bytes = writer.finish();
    ASSERT_FALSE(bytes.empty());

    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.canRead());
    EXPECT_EQ(reader.imageCount(), static_cast<int>(frames.size()));
    EXPECT_EQ(reader.size(), size);
    for (std::size_t k = 0; k < frames.size(); ++k) {
        SCOPED_TRACE(k);
        const QImage read = reader.read().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(read.size(), size);
        EXPECT_EQ(read, frames[k]);
        EXPECT_EQ(reader.nextImageDelay(), 50);
    }
    EXPECT_EQ(reader.loopCount(), -1);   // for ever
}

}
