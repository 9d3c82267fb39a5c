// Grashof's rule and the transmission angle of a four-bar.
#include "mechanisms/four_bar_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "messages/translatable.h"

namespace mechanisms {

GrashofClass ClassifyGrashof(double crank, double coupler, double rocker, double ground)
{
    std::array<double, 4> sorted{crank, coupler, rocker, ground};
    std::sort(sorted.begin(), sorted.end());
    const double extremes = sorted[0] + sorted[3], others = sorted[1] + sorted[2];
    const double tolerance = 1e-12 * (extremes + others);
    if (std::abs(extremes - others) <= tolerance)
        return GrashofClass::ChangePoint;
    if (extremes > others)
        return GrashofClass::DoubleRocker;
    // A shortest link shared by two lengths makes both of them turn fully: the ground's share
    // decides, then the crank's or the rocker's.
    const double shortest = sorted[0];
    if (ground == shortest)
        return GrashofClass::DoubleCrank;
    if (crank == shortest || rocker == shortest)
        return GrashofClass::CrankRocker;
    return GrashofClass::DoubleRocker;
}

std::string GrashofName(GrashofClass grashof)
{
    switch (grashof) {
    case GrashofClass::CrankRocker:
        return MECHSIM_TR_NOOP("core", "てこクランク機構");
    case GrashofClass::DoubleCrank:
        return MECHSIM_TR_NOOP("core", "両クランク機構");
    case GrashofClass::DoubleRocker:
        return MECHSIM_TR_NOOP("core", "両てこ機構");
    case GrashofClass::ChangePoint:
        break;
    }
    return MECHSIM_TR_NOOP("core", "変点機構");
}

double TransmissionAngle(plot::WorldPoint crankTip, plot::WorldPoint rockerTip,
                         plot::WorldPoint rockerPivot)
{
    const double cx = crankTip.x - rockerTip.x, cy = crankTip.y - rockerTip.y;
    const double rx = rockerPivot.x - rockerTip.x, ry = rockerPivot.y - rockerTip.y;
    // atan2 of cross and dot products: accurate near 0 and pi, where acos is not.
    return std::atan2(std::abs(cx * ry - cy * rx), cx * rx + cy * ry);
}

}
