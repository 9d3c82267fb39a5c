// RUN on a worker thread: computes the cycle and writes the result file off the window's
// thread, which keeps repainting and animating; the window's thread polls for progress and
// takes the finished run. Nothing of the window is touched from the worker.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "run/run_pipeline.h"
#include "run/run_progress.h"

class QTimer;

namespace sim {

class RunWorker : public QObject {
public:
    using Job = std::function<Refusable<ComputedRun>(RunProgress&)>;
    using Finished = std::function<void(Refusable<ComputedRun>)>;
    using Progressed = std::function<void(const RunProgress&)>;

    // `progressed` is called on the window's thread every poll while a run goes on,
    // `finished` once with the run or its refusal.
    RunWorker(Progressed progressed, Finished finished, QObject* parent = nullptr);
    // Cancels a run still going and waits for its thread.
    ~RunWorker() override;

    bool busy() const { return thread_.joinable(); }
    // Runs `job` on the worker thread for a run of `steps` steps, handing it the progress that
    // the window polls and its cancel request.
    void start(Job job, int steps);
    // Asks the run to stop; it ends as a cancelled refusal unless its file is being written.
    void cancel();
    // Cancels and waits; the run's outcome is dropped (the window is closing).
    void cancelAndWait();

private:
    void poll();

    Progressed progressed_;
    Finished finished_;
    QTimer* poll_ = nullptr;
    std::thread thread_;
    std::unique_ptr<RunProgress> progress_;
    std::atomic<bool> done_{false};
    std::optional<Refusable<ComputedRun>> outcome_;
};

}
