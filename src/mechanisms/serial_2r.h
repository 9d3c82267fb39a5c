// Serial 2R arm under forward kinematics: both joints move from start to final angle.
#pragma once

#include "numeric/kinematics.h"
#include "sim/mechanism.h"

namespace mechanisms {

// Elbow and tip of the arm for link lengths l1, l2 and moving joint angles (theta2 relative).
struct Serial2RPose {
    numeric::PointKinematics elbow, tip;
};
Serial2RPose SolveSerial2R(double l1, double l2, const numeric::ValueTriple& the1,
                           const numeric::ValueTriple& the2);

const sim::Mechanism& Serial2R();   // "2r", Form2rjun

}
