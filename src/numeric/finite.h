// Finiteness of numbers and kinematic values: a result with NaN or infinity in it must never
// count as "ok", and such a point is never drawn.
#pragma once

#include <cmath>

#include "numeric/kinematics.h"

namespace numeric {

inline bool IsFinite(double v)
{
    return std::isfinite(v);
}

// True when every one of several values is finite.
template <typename... Values>
requires(sizeof...(Values) > 1) bool IsFinite(const Values&... values)
{
    return (IsFinite(values) && ...);
}

inline bool IsFinite(const ValueTriple& v)
{
    return IsFinite(v.value, v.rate, v.accel);
}

inline bool IsFinite(const PointKinematics& p)
{
    return IsFinite(p.x, p.vx, p.ax, p.y, p.vy, p.ay);
}

}
