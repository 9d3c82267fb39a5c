// Drawing in millimetres on a QImage. Lines are aliased, crisp on the pixel grid; pen widths
// are logical pixels, so a dense screen gets proportionally wider device lines.
#include "plot/qt/raster_picture.h"

#include "plot/qt/picture_geometry.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace plot {

namespace {

constexpr double kMmPerInch = 25.4;
// A pixel column gets merged into one vertical span only when it holds this many samples;
// sparser curves are drawn segment by segment.
constexpr std::size_t kMergeMinSamples = 3;
// Texts shaped beyond this many are forgotten all at once: the labels of a picture are few, but
// a long session may print many different numbers.
constexpr std::size_t kShapedTextsKept = 512;

double Sanitised(double value, double fallback)
{
    return std::isfinite(value) && value > 0 ? value : fallback;
}

QPen MakePen(const Pen& pen, double devicePixelRatio)
{
    QPen qpen(QColor(pen.colour.r, pen.colour.g, pen.colour.b));
    qpen.setCosmetic(true);
    qpen.setWidthF(std::max(1, pen.widthPixels) * devicePixelRatio);
    qpen.setStyle(pen.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    return qpen;
}

class LinePainter {
public:
    LinePainter(QPainter& painter, QSize logicalSize, const Pen& pen)
        : painter_(painter), box_(ClipBox(QSizeF(logicalSize)))
    {
        painter_.setPen(MakePen(pen, painter.device()->devicePixelRatio()));
    }

    void add(QLineF line)
    {
        // Millimetres near the largest double overflow when turned into pixels.
        const bool finite = std::isfinite(line.x1()) && std::isfinite(line.y1())
                            && std::isfinite(line.x2()) && std::isfinite(line.y2());
        if (finite && ClipToBox(line, box_))
            lines_.push_back(line);
        if (lines_.size() >= kBatchLines)
            flush();
    }
    void flush()
    {
        if (!lines_.empty())
            painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }
    QPainter& painter() { return painter_; }

private:
    static constexpr std::size_t kBatchLines = 4096;
    QPainter& painter_;
    QRectF box_;
    std::vector<QLineF> lines_;
};

}

RasterPicture::RasterPicture(QSize logicalSize, double logicalDpi, double devicePixelRatio)
    : logicalSize_(logicalSize.expandedTo(QSize(1, 1))),
      pixelsPerMm_(Sanitised(logicalDpi, 96.0) / kMmPerInch)
{
    const double ratio = Sanitised(devicePixelRatio, 1.0);
    image_ =
        QImage(static_cast<int>(std::lround(logicalSize_.width() * ratio)),
               static_cast<int>(std::lround(logicalSize_.height() * ratio)), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    font_ = PictureFont(pixelsPerMm_);
    const QFontMetricsF metrics(font_, &image_);
    ascentPx_ = metrics.ascent();
    heightPx_ = metrics.height();
    clear();
}

// A copy may be drawn on by another thread, so it takes a font of its own and shapes its texts
// anew: shaped glyphs keep the font engine of the thread that shaped them.
RasterPicture::RasterPicture(const RasterPicture& other)
    : image_(other.image()), logicalSize_(other.logicalSize_), pixelsPerMm_(other.pixelsPerMm_),
      font_(PictureFont(pixelsPerMm_)), ascentPx_(other.ascentPx_), heightPx_(other.heightPx_)
{
}

RasterPicture& RasterPicture::operator=(const RasterPicture& other)
{
    if (this != &other) {
        closePainter();
        image_ = other.image();
        logicalSize_ = other.logicalSize_;
        pixelsPerMm_ = other.pixelsPerMm_;
        font_ = PictureFont(pixelsPerMm_);
        ascentPx_ = other.ascentPx_;
        heightPx_ = other.heightPx_;
        shapedTexts_.clear();
    }
    return *this;
}

RasterPicture::~RasterPicture() = default;

const QImage& RasterPicture::image() const
{
    closePainter();
    return image_;
}

QPainter& RasterPicture::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setBrush(Qt::NoBrush);
        painter_->setFont(font_);
    }
    return *painter_;
}

void RasterPicture::closePainter() const
{
    painter_.reset();
}

double RasterPicture::widthMm() const
{
    return logicalSize_.width() / pixelsPerMm_;
}

double RasterPicture::heightMm() const
{
    return logicalSize_.height() / pixelsPerMm_;
}

void RasterPicture::clear()
{
    closePainter();
    image_.fill(Qt::white);
}

void RasterPicture::line(PointMm a, PointMm b, const Pen& pen)
{
    LinePainter painter(this->painter(), logicalSize_, pen);
    painter.add(
        QLineF(a.x * pixelsPerMm_, a.y * pixelsPerMm_, b.x * pixelsPerMm_, b.y * pixelsPerMm_));
    painter.flush();
}

