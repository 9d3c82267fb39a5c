// How far a run on a worker thread has come, and a request to give it up. The step loop of the
// thread that has a RunProgress in scope reports its steps and looks for the request every few
// thousand steps; a loop without one pays one thread-local read per few thousand steps.
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

// While alive, the step loops on this thread report to `progress`.
class ProgressScope {
public:
    explicit ProgressScope(RunProgress& progress) : previous_(current_) { current_ = &progress; }
    ~ProgressScope() { current_ = previous_; }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    static RunProgress* current() { return current_; }

private:
    RunProgress* previous_;
    static inline thread_local RunProgress* current_ = nullptr;
};

}
