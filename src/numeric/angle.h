// Angle and scalar helpers shared by the closures, the axis scaling and the forms.
#pragma once

#include <optional>

namespace numeric {

// (deg * pi) / 180 with the program's 15-digit pi, multiplication first.
double DegToRad(double degrees);
// The degrees whose DegToRad gives `radians` again, of the shortest text among the neighbours of
// radians * 180 / pi that do, so that a written or shown angle reads back exactly as typed.
double RadToDegExactly(double radians);

// Direction of (x, y), ordinate first; range [-pi, pi). The origin gives pi/2.
double ArcTan2(double y, double x);

// Angle whose cosine is c via ArcTan2(sqrt(1 - c^2), c); nullopt ("error") outside [-1, 1].
std::optional<double> ArcCos(double c);

// ln(x) / ln(10); callers pass x > 0.
double Log10(double x);

// Smallest whole number not less than x.
double RoundUp(double x);

// Keeps a sequence of angles continuous across the +-pi seam. `previous` holds the last raw
// angle, `offset` the accumulated correction; `angle` comes in raw and goes out corrected.
void UnwrapAngle(double& previous, double& angle, double& offset);

}
