// One pose of a checked linkage: the drive at a given value, then each joint closed in the
// checked order. The run solves every step with it, the editor every drag.
#pragma once

#include <optional>
#include <vector>

#include "linkage/model.h"
#include "messages/refusal.h"
#include "numeric/closures.h"
#include "numeric/kinematics.h"

namespace linkage {

class PoseSolver {
public:
    // `model` and `layout` (CheckModel's) outlive the solver; `branches` per joint, in file order.
    PoseSolver(const Model& model, const Layout& layout, std::vector<numeric::Branch> branches);

    // Closes every point at the drive value (crank angle, rad; slider travel) with its rates;
    // a joint that cannot close is refused by name with the reason, the points after it stale.
    std::optional<sim::Refusal> solve(const numeric::ValueTriple& drive);
    // Every point by its place in the layout: ground points, the driven joint, then the joints.
    const std::vector<numeric::PointKinematics>& points() const { return points_; }

private:
    std::optional<sim::Refusal> close(std::size_t k);

    const Model& m_;
    const Layout& l_;
    std::vector<numeric::Branch> branches_;
    std::vector<numeric::PointKinematics> points_;
};

// The branch of every joint as the model gives it.
std::vector<numeric::Branch> ModelBranches(const Model& model);

}