void RasterPicture::circle(PointMm centre, double radiusMm, const Pen& pen)
{
    const double cx = centre.x * pixelsPerMm_, cy = centre.y * pixelsPerMm_;
    const double r = std::abs(radiusMm) * pixelsPerMm_;
    const QRectF box = QRectF(QPointF(0, 0), QSizeF(logicalSize_));
    // A circle wholly outside the picture (or absurdly large) shows nothing.
    if (cx + r < -kClipMarginPx || cx - r > box.right() + kClipMarginPx || cy + r < -kClipMarginPx
        || cy - r > box.bottom() + kClipMarginPx || r > 1e6)
        return;
    LinePainter painter(this->painter(), logicalSize_, pen);
    painter.painter().drawEllipse(QPointF(cx, cy), r, r);
}

const RasterPicture::Shaped& RasterPicture::shaped(std::string_view utf8) const
{
    const std::string key(utf8);
    if (const auto found = shapedTexts_.find(key); found != shapedTexts_.end())
        return found->second;
    if (shapedTexts_.size() >= kShapedTextsKept)
        shapedTexts_.clear();
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    Shaped entry;
    entry.width = QFontMetricsF(font_, &image_).horizontalAdvance(text);
    // Laid out on one line from the origin, as QPainter::drawText lays out a single line.
    QTextLayout layout(text, font_, &image_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.isValid()) {
        entry.runs = line.glyphRuns();
        // Runs come with the line's ascent in their positions; take it out to place them on a
        // baseline.
        for (QGlyphRun& run : entry.runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& position : positions)
                position.ry() -= line.ascent();
            run.setPositions(positions);
        }
    }
    return shapedTexts_.emplace(key, std::move(entry)).first->second;
}

double RasterPicture::textWidthMm(std::string_view utf8) const
{
    return shaped(utf8).width / pixelsPerMm_;
}

double RasterPicture::textHeightMm() const
{
    return heightPx_ / pixelsPerMm_;
}

void RasterPicture::text(PointMm topLeft, std::string_view utf8)
{
    const double x = topLeft.x * pixelsPerMm_, y = topLeft.y * pixelsPerMm_;
    if (std::abs(x) > 1e6 || std::abs(y) > 1e6)
        return;
    QPainter& p = painter();
    p.setPen(Qt::black);
    // Scaled to a dense screen, shaped glyphs land on other device pixels than drawText puts
    // them; there the text is shaped anew.
    if (image_.devicePixelRatio() != 1.0) {
        p.drawText(QPointF(x, y + ascentPx_),
                   QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        return;
    }
    for (const QGlyphRun& run : shaped(utf8).runs)
        p.drawGlyphRun(QPointF(x, y + ascentPx_), run);
}

double RasterPicture::columnOf(double xMm, const Pen& pen) const
{
    const double devicePen = std::max(1, pen.widthPixels) * image_.devicePixelRatio();
    const double shift = std::fmod(std::round(devicePen), 2.0) == 0 ? 0.5 : 0.0;
    return std::floor(xMm * pixelsPerMm_ * image_.devicePixelRatio() + shift);
}

void RasterPicture::polyline(std::span<const PointMm> points, const Pen& pen)
{
    if (points.size() < 2)
        return;
    LinePainter painter(this->painter(), logicalSize_, pen);
    const double toLogical = pixelsPerMm_;
    const double toDevice = pixelsPerMm_ * image_.devicePixelRatio();
    const double toLogicalFromDevice = 1.0 / image_.devicePixelRatio();
    auto logical = [&](PointMm p) { return QPointF(p.x * toLogical, p.y * toLogical); };

    // Walk the samples in runs that cover the same device pixel columns: a vertical pen of odd
    // width at x covers the columns around floor(x), one of even width those around round(x).
    // A long run is drawn as one vertical span at its column, which covers what its segments
    // would; short runs and the links between runs are drawn segment by segment.
    const double devicePen = std::max(1, pen.widthPixels) * image_.devicePixelRatio();
    const bool evenPen = std::fmod(std::round(devicePen), 2.0) == 0;
    const double shift = evenPen ? 0.5 : 0.0;
    auto columnOf = [&](const PointMm& p) { return std::floor(p.x * toDevice + shift); };
    std::size_t first = 0;
    while (first < points.size()) {
        const double column = columnOf(points[first]);
        double top = points[first].y, bottom = points[first].y;
        std::size_t last = first;
        for (; last + 1 < points.size(); ++last) {
            const double x = points[last + 1].x * toDevice + shift;
            if (!(x >= column && x < column + 1))
                break;
            top = std::min(top, points[last + 1].y);
            bottom = std::max(bottom, points[last + 1].y);
        }
        if (last + 1 - first >= kMergeMinSamples) {
            const double x = (column + 0.5 - shift) * toLogicalFromDevice;
            painter.add(QLineF(x, top * toLogical, x, bottom * toLogical));
        } else {
            for (std::size_t i = first; i < last; ++i)
                painter.add(QLineF(logical(points[i]), logical(points[i + 1])));
        }
        if (last + 1 < points.size())
            painter.add(QLineF(logical(points[last]), logical(points[last + 1])));
        first = last + 1;
    }
    painter.flush();
}

}
