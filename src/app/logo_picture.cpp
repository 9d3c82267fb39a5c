// The logo drawings of the main menu, in widget pixels with y down.
#include "app/logo_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <optional>

#include "numeric/closures.h"
#include "numeric/constants.h"

namespace app {

namespace {

const QColor kGround(90, 90, 90);
const QColor kCrank(200, 40, 40);
const QColor kCoupler(30, 90, 200);
const QColor kRocker(30, 150, 60);
const QColor kPath(230, 150, 20);

// A fixed pivot: a small hatched triangle under the joint.
void DrawGroundPivot(QPainter& p, QPointF at)
{
    p.setPen(QPen(kGround, 1.5));
    p.setBrush(Qt::NoBrush);
    const QPolygonF triangle{at, at + QPointF(-7, 11), at + QPointF(7, 11)};
    p.drawPolygon(triangle);
    p.drawLine(at + QPointF(-11, 11), at + QPointF(11, 11));
    for (double x = -9; x <= 9; x += 4.5)
        p.drawLine(at + QPointF(x, 11), at + QPointF(x - 4, 16));
}

void DrawLink(QPainter& p, QPointF a, QPointF b, const QColor& colour)
{
    p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
}

void DrawJoint(QPainter& p, QPointF at)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(at, 4, 4);
}

// Crank-rocker in a unit frame (y up): ground A(0,0)-D(3,0), crank 1, coupler 3, rocker 2.5;
// the coupler point lies off the coupler line, tracing the familiar closed coupler curve.
struct FourBarPose {
    QPointF b, c, coupler;
};

// The crank is the shortest link and the linkage is a Grashof crank-rocker, so the loop closes
// at every crank angle; a pose that could not close would be left out.
std::optional<FourBarPose> SolveLogoFourBar(double crankAngle)
{
    using numeric::PointKinematics;
    const PointKinematics a = PointKinematics::AtRest(0, 0), d = PointKinematics::AtRest(3, 0);
    const double crank = 1, coupler = 3, rocker = 2.5;
    const PointKinematics b = numeric::PolarPoint(a, crank, {crankAngle, 0, 0});
    // C on the upper branch: left of B->D; the coupler point 1.5 along B->C and 1.2 to its left.
    PointKinematics c, point;
    if (numeric::SolveDyad(b, d, coupler, rocker, c) != numeric::Status::Ok
        || numeric::BodyPoint(b, c, 1.5, 1.2, point) != numeric::Status::Ok)
        return std::nullopt;
    auto at = [](const PointKinematics& p) { return QPointF(p.x, p.y); };
    return FourBarPose{at(b), at(c), at(point)};
}

void DrawFourBar(QPainter& p, const QRectF& area)
{
    // Unit frame -> widget: x from -1.3 to 4.0, y up.
    const double scale = std::min(area.width() / 5.6, area.height() / 4.4);
    const QPointF origin(area.left() + 1.4 * scale, area.bottom() - 1.3 * scale);
    auto map = [&](QPointF u) { return origin + QPointF(u.x() * scale, -u.y() * scale); };

    QPainterPath path;
    for (int i = 0; i <= 120; ++i) {
        const std::optional<FourBarPose> pose = SolveLogoFourBar(numeric::kTwoPi * i / 120);
        if (!pose)
            continue;
        const QPointF at = map(pose->coupler);
        path.elementCount() == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    p.setPen(QPen(kPath, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);

    const std::optional<FourBarPose> pose = SolveLogoFourBar(1.0);
    if (!pose)
        return;
    const QPointF a = map({0, 0}), d = map({3, 0});
    const QPointF b = map(pose->b), c = map(pose->c), point = map(pose->coupler);
    DrawGroundPivot(p, a);
    DrawGroundPivot(p, d);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kCoupler.red(), kCoupler.green(), kCoupler.blue(), 60));
    p.drawPolygon(QPolygonF{b, c, point});
    DrawLink(p, b, c, kCoupler);
    DrawLink(p, b, point, kCoupler);
    DrawLink(p, c, point, kCoupler);
    DrawLink(p, a, b, kCrank);
    DrawLink(p, d, c, kRocker);
    for (QPointF joint : {a, b, c, d})
        DrawJoint(p, joint);
    p.setPen(Qt::NoPen);
    p.setBrush(kPath);
    p.drawEllipse(point, 4, 4);
}

void DrawCrankPiston(QPainter& p, const QRectF& area)
{
    // Crank r, rod 3r: the wrist pin travels from 2r to 4r right of the crank centre.
    const double r = std::min(area.height() * 0.32, area.width() / 6.2);
    const QPointF centre(area.left() + r + 4, area.center().y());
    const QPointF pin = centre + QPointF(r * std::cos(2.2), -r * std::sin(2.2));
    const double rod = 3 * r;
    const double pistonX = pin.x() + std::sqrt(rod * rod - std::pow(pin.y() - centre.y(), 2));
    const QPointF wrist(pistonX, centre.y());

    p.setPen(QPen(kGround, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
    const double top = centre.y() - 0.8 * r, bottom = centre.y() + 0.8 * r;
    const double left = centre.x() + 1.3 * r, right = centre.x() + 5 * r;
    p.drawLine(QPointF(left, top), QPointF(right, top));
    p.drawLine(QPointF(left, bottom), QPointF(right, bottom));
    p.drawLine(QPointF(right, top), QPointF(right, bottom));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(wrist.x() - 0.6 * r, centre.y() - 0.7 * r, 1.2 * r, 1.4 * r));
    DrawLink(p, centre, pin, kCrank);
    DrawLink(p, pin, wrist, kCoupler);
    for (QPointF joint : {centre, pin, wrist})
        DrawJoint(p, joint);
}

}

LogoPicture::LogoPicture(Motif motif, QSize size, QWidget* parent) : QWidget(parent), motif_(motif)
{
    setFixedSize(size);
}

void PaintLogo(QPainter& p, LogoPicture::Motif motif, const QRectF& area)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (motif == LogoPicture::Motif::FourBar)
        DrawFourBar(p, area);
    else
        DrawCrankPiston(p, area);
}

void LogoPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintLogo(p, motif_, QRectF(rect()).adjusted(4, 4, -4, -4));
}

}
