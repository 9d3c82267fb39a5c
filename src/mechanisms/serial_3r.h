// Serial 3R arm under forward kinematics: all three joints move from start to final angle.
#pragma once

#include <tuple>

#include "numeric/kinematics.h"
#include "plot/canvas.h"
#include "plot/scaling.h"
#include "run/mechanism.h"

namespace mechanisms {

// The moving joint angles (the1 absolute, the2 relative to link 1, the3 relative to link 2)
// with joint 2, joint 3 and the hand point they give for link lengths l1, l2, l3.
struct Serial3RPose {
    numeric::ValueTriple the1, the2, the3;
    numeric::PointKinematics joint2, joint3, hand;

    auto values() const { return std::tie(the1, the2, the3, joint2, joint3, hand); }
};
Serial3RPose SolveSerial3R(double l1, double l2, double l3, const numeric::ValueTriple& the1,
                           const numeric::ValueTriple& the2, const numeric::ValueTriple& the3);

// Draws a three-link arm standing on the base point (0, 0): links in colours 1, 2, 3 with pen
// width 2, then a joint circle in colour 1 at the base, both inner joints and the hand.
void DrawThreeLinkArm(plot::Canvas& picture, const plot::WorldWindow& window,
                      plot::WorldPoint joint2, plot::WorldPoint joint3, plot::WorldPoint hand);

const sim::Mechanism& Serial3R();   // "3r", Form3rjun

}
