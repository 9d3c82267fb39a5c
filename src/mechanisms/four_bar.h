// Four-bar linkage: the crank turns once about D = (L4, 0), the rocker swings about O = (0, 0)
// and a point fixed in the coupler traces its path.
#pragma once

#include <tuple>

#include "numeric/closures.h"
#include "numeric/kinematics.h"
#include "run/mechanism.h"

namespace mechanisms {

// Link lengths and the coupler point (gsi along P->B, eta to its left) in the user's unit.
struct FourBarDimensions {
    double l1 = 0, l2 = 0, l3 = 0, l4 = 0;
    double gsi = 0, eta = 0;
};

// Crank angle theta (direction D->B), crank tip B, rocker tip P, coupler point C and the
// rocker angle phi (direction O->P).
struct FourBarPose {
    numeric::ValueTriple crank;
    numeric::PointKinematics crankTip, rockerTip, couplerPoint;
    numeric::ValueTriple rocker;

    auto values() const { return std::tie(crank, rocker, crankTip, rockerTip, couplerPoint); }
};

// The pose for the moving crank angle theta, the rocker tip on the left of O->B (on its right
// for the crossed assembly); refused, with the distance and the lengths, when the loop cannot
// close or the pose is degenerate.
sim::Refusable<FourBarPose> SolveFourBar(const FourBarDimensions& d,
                                         const numeric::ValueTriple& theta,
                                         numeric::Branch branch = numeric::Branch::Usual);

const sim::Mechanism& FourBar();   // "four-bar", Form4link

}
