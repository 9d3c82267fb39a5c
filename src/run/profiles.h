// Motion profiles: normalised position s, s' and s'' at normalised time tau in [0, 1].
#pragma once

#include "numeric/kinematics.h"

namespace sim {

struct ProfileTriple {
    double s = 0, ds = 0, dds = 0;
};

// The order of the window's three profile buttons, top to bottom.
enum class ProfileKind { Quintic = 0, Cubic = 1, Linear = 2 };

ProfileTriple QuinticProfile(double tau);   // 6t^5 - 15t^4 + 10t^3
ProfileTriple CubicProfile(double tau);     // 3t^2 - 2t^3
ProfileTriple LinearProfile(double tau);    // t
ProfileTriple EvaluateProfile(ProfileKind kind, double tau);
// The caption of the profile's option button: "５次曲線", "３次曲線", "等速曲線".
const char* ProfileCaption(ProfileKind kind);

// Driven value moving from qs to qf in cycle time T: q = qs + s (qf - qs),
// dq = s' (qf - qs) / T, ddq = s'' (qf - qs) / T^2.
numeric::ValueTriple DriveValue(double qs, double qf, const ProfileTriple& p, double cycleTime);

}
