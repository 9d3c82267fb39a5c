// Finiteness of computed kinematic values: a step whose pose overflows is refused, never kept.
#pragma once

#include <cmath>

#include "numeric/kinematics.h"

namespace mechanisms {

// The reason a step is refused when a computed value is not a finite number.
inline constexpr const char* kNotFiniteReason = "計算結果が有限の数になりません";

inline bool IsFinite(const numeric::ValueTriple& v)
{
    return std::isfinite(v.value) && std::isfinite(v.rate) && std::isfinite(v.accel);
}

inline bool IsFinite(const numeric::PointKinematics& p)
{
    return std::isfinite(p.x) && std::isfinite(p.vx) && std::isfinite(p.ax) && std::isfinite(p.y)
           && std::isfinite(p.vy) && std::isfinite(p.ay);
}

template <typename... Values> bool AllFinite(const Values&... values)
{
    return (IsFinite(values) && ...);
}

}
