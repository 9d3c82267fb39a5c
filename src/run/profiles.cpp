// The three motion profiles and the driven value they produce.
#include "run/profiles.h"

#include <cmath>

#include "messages/translatable.h"

namespace sim {

// Each power is tau raised to its whole exponent and the terms keep the order of the
// polynomials, so the values match the closed forms term by term.
ProfileTriple QuinticProfile(double tau)
{
    using std::pow;
    return {6 * pow(tau, 5) - 15 * pow(tau, 4) + 10 * pow(tau, 3),
            30 * pow(tau, 4) - 60 * pow(tau, 3) + 30 * pow(tau, 2),
            120 * pow(tau, 3) - 180 * pow(tau, 2) + 60 * tau};
}

ProfileTriple CubicProfile(double tau)
{
    using std::pow;
    return {3 * pow(tau, 2) - 2 * pow(tau, 3), 6 * tau - 6 * pow(tau, 2), 6 - 12 * tau};
}

ProfileTriple LinearProfile(double tau)
{
    return {tau, 1, 0};
}

ProfileTriple EvaluateProfile(ProfileKind kind, double tau)
{
    switch (kind) {
    case ProfileKind::Quintic:
        return QuinticProfile(tau);
    case ProfileKind::Cubic:
        return CubicProfile(tau);
    case ProfileKind::Linear:
        break;
    }
    return LinearProfile(tau);   // the last option button is the fallback
}

numeric::ValueTriple DriveValue(double qs, double qf, const ProfileTriple& p, double cycleTime)
{
    const double span = qf - qs;
    return {qs + p.s * span, p.ds * span / cycleTime, p.dds * span / (cycleTime * cycleTime)};
}

const char* ProfileCaption(ProfileKind kind)
{
    static const char* const kCaptions[3] = {MECHSIM_TR_NOOP("core", "５次曲線"),
                                             MECHSIM_TR_NOOP("core", "３次曲線"),
                                             MECHSIM_TR_NOOP("core", "等速曲線")};
    return kCaptions[static_cast<int>(kind)];
}

}
