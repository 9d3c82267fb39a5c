// Closed-form closures of planar mechanisms: position, velocity and acceleration of a point
// from points already known. No routine ever returns NaN or infinity with Status::Ok; a
// degenerate pose (coincident points, zero link, stretched or folded chain while moving,
// unreachable guide) reports Status::Error and leaves the outputs untouched.
#pragma once

#include "numeric/kinematics.h"
#include "numeric/status.h"

namespace numeric {

// Distance |AB| with its rates. Error when A and B coincide.
Status PointDistance(const PointKinematics& a, const PointKinematics& b, ValueTriple& out);

// Direction of A->B with its rates (ArcTan2 range). Error when A and B coincide.
Status LineAngle(const PointKinematics& a, const PointKinematics& b, ValueTriple& out);

// Angle between side la and the moving side L of a triangle with constant sides la, lb.
// Error when the triangle cannot close (ArcCos fails), la or L is zero, or the triangle is
// flat (sin theta = 0) while L moves.
Status TriangleAngle(double la, double lb, const ValueTriple& l, ValueTriple& out);

// The point at constant distance len from A in the moving direction psi. Never fails.
PointKinematics PolarPoint(const PointKinematics& a, double len, const ValueTriple& psi);

// Which of the two solutions of a closure is taken: the usual one (+1) or the other assembly
// (-1), the mirror image of the usual joint across the line through its two known points.
enum class Branch { Usual = 1, Other = -1 };

// Joint C of the two-link chain A-(la)-C-(lb)-B, on the left of the directed line A->B, or on
// its right for the other branch.
Status SolveDyad(const PointKinematics& a, const PointKinematics& b, double la, double lb,
                 PointKinematics& c, Branch branch = Branch::Usual);

// Point with local coordinates (u along A->B, w to its left) on the moving line A->B.
// Error when A and B coincide.
Status BodyPoint(const PointKinematics& a, const PointKinematics& b, double u, double w,
                 PointKinematics& c);

// Point S on the guide through P0 with direction alpha at distance l from B, the
// intersection with the larger x, or the one with the smaller x for the other branch. Error for a
// vertical guide (cos alpha = 0), a rod that cannot reach the guide (D < 0) or only touches it (D =
// 0).
Status SolveSlider(double alpha, double l, const PointKinematics& p0, const PointKinematics& b,
                   PointKinematics& s, Branch branch = Branch::Usual);

// Point S = P0 + s (cos alpha, sin alpha) on the guide through P0 at the constant direction
// alpha, at distance l from B: the intersection with the larger s, or the smaller s for the
// other branch. Any direction, vertical ones included. Error for l <= 0, or when the circle
// about B misses the guide or only touches it (the rates diverge there).
Status SolveGuidePoint(double alpha, double l, const PointKinematics& p0, const PointKinematics& b,
                       PointKinematics& s, Branch branch = Branch::Usual);

}
