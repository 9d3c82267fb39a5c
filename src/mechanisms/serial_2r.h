// Serial 2R arm under forward kinematics: both joints move from start to final angle.
#pragma once

#include <tuple>

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

const sim::Mechanism& Serial2R();   // "2r", Form2rjun

}
