// Four-bar linkage: the crank turns once about D = (L4, 0), the rocker swings about O = (0, 0)
// and a point fixed in the coupler traces its path.
#pragma once

#include <optional>

#include "numeric/kinematics.h"
#include "sim/mechanism.h"

namespace mechanisms {

// Link lengths and the coupler point (gsi along P->B, eta to its left) in the user's unit.
struct FourBarDimensions {
    double l1 = 0, l2 = 0, l3 = 0, l4 = 0;
    double gsi = 0, eta = 0;
};

// Crank tip B, rocker tip P, coupler point C and the rocker angle phi (direction O->P).
struct FourBarPose {
    numeric::PointKinematics crankTip, rockerTip, couplerPoint;
    numeric::ValueTriple rocker;
};

// The pose for the moving crank angle theta (direction D->B), the rocker tip on the left of
// O->B; nullopt when the loop cannot close or the pose is degenerate.
std::optional<FourBarPose> SolveFourBar(const FourBarDimensions& d,
                                        const numeric::ValueTriple& theta);

const sim::Mechanism& FourBar();   // "four-bar", Form4link

}
