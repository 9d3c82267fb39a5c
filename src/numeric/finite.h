// Finiteness of kinematic values: a result with NaN or infinity in it must never count as "ok".
#pragma once

#include <cmath>

#include "numeric/kinematics.h"

namespace numeric {

inline bool IsFinite(const ValueTriple& v)
{
    return std::isfinite(v.value) && std::isfinite(v.rate) && std::isfinite(v.accel);
}

inline bool IsFinite(const PointKinematics& p)
{
    return std::isfinite(p.x) && std::isfinite(p.vx) && std::isfinite(p.ax) && std::isfinite(p.y)
           && std::isfinite(p.vy) && std::isfinite(p.ay);
}

}
