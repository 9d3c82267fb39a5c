// The program's pi: the 15-digit literals, used wherever a routine names pi, pi/2 or 2 pi.
#pragma once

namespace numeric {
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.570796326794895;
inline constexpr double kTwoPi = 6.28318530717958;
}
