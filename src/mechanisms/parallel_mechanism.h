// Planar parallel mechanism with three legs: a translating triangular platform whose centre
// runs round four quarter-circle arcs, and the base joint angles that put it there.
#pragma once

#include <array>
#include <tuple>

#include "numeric/closures.h"
#include "numeric/kinematics.h"
#include "run/mechanism.h"

namespace mechanisms {

// Leg links, path centre and radius, platform orientation phi (radians), platform and base radii.
struct ParallelDimensions {
    double l1 = 0, l2 = 0;
    double xc = 0, yc = 0, rc = 0;
    double phi = 0, rm = 0, rf = 0;
};

// The base joints B1, B2, B3 at -30, 90 and 210 degrees on the circle of radius Rf.
std::array<numeric::PointKinematics, 3> ParallelBaseJoints(double rf);

// Platform centre on quarter q (0..3) of the path for the moving path parameter psi
// (0 at the quarter's start cusp, pi/2 at its end).
numeric::PointKinematics ParallelPathPoint(const ParallelDimensions& d, int quarter,
                                           const numeric::ValueTriple& psi);

// Quarter and local time of step i of N: q = min(3, floor(4i/N)), t = 4i/N - q, exact at
// the quarter boundaries when 4 divides N; step N is t = 1 of quarter 3.
struct QuarterTime {
    int quarter = 0;
    double t = 0;
};
QuarterTime ParallelQuarterTime(int i, int divisions);

struct ParallelPose {
    numeric::PointKinematics centre;                  // C, "point 10"
    std::array<numeric::PointKinematics, 3> joints;   // V1 ("point 7"), V2, V3
    std::array<numeric::PointKinematics, 3> elbows;   // E1, E2, E3
    std::array<numeric::ValueTriple, 3> angles;       // theta1..3, directions Bk->Ek

    auto values() const
    {
        return std::tie(centre, joints[0], joints[1], joints[2], elbows[0], elbows[1], elbows[2],
                        angles[0], angles[1], angles[2]);
    }
};

// Which assembly each leg takes, in leg order.
using LegBranches = std::array<numeric::Branch, 3>;
inline constexpr LegBranches kUsualLegs{numeric::Branch::Usual, numeric::Branch::Usual,
                                        numeric::Branch::Usual};

// Legs solved for the platform centre; refused, naming the leg with its distance and lengths,
// when a leg cannot reach its platform joint.
sim::Refusable<ParallelPose> SolveParallel(const ParallelDimensions& d,
                                           const std::array<numeric::PointKinematics, 3>& base,
                                           const numeric::PointKinematics& centre,
                                           const LegBranches& branches = kUsualLegs);

const sim::Mechanism& ParallelMechanism();   // "parallel", Formparallel

}
