// Recording vector drawing and painting it back; SVG through Qt SVG's generator.
#include "plot/qt/vector_picture.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "plot/qt/picture_geometry.h"

namespace plot {

namespace {

constexpr double kMmPerInch = 25.4;

QPen MakePen(const Pen& pen)
{
    QPen qpen(QColor(pen.colour.r, pen.colour.g, pen.colour.b));
    qpen.setWidthF(std::max(1, pen.widthPixels));
    qpen.setStyle(pen.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    qpen.setCapStyle(Qt::FlatCap);
    return qpen;
}

bool Finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Where the raster's aliased pen puts its pixels: a stroke of odd width fills the pixel whose
// corner is below the coordinate, one of even width the pixels on both sides of the nearest
// pixel edge. Strokes centred there cover whole pixels, so the vector picture shows as crisply
// as the raster at its own size and lands on the same pixels.
double Across(double v, int width)
{
    return width % 2 == 1 ? std::floor(v) + 0.5 : std::floor(v + 0.5);
}

QPointF Snapped(QPointF p, int width)
{
    return {Across(p.x(), width), Across(p.y(), width)};
}

// A line parallel to an axis runs from the outer edge of its first pixel to the outer edge of
// its last, so its dots fall on the raster's pixels too.
QLineF Snapped(QLineF line, int width)
{
    auto along = [](double from, double to) {
        return to >= from ? std::pair{std::floor(from), std::floor(to) + 1}
                          : std::pair{std::floor(from) + 1, std::floor(to)};
    };
    if (line.y1() == line.y2()) {
        const auto [x1, x2] = along(line.x1(), line.x2());
        const double y = Across(line.y1(), width);
        return {x1, y, x2, y};
    }
    if (line.x1() == line.x2()) {
        const auto [y1, y2] = along(line.y1(), line.y2());
        const double x = Across(line.x1(), width);
        return {x, y1, x, y2};
    }
    return {Snapped(line.p1(), width), Snapped(line.p2(), width)};
}

int Width(const Pen& pen)
{
    return std::max(1, pen.widthPixels);
}

// The points of one pixel column's run that its drawing needs: the first, the highest, the
// lowest and the last, in their order along the curve. The segments between them cover the
// column's vertical span and leave it where the curve leaves it.
void KeepRun(std::span<const QPointF> run, std::vector<QPointF>& kept)
{
    std::size_t top = 0, bottom = 0;
    for (std::size_t i = 1; i < run.size(); ++i) {
        if (run[i].y() < run[top].y())
            top = i;
        if (run[i].y() > run[bottom].y())
            bottom = i;
    }
    std::size_t picks[4] = {0, std::min(top, bottom), std::max(top, bottom), run.size() - 1};
    for (int k = 0; k < 4; ++k)
        if (k == 0 || picks[k] != picks[k - 1])
            kept.push_back(run[picks[k]]);
}

// Thins a curve to the runs of the pixel columns its stroke of `width` covers, and puts the
// points it keeps where the raster's pixels are.
std::vector<QPointF> ThinToColumns(std::span<const QPointF> points, int width)
{
    auto column = [width](const QPointF& p) { return std::floor(Across(p.x(), width)); };
    std::vector<QPointF> kept;
    std::size_t first = 0;
    while (first < points.size()) {
        const double at = column(points[first]);
        std::size_t end = first + 1;
        while (end < points.size() && column(points[end]) == at)
            ++end;
        KeepRun(points.subspan(first, end - first), kept);
        first = end;
    }
    for (QPointF& p : kept)
        p = Snapped(p, width);
    return kept;
}

}

double VectorPicture::columnOf(double xMm, const Pen& pen) const
{
    return std::floor(Across(xMm * pixelsPerMm_, Width(pen)));
}

VectorPicture::VectorPicture(QSize logicalSize, double logicalDpi)
    : logicalSize_(logicalSize.expandedTo(QSize(1, 1))),
      pixelsPerMm_((std::isfinite(logicalDpi) && logicalDpi > 0 ? logicalDpi : 96.0) / kMmPerInch)
{
}

double VectorPicture::widthMm() const
{
    return logicalSize_.width() / pixelsPerMm_;
}

double VectorPicture::heightMm() const
{
    return logicalSize_.height() / pixelsPerMm_;
}

double VectorPicture::textWidthMm(std::string_view utf8) const
{
    return QFontMetricsF(PictureFont(pixelsPerMm_))
               .horizontalAdvance(
                   QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))
           / pixelsPerMm_;
}

double VectorPicture::textHeightMm() const
{
    return QFontMetricsF(PictureFont(pixelsPerMm_)).height() / pixelsPerMm_;
}

void VectorPicture::clear()
{
    items_.clear();
}

void VectorPicture::line(PointMm a, PointMm b, const Pen& pen)
{
    QLineF cut(toPixels(a), toPixels(b));
    if (Finite(cut.p1()) && Finite(cut.p2()) && ClipToBox(cut, ClipBox(logicalSize_))) {
        cut = Snapped(cut, Width(pen));
        items_.push_back({Kind::Line, pen, {cut.p1(), cut.p2()}, 0, {}});
    }
}

void VectorPicture::circle(PointMm centre, double radiusMm, const Pen& pen)
{
    const QPointF c = toPixels(centre);
    const double r = std::abs(radiusMm) * pixelsPerMm_;
    const QRectF box = ClipBox(logicalSize_);
    // A circle wholly outside the picture (or absurdly large) shows nothing.
    if (!Finite(c) || c.x() + r < box.left() || c.x() - r > box.right() || c.y() + r < box.top()
        || c.y() - r > box.bottom() || r > 1e6)
        return;
    items_.push_back({Kind::Circle, pen, {Snapped(c, Width(pen))}, r, {}});
}

void VectorPicture::text(PointMm topLeft, std::string_view utf8)
{
    const QPointF p = toPixels(topLeft);
    if (!Finite(p) || std::abs(p.x()) > 1e6 || std::abs(p.y()) > 1e6)
        return;
    items_.push_back({Kind::Text,
                      {},
                      {p},
                      0,
                      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))});
}

