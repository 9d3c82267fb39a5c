// Closed-form position, velocity and acceleration of mechanism points; every degenerate pose
// is reported as Status::Error with the caller's outputs left as they were.
#include "numeric/closures.h"

#include <cmath>

#include "numeric/angle.h"
#include "numeric/finite.h"

namespace numeric {

namespace {

// Below this |cos alpha| a guide counts as vertical: tan alpha would exceed 1e9 and the
// slider's position error grows like tan^2 alpha. A guide typed as 90 or 270 degrees gives
// |cos alpha| near 1e-15 through the 15-digit pi, far below the limit.
constexpr double kVerticalGuideCos = 1e-9;

// B - A for position, velocity and acceleration.
struct Difference {
    double dx, dvx, dax, dy, dvy, day;
};

Difference Between(const PointKinematics& a, const PointKinematics& b)
{
    return {b.x - a.x, b.vx - a.vx, b.ax - a.ax, b.y - a.y, b.vy - a.vy, b.ay - a.ay};
}

// Hands a result to the caller only when every number in it is finite (overflow near a
// singular pose, or non-finite inputs, must never come back as "ok").
template <typename T> Status Deliver(const T& result, T& out)
{
    if (!IsFinite(result))
        return Status::Error;
    out = result;
    return Status::Ok;
}

}

Status PointDistance(const PointKinematics& a, const PointKinematics& b, ValueTriple& out)
{
    const auto [dx, dvx, dax, dy, dvy, day] = Between(a, b);
    const double l = std::sqrt(dx * dx + dy * dy);
    if (!(l > 0))   // coincident points: the direction of AB, hence every rate, is undefined
        return Status::Error;
    const double lDot = (dx * dvx + dy * dvy) / l;
    const double lDdot =
        (dvx * dvx + dx * dax + dvy * dvy + dy * day) / l - (dx * dvx + dy * dvy) * lDot / l / l;
    return Deliver(ValueTriple{l, lDot, lDdot}, out);
}

Status LineAngle(const PointKinematics& a, const PointKinematics& b, ValueTriple& out)
{
    const auto [dx, dvx, dax, dy, dvy, day] = Between(a, b);
    const double phi = ArcTan2(dy, dx);
    const double d = dx * dx + dy * dy;
    if (!(d > 0))
        return Status::Error;
    const double phiDot = (dvy * dx - dy * dvx) / d;
    const double phiDdot = ((day * dx - dy * dax) - 2 * (dx * dvx + dy * dvy) * phiDot) / d;
    return Deliver(ValueTriple{phi, phiDot, phiDdot}, out);
}

Status TriangleAngle(double la, double lb, const ValueTriple& l, ValueTriple& out)
{
    const double len = l.value;
    if (la == 0 || len == 0)
        return Status::Error;
    const double c = (len * len + la * la - lb * lb) / (2 * la * len);
    const std::optional<double> theta = ArcCos(c);
    if (!theta)
        return Status::Error;   // the triangle cannot close

    // Flat triangle (stretched or folded chain): |c| = 1 exactly, the only case in which
    // sqrt(1 - c^2) vanishes (sin theta itself is not zero at theta = -pi with the 15-digit pi).
    // There theta behaves like sqrt(Lmax - L), so its rates exist only while L stands still.
    // L counts as still when its rate and acceleration are exactly zero, which is what a
    // chain whose ends are at rest, or translate together, produces; any other motion makes
    // the rates undefined.
    if (c == 1 || c == -1) {
        if (l.rate != 0 || l.accel != 0)
            return Status::Error;
        return Deliver(ValueTriple{*theta, 0, 0}, out);
    }

    const double sinTheta = std::sin(*theta);
    const double thetaDot =
        -l.rate * (len * len - la * la + lb * lb) / (2 * la * len * len * sinTheta);
    const double thetaDdot =
        ((la * la - lb * lb) * (len * l.accel - 2 * l.rate * l.rate) / (len * len * len) - l.accel
         - 2 * la * c * thetaDot * thetaDot)
        / (2 * la * sinTheta);
    return Deliver(ValueTriple{*theta, thetaDot, thetaDdot}, out);
}

PointKinematics PolarPoint(const PointKinematics& a, double len, const ValueTriple& psi)
{
    const double cosPsi = std::cos(psi.value);
    const double sinPsi = std::sin(psi.value);
    const double w = psi.rate;
    PointKinematics c;
    c.x = a.x + len * cosPsi;
    c.y = a.y + len * sinPsi;
    c.vx = a.vx - len * sinPsi * w;
    c.vy = a.vy + len * cosPsi * w;
    c.ax = a.ax - len * (sinPsi * psi.accel + cosPsi * w * w);
    c.ay = a.ay + len * (cosPsi * psi.accel - sinPsi * w * w);
    return c;
}

Status SolveDyad(const PointKinematics& a, const PointKinematics& b, double la, double lb,
                 PointKinematics& c, Branch branch)
{
    if (la == 0 || lb == 0)   // a link without length is no link
        return Status::Error;
    ValueTriple l;
    if (PointDistance(a, b, l) != Status::Ok)
        return Status::Error;
    if (l.value > la + lb)
        return Status::Error;
    ValueTriple theta;
    if (TriangleAngle(la, lb, l, theta) != Status::Ok)
        return Status::Error;
    ValueTriple phi;
    if (LineAngle(a, b, phi) != Status::Ok)
        return Status::Error;
    // theta in [0, pi), or -pi for a folded chain: C lies to the left of, or on, the directed
    // line A->B; turning the other way from A->B mirrors C across that line.
    const double side = static_cast<int>(branch);
    const ValueTriple psi{phi.value + side * theta.value, phi.rate + side * theta.rate,
                          phi.accel + side * theta.accel};
    return Deliver(PolarPoint(a, la, psi), c);
}

Status BodyPoint(const PointKinematics& a, const PointKinematics& b, double u, double w,
                 PointKinematics& c)
{
    ValueTriple phi;
    if (LineAngle(a, b, phi) != Status::Ok)
        return Status::Error;
    const double cosPhi = std::cos(phi.value);
    const double sinPhi = std::sin(phi.value);
    const double rx = u * cosPhi - w * sinPhi;
    const double ry = u * sinPhi + w * cosPhi;
    PointKinematics result;
    result.x = a.x + rx;
    result.y = a.y + ry;
    result.vx = a.vx - ry * phi.rate;
    result.vy = a.vy + rx * phi.rate;
    result.ax = a.ax - ry * phi.accel - rx * phi.rate * phi.rate;
    result.ay = a.ay + rx * phi.accel - ry * phi.rate * phi.rate;
    return Deliver(result, c);
}

Status SolveSlider(double alpha, double l, const PointKinematics& p0, const PointKinematics& b,
                   PointKinematics& s, Branch branch)
{
    // The guide is y = y0 + tan(alpha) (x - x0); S is its intersection with the circle of
    // radius l about B that has the larger x (the root m + sqrt D), or the smaller x.
    if (!(std::abs(std::cos(alpha)) > kVerticalGuideCos))
        return Status::Error;
    const double t = std::tan(alpha);
    const double q = 1 + t * t;
    const double k = (p0.y - b.y) - t * p0.x;
    const double kDot = (p0.vy - b.vy) - t * p0.vx;
    const double kDdot = (p0.ay - b.ay) - t * p0.ax;
    const double m = b.x - k * t;
    const double mDot = b.vx - t * kDot;
    const double mDdot = b.ax - t * kDdot;
    const double d = m * m - q * (b.x * b.x + k * k - l * l);
    // D < 0: the rod cannot reach the guide; D = 0: it only touches it and the rates diverge.
    if (!(d > 0))
        return Status::Error;
    const double dDot = 2 * m * mDot - q * (2 * b.x * b.vx + 2 * k * kDot);
    const double dDdot = 2 * (mDot * mDot + m * mDdot)
                         - 2 * q * (b.vx * b.vx + b.x * b.ax + kDot * kDot + k * kDdot);
    const double rootD = std::sqrt(d);
    const double root = static_cast<int>(branch);

    PointKinematics result;
    result.x = (m + root * rootD) / q;
    result.vx = (mDot + root * dDot / (2 * rootD)) / q;
    result.ax = (mDdot + root * 0.5 * (dDdot * rootD - dDot * dDot / (2 * rootD)) / d) / q;
    result.y = p0.y + t * (result.x - p0.x);
    result.vy = p0.vy + t * (result.vx - p0.vx);
    result.ay = p0.ay + t * (result.ax - p0.ax);
    return Deliver(result, s);
}

Status SolveGuidePoint(double alpha, double l, const PointKinematics& p0, const PointKinematics& b,
                       PointKinematics& s, Branch branch)
{
    // With d = P0 - B and the unit direction u, |d + s u| = l gives s = -(d.u) +- sqrt(l^2 - h^2),
    // h = d x u the distance of B from the guide; u is constant, so d' = P0' - B' and so on.
    if (!(l > 0))
        return Status::Error;
    const double ux = std::cos(alpha), uy = std::sin(alpha);
    const auto [dx, dvx, dax, dy, dvy, day] = Between(b, p0);
    const double along = dx * ux + dy * uy, alongDot = dvx * ux + dvy * uy,
                 alongDdot = dax * ux + day * uy;
    const double h = dx * uy - dy * ux, hDot = dvx * uy - dvy * ux, hDdot = dax * uy - day * ux;
    const double disc = l * l - h * h;
    if (!(disc > 0))
        return Status::Error;
    const double r = std::sqrt(disc);
    const double rDot = -h * hDot / r;
    const double rDdot = (-(hDot * hDot + h * hDdot) - rDot * rDot) / r;
    const double side = static_cast<int>(branch);
    const ValueTriple sv{-along + side * r, -alongDot + side * rDot, -alongDdot + side * rDdot};
    PointKinematics result;
    result.x = p0.x + sv.value * ux;
    result.vx = p0.vx + sv.rate * ux;
    result.ax = p0.ax + sv.accel * ux;
    result.y = p0.y + sv.value * uy;
    result.vy = p0.vy + sv.rate * uy;
    result.ay = p0.ay + sv.accel * uy;
    return Deliver(result, s);
}

}
