// The moving links of a mechanism at one step, as rigid bodies: the points on each, its angular
// velocity and acceleration, and its instant centre relative to the frame. Plain C++.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/kinematics.h"
#include "plot/scaling.h"

namespace sim {

// One moving link at one step.
struct MovingLink {
    std::string name;         // what the link is, e.g. "crank", "coupler", "rocker"
    const char* label = "";   // a marked core text drawn beside its instant centre
    std::vector<numeric::PointKinematics> joints;   // the points on it, fixed pivots at rest
    double omega = 0;   // angular velocity, rad/s, counter-clockwise positive
    double alpha = 0;   // angular acceleration, rad/s^2
};

// A link that turns with the direction `angle` (absolute, from the x axis).
MovingLink TurningLink(std::string name, const char* label,
                       std::vector<numeric::PointKinematics> joints,
                       const numeric::ValueTriple& angle);

// A link whose direction is not stored: its angular velocity and acceleration from its first
// two joints a and b, omega = ((b - a) x (v_b - v_a)) / |b - a|^2 and
// alpha = ((b - a) x (a_b - a_a)) / |b - a|^2; zero when the two joints coincide.
MovingLink LinkThroughJoints(std::string name, const char* label,
                             std::vector<numeric::PointKinematics> joints);

// A link that only translates: every point has the same velocity.
MovingLink TranslatingLink(std::string name, const char* label,
                           std::vector<numeric::PointKinematics> joints);

// The instant centre of the link relative to the frame, C = P + (-v_Py, v_Px) / omega for a
// joint P, where the velocity of every point Q is omega x (Q - C). Nothing when the link
// translates (|omega| times its length, the largest distance between its joints, is below
// 1e-12 of its fastest joint's speed: the centre is at infinity), when it is at rest, or when
// the centre is not finite. The centre is found from the fastest joint.
std::optional<plot::WorldPoint> InstantCentre(const MovingLink& link);

}