void VectorPicture::polyline(std::span<const PointMm> points, const Pen& pen)
{
    // Cut into pieces that stay inside the clip box: a segment that leaves the box ends its
    // piece at the edge, one that comes back starts a new piece there. Segments wholly inside,
    // nearly all of them, skip the cutting.
    const QRectF box = ClipBox(logicalSize_);
    auto inside = [&box](QPointF p) {
        return p.x() >= box.left() && p.x() <= box.right() && p.y() >= box.top()
               && p.y() <= box.bottom();   // false for NaN
    };
    std::vector<QPointF> piece;
    if (points.empty())
        return;
    QPointF previous = toPixels(points[0]);
    bool previousInside = inside(previous);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF next = toPixels(points[i]);
        const bool nextInside = inside(next);
        if (previousInside && nextInside) {
            if (piece.empty())
                piece.push_back(previous);
            piece.push_back(next);
        } else if (QLineF cut(previous, next);
                   Finite(cut.p1()) && Finite(cut.p2()) && ClipToBox(cut, box)) {
            if (!piece.empty() && piece.back() != cut.p1())
                addPolylinePiece(piece, pen);
            if (piece.empty())
                piece.push_back(cut.p1());
            piece.push_back(cut.p2());
        } else {
            addPolylinePiece(piece, pen);
        }
        previous = next;
        previousInside = nextInside;
    }
    addPolylinePiece(piece, pen);
}

void VectorPicture::addPolylinePiece(std::vector<QPointF>& piece, const Pen& pen)
{
    if (piece.size() >= 2)
        items_.push_back({Kind::Polyline, pen, ThinToColumns(piece, Width(pen)), 0, {}});
    piece.clear();
}

void VectorPicture::paint(QPainter& painter) const
{
    const QRectF area(QPointF(0, 0), QSizeF(logicalSize_));
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, Qt::white);
    painter.setBrush(Qt::NoBrush);
    const QFont font = PictureFont(pixelsPerMm_);
    const double ascent = QFontMetricsF(font).ascent();
    for (const Item& item : items_) {
        switch (item.kind) {
        case Kind::Line:
            painter.setPen(MakePen(item.pen));
            painter.drawLine(item.points[0], item.points[1]);
            break;
        case Kind::Circle:
            painter.setPen(MakePen(item.pen));
            painter.drawEllipse(item.points[0], item.radius, item.radius);
            break;
        case Kind::Text:
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(item.points[0] + QPointF(0, ascent), item.text);
            break;
        case Kind::Polyline:
            painter.setPen(MakePen(item.pen));
            painter.drawPolyline(item.points.data(), static_cast<int>(item.points.size()));
            break;
        }
    }
    painter.restore();
}

QByteArray VectorPicture::svg() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(logicalSize_);
    generator.setViewBox(QRect(QPoint(0, 0), logicalSize_));
    generator.setResolution(static_cast<int>(std::lround(pixelsPerMm_ * kMmPerInch)));
    QPainter painter(&generator);
    paint(painter);
    painter.end();
    // The generator gives the size in millimetres, which readers turn into pixels at different
    // resolutions; the picture's size is its logical pixels.
    const qsizetype width = bytes.indexOf(" width=\""), header = bytes.indexOf("viewBox");
    if (width >= 0 && header > width) {
        const QByteArray size = QStringLiteral(" width=\"%1\" height=\"%2\"\n")
                                    .arg(logicalSize_.width())
                                    .arg(logicalSize_.height())
                                    .toUtf8();
        bytes.replace(width, header - width, size);
    }
    return bytes;
}

}
