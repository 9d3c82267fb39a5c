// The frames of the animation cycle.
#include "run/animation_steps.h"

#include <algorithm>

namespace sim {

std::vector<int> AnimationSteps(int divisions)
{
    if (divisions < 1)
        return {0};
    // Position k of the cycle shows pose k going out and 2N - k coming back.
    const long long cycle = 2LL * divisions;
    const long long frames = std::min<long long>(cycle, kMaxAnimationFrames);
    std::vector<int> steps;
    steps.reserve(static_cast<std::size_t>(frames));
    for (long long j = 0; j < frames; ++j) {
        const long long k = j * cycle / frames;
        steps.push_back(static_cast<int>(k <= divisions ? k : cycle - k));
    }
    return steps;
}

}
