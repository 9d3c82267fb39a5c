// A linkage of one's own as a mechanism: its closures applied in the checked order at every
// step, its run with the result table, graphs, pages and pictures every mechanism has.
#pragma once

#include <memory>

#include "linkage/model.h"
#include "run/mechanism.h"

namespace linkage {

// The window's title of a linkage whose file gives none.
inline constexpr const char* kDefaultTitle = MECHSIM_TR_NOOP("core", "リンク機構");

// The checked model's mechanism: command "linkage", window "FormLinkage", one assembly check box
// per dyad and slider joint keyed by the joint's name (its default the model's branch); graphs
// of the drive and of the first traced point's x (the last joint's when nothing is traced).
// ComputeMotion keeps the model. Refused as CheckModel refuses.
sim::Refusable<std::shared_ptr<const sim::Mechanism>> LinkageMechanism(Model model);

}
