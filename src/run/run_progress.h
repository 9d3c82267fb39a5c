// How far a run on a worker thread has come, and a request to give it up. The step loop given a
// RunProgress (StepLoop::progress) reports its steps to it and looks for the request every few
// thousand steps.
#pragma once

#include <atomic>

namespace sim {

struct RunProgress {
    enum class Phase { Computing, Writing, Done };

    int steps = 0;                   // N + 1, set before the run starts
    std::atomic<int> stepsDone{0};   // of `steps`
    std::atomic<Phase> phase{Phase::Computing};
    std::atomic<bool> cancelRequested{false};
};

}
