// The large picture's animation as the window replays it: one back-and-forth cycle of the
// stored poses (0, 1, ..., N, N - 1, ..., 1) at the window's 20 frames a second, at most
// kMaxAnimationFrames frames: a longer cycle is sampled evenly.
#pragma once

#include <vector>

namespace sim {

inline constexpr int kMaxAnimationFrames = 400;
inline constexpr int kAnimationDelayCentiseconds = 5;   // the window's 50 ms tick

// The pose index of every frame.
std::vector<int> AnimationSteps(int divisions);

}
