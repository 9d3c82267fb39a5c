// Crank-and-piston mechanism: a crank turns once about (x0, y0) and a rod of length L drives a
// piston along a straight guide through (X1, Y1) inclined at phi.
#pragma once

#include <tuple>

#include "numeric/closures.h"
#include "numeric/kinematics.h"
#include "run/mechanism.h"

namespace mechanisms {

// Crank centre, crank radius, rod length and the guide (point and direction, radians).
struct SliderCrankDimensions {
    double x0 = 0, y0 = 0, r = 0, rodLength = 0;
    double guideX = 0, guideY = 0, guideAngle = 0;
};

struct SliderCrankPose {
    numeric::ValueTriple crank;             // theta
    numeric::PointKinematics pin, piston;   // P2, P3

    auto values() const { return std::tie(crank, pin, piston); }
};

// True when the guide is too steep to be written as y = Y1 + tan(phi) (x - X1).
bool IsVerticalGuide(double guideAngle);

// The pose for the moving crank angle theta; the piston is the guide point at distance L from
// the pin with the larger x (the smaller x for the other branch). Refused, with the pin's
// distance from the guide and L, when the rod cannot reach the guide or only touches it.
sim::Refusable<SliderCrankPose> SolveSliderCrank(const SliderCrankDimensions& d,
                                                 const numeric::ValueTriple& theta,
                                                 numeric::Branch branch = numeric::Branch::Usual);

const sim::Mechanism& SliderCrank();   // "slider", Formslider

}
