// Serial 2R arm under forward kinematics: both joints move from start to final angle.
#pragma once

#include <tuple>
#include <vector>

#include "numeric/kinematics.h"
#include "run/mechanism.h"

namespace mechanisms {

// The moving joint angles (theta2 relative to link 1) with the elbow and tip they give for
// link lengths l1, l2.
struct Serial2RPose {
    numeric::ValueTriple the1, the2;
    numeric::PointKinematics elbow, tip;

    auto values() const { return std::tie(the1, the2, elbow, tip); }
};
Serial2RPose SolveSerial2R(double l1, double l2, const numeric::ValueTriple& the1,
                           const numeric::ValueTriple& the2);

// The links of a serial arm standing on the base point (0, 0): link k runs from the joint
// before it (the base for the first) to joints[k] and turns by angles[k] from the link before
// it, so its direction is the sum of the angles up to k. At most three links.
std::vector<sim::MovingLink> SerialArmLinks(const std::vector<numeric::PointKinematics>& joints,
                                            const std::vector<numeric::ValueTriple>& angles);

const sim::Mechanism& Serial2R();   // "2r", Form2rjun

}
