// Drawing the cycle's poses into one raster picture and handing each frame to the encoder.
#include "sim/qt/animation_gif.h"

#include <algorithm>

#include "plot/qt/gif_writer.h"
#include "plot/qt/image_canvas.h"
#include "sim/mechanism.h"

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

std::string AnimationGif(const MechanismRun& run, const plot::WorldWindow& window, int divisions,
                         QSize pictureSize)
{
    plot::ImageCanvas view(pictureSize);
    plot::GifWriter gif(view.image().size(), kAnimationDelayCentiseconds);
    for (int step : AnimationSteps(divisions)) {
        view.clear();
        run.DrawMechanism(view, window, step);
        if (!gif.addFrame(view.image()))
            return {};
    }
    return gif.finish();
}

}
