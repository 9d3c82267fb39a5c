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

// The instant centre I_ij of links i < j of a chain of four (1 the frame), finite at `point`,
// or at infinity in the unit direction `point`; `anchor` is a finite centre on a line with it.
struct RelativeCentre {
    int i = 0, j = 0;
    plot::WorldPoint point;
    bool atInfinity = false;
    plot::WorldPoint anchor;
};

// The six centres of a closed chain of four links 1-2-3-4-1 from the four of its joints, I12,
// I23, I34 and I14 (each finite, or at infinity in a direction), in the order I12, I13, I14,
// I23, I24, I34. By Kennedy's theorem I13 is where line I12-I23 meets line I14-I34 and I24 where
// line I12-I14 meets line I23-I34; at infinity along the first line when the two are parallel.
std::vector<RelativeCentre> FourLinkCentres(const RelativeCentre& c12, const RelativeCentre& c23,
                                            const RelativeCentre& c34, const RelativeCentre& c14);

// A finite centre and one at infinity in the direction (x, y).
RelativeCentre FiniteCentre(int i, int j, plot::WorldPoint point);
RelativeCentre CentreAtInfinity(int i, int j, plot::WorldPoint direction);

// The line through two centres as a point on it and a direction; nothing when both are at
// infinity or the two coincide.
struct WorldRay {
    plot::WorldPoint point, direction;
};
std::optional<WorldRay> LineThrough(const RelativeCentre& a, const RelativeCentre& b);

}
