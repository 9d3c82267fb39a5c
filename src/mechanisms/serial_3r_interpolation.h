// Serial 3R arm driven by its hand: the hand point moves on a straight segment or a circular
// arc, the inverse kinematics places wrist and elbow and derives the three joint angles.
#pragma once

#include "numeric/closures.h"
#include "numeric/kinematics.h"
#include "run/mechanism.h"

namespace mechanisms {

// The arm for one hand pose: wrist L3 behind the hand along the hand direction phi, elbow on
// the left of the directed line base -> wrist (on its right for the other branch), link 1 direction
// the1 (ArcTan2 range) and the absolute direction of link 2.
struct Serial3RArmPose {
    numeric::PointKinematics wrist, elbow;
    numeric::ValueTriple the1, link2;
};

// The pose, or why the arm cannot take it (wrist out of reach, stretched or folded arm while
// moving).
sim::Refusable<Serial3RArmPose> SolveSerial3RArm(double l1, double l2, double l3,
                                                 const numeric::PointKinematics& hand,
                                                 const numeric::ValueTriple& phi,
                                                 numeric::Branch elbow = numeric::Branch::Usual);

const sim::Mechanism& Serial3RLine();   // "3r-line", Form3rchoku
const sim::Mechanism& Serial3RArc();    // "3r-arc", Form3renn

}
