// Long work of a mechanism window on a worker thread: a RUN that computes the cycle and writes
// the result file, or a pass over a run's steps for its pictures. The window's thread keeps
// repainting and animating; it polls for progress and takes the outcome. Nothing of the window
// is touched from the worker.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "run/run_progress.h"

class QTimer;

namespace sim {

class RunWorker : public QObject {
public:
    // What a job hands back, called on the window's thread once the job is done (also when it
    // was asked to stop: the job then says so itself).
    using Delivery = std::function<void()>;
    using Job = std::function<Delivery(RunProgress&)>;
    using Progressed = std::function<void(const RunProgress&)>;

    // `progressed` is called on the window's thread every poll while a job goes on.
    explicit RunWorker(Progressed progressed, QObject* parent = nullptr);
    // Cancels a job still going and waits for its thread.
    ~RunWorker() override;

    bool busy() const { return thread_.joinable(); }
    // Runs `job` on the worker thread for `steps` steps, handing it the progress that the
    // window polls and its cancel request. Refused (false) while another job goes on.
    bool start(Job job, int steps);
    // Asks the job to stop; a run ends as a cancelled refusal unless its file is being written.
    void cancel();
    // Cancels and waits; the job's delivery is dropped (the window is closing, or the run the
    // job reads is about to be replaced).
    void cancelAndWait();

private:
    void poll();

    Progressed progressed_;
    QTimer* poll_ = nullptr;
    std::thread thread_;
    std::unique_ptr<RunProgress> progress_;
    std::atomic<bool> done_{false};
    Delivery delivery_;
};

}
