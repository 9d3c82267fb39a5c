// A linkage as it is being built with the mouse: a model that may still lack its drive, the
// edits that place, connect, move, rename and delete its points, and the numbers the mouse
// makes, rounded to a sensible precision. Plain C++; every edit returns the new model.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "linkage/model.h"
#include "messages/refusal.h"
#include "numeric/kinematics.h"
#include "plot/scaling.h"

namespace linkage {

// A model being built has no drive until its crank is placed.
inline bool HasDrive(const Model& m)
{
    return !m.drive.joint.empty();
}

// CheckModel for a model being built: one without a drive yet has ground points only, and
// only their names and numbers are checked.
sim::Refusable<Layout> CheckSketch(const Model& m);

// Every point's name by its place in the layout: ground points, the driven joint, the joints.
std::vector<std::string> PointNames(const Model& m);

// The first of A, B, ..., Z, A1, B1, ... that names no point yet.
std::string FreshName(const Model& m);

// `value` rounded to a whole multiple of `step`, a 1, 2 or 5 times a power of ten, computed in
// decimal so that 0.35 comes out as the double nearest 0.35 (not 7 * 0.05).
double RoundToStep(double value, double step);
// The power of ten at most `worldPerMm` / 4 (a quarter millimetre on the screen): the
// precision of a length measured from a click.
double ClickPrecision(double worldPerMm);

// A crank turning about ground point `pivot` with its tip `joint` at `length`, a whole turn.
Model WithCrank(Model m, const std::string& pivot, const std::string& joint, double length);
// A slider drive: `joint` travels on the guide from `from` to `to` (its length rounded to
// `precision`, its direction to a tenth of a degree).
Model WithSliderDrive(Model m, const std::string& joint, plot::WorldPoint from,
                      plot::WorldPoint to, double precision);
// The direction from `from` to `to` (rad), rounded to a tenth of a degree: what a click gives.
double ClickedDirection(plot::WorldPoint from, plot::WorldPoint to);

// Joints made from clicks on the current pose, their numbers rounded to `precision`:
// a dyad from a and b whose joint lies at `at`, its branch the one that puts it there;
Joint DyadAt(std::string name, const std::array<std::string, 2>& from,
             const std::array<plot::WorldPoint, 2>& fromAt, plot::WorldPoint at, double precision);
// a point fixed on the link a -> b at `at`;
Joint PointAt(std::string name, const std::array<std::string, 2>& on,
              const std::array<plot::WorldPoint, 2>& onAt, plot::WorldPoint at, double precision);
// a slider from `from` on the guide through `through` toward `at`, sitting at `at`.
Joint SliderAt(std::string name, const std::string& from, plot::WorldPoint fromAt,
               plot::WorldPoint through, plot::WorldPoint at, double precision);
// The same joint moved to `at`: its lengths (a slider's rod, along its guide) changed to put
// it there, its points and guide kept.
Joint JointMovedTo(const Joint& j, const std::array<plot::WorldPoint, 2>& fromAt,
                   plot::WorldPoint at, double precision);

// The names of the points that depend on `name` (its joints, theirs, the crank on a pivot), in
// the model's order: what deleting it deletes as well.
std::vector<std::string> Dependants(const Model& m, const std::string& name);
// Without the point `name` and its dependants; the drive's joint takes the drive with it.
Model Without(Model m, const std::string& name);
// The point `from` named `to`, and every reference to it.
Model Renamed(Model m, const std::string& from, const std::string& to);

}
