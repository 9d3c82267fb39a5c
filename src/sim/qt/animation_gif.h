// The large picture's animation as an animated GIF: one back-and-forth cycle of the stored
// poses as the window replays them (0, 1, ..., N, N - 1, ..., 1), at the window's 20 frames a
// second, at most kMaxAnimationFrames frames: a longer cycle is sampled evenly.
#pragma once

#include <QSize>
#include <string>
#include <vector>

#include "plot/scaling.h"

namespace sim {

class MechanismRun;

inline constexpr int kMaxAnimationFrames = 400;
inline constexpr int kAnimationDelayCentiseconds = 5;   // the window's 50 ms tick

// The pose index of every frame.
std::vector<int> AnimationSteps(int divisions);

// The GIF's bytes; "" when it could not be encoded.
std::string AnimationGif(const MechanismRun& run, const plot::WorldWindow& window, int divisions,
                         QSize pictureSize);

}
