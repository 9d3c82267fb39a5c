// Finiteness of computed kinematic values: a step whose pose overflows is refused, never kept.
#pragma once

#include "numeric/finite.h"
#include "numeric/kinematics.h"

namespace mechanisms {

// The reason a step is refused when a computed value is not a finite number.
inline constexpr const char* kNotFiniteReason = "計算結果が有限の数になりません";

using numeric::IsFinite;

template <typename... Values> bool AllFinite(const Values&... values)
{
    return (IsFinite(values) && ...);
}

}
