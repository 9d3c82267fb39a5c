// A linkage of one's own: named ground points, one drive (a crank or a slider on a fixed guide)
// and joints, each closed from points already known (a dyad, a point fixed on a link, a slider
// on a fixed guide). Its checks and the order in which its joints are solved. Plain C++.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "messages/refusal.h"
#include "numeric/closures.h"
#include "plot/scaling.h"

namespace linkage {

struct GroundPoint {
    std::string name;
    plot::WorldPoint at;
};

enum class DriveKind { Crank, Slider };

// The driven joint: on a crank turning about a ground pivot, or on a fixed guide at
// through + s (cos angle, sin angle). The drive value (crank angle, rad; s, length) moves from
// `start` to `end` in the cycle as the profile shapes it.
struct Drive {
    DriveKind kind = DriveKind::Crank;
    std::string joint;
    std::string pivot;            // crank
    double length = 0;            // crank
    plot::WorldPoint through{};   // slider
    double angle = 0;             // slider, rad
    double start = 0, end = 0;
};

enum class JointKind {
    Dyad,     // at lengths[0] from from[0] and lengths[1] from from[1]
    Point,    // fixed on the link from[0] -> from[1] (the file's `on`): `along` it, `across` left
    Slider,   // on the fixed guide through `through` at `angle`, at `length` from from[0]
};

struct Joint {
    std::string name;
    JointKind kind = JointKind::Dyad;
    std::array<std::string, 2> from;                   // a slider uses from[0] only
    std::array<double, 2> lengths{};                   // dyad
    double along = 0, across = 0;                      // point
    double length = 0;                                 // slider
    plot::WorldPoint through{};                        // slider
    double angle = 0;                                  // slider, rad
    numeric::Branch branch = numeric::Branch::Usual;   // dyad, slider

    bool hasBranch() const { return kind != JointKind::Point; }
};

struct Model {
    std::string title;                // empty: the default title
    std::vector<std::string> trace;   // joints whose paths STOP draws
    std::vector<GroundPoint> ground;
    Drive drive;
    std::vector<Joint> joints;   // in file order
};

// Where every point of a checked model lives: ground points 0..G-1 in order, the driven joint
// G, then joint k of the file at G + 1 + k.
struct Layout {
    std::size_t driven = 0;                         // G
    std::size_t pivot = 0;                          // the crank's pivot
    std::vector<std::array<std::size_t, 2>> from;   // per joint, in file order
    std::vector<std::size_t> order;                 // joints (file indices) in solving order
    std::vector<std::size_t> traced;                // points, in `trace` order
};

// Checks the model and sorts its joints so that each comes after the points it is closed from.
// Refuses, with the key at fault (e.g. "B.lengths", "drive.pivot", "trace") and why: a name that
// is no identifier or used twice, a number that is not finite, a length that is not positive, a
// reference to no point or to one point twice, a crank pivot that is no ground point, a traced
// name that is no joint, or joints that refer to each other in a cycle (all named).
sim::Refusable<Layout> CheckModel(const Model& model);

// The key of a model's value in refusals: the joint's name and the key, e.g. "B.lengths".
std::string JointKey(const Joint& joint, const char* key);

}
