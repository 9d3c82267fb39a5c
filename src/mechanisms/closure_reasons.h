// Why a closure could not be made, in words and numbers a student can check: the distance that
// had to be bridged and the limit the links set.
#pragma once

#include <string>
#include <utility>

#include "numeric/kinematics.h"
#include "messages/translatable.h"

namespace mechanisms {

// a and b written with as few significant digits (three at least, no exponent for large
// values) as tell them apart, so "80.01 が 80 を超えます" never reads "80 が 80".
std::pair<std::string, std::string> ContrastingTexts(double a, double b);

// How a two-link chain is named in its refusal: the distance bridged, e.g. "手首点までの距離"
// (a marked text), and the names of the two link lengths, e.g. "L1" and "L2".
struct DyadNames {
    std::string distance;
    std::string first, second;
};

// Why SolveDyad refused the chain A-(la)-C-(lb)-B: reach is decided by |AB| alone. Beyond
// la + lb or within |la - lb| the chain cannot close; on either limit it is stretched or folded
// while moving.
sim::Phrase DyadRefusalReason(const DyadNames& names, double la, double lb,
                              const numeric::PointKinematics& a, const numeric::PointKinematics& b);

}
