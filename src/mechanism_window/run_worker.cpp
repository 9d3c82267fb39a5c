// The worker thread of RUN and the window-thread poll that reports and delivers it.
#include "mechanism_window/run_worker.h"

#include <QTimer>

namespace sim {

namespace {
constexpr int kPollMs = 40;   // a little faster than the animation's tick
}

RunWorker::RunWorker(Progressed progressed, Finished finished, QObject* parent)
    : QObject(parent), progressed_(std::move(progressed)), finished_(std::move(finished))
{
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &RunWorker::poll);
}

RunWorker::~RunWorker()
{
    cancelAndWait();
}

void RunWorker::start(Job job, int steps)
{
    if (busy())
        return;
    progress_ = std::make_unique<RunProgress>();
    progress_->steps = steps;
    done_ = false;
    outcome_.reset();
    thread_ = std::thread([this, job = std::move(job), progress = progress_.get()] {
        outcome_ = job(*progress);
        progress->phase = RunProgress::Phase::Done;
        done_.store(true, std::memory_order_release);
    });
    poll_->start();
}

void RunWorker::cancel()
{
    if (busy())
        progress_->cancelRequested = true;
}

void RunWorker::cancelAndWait()
{
    cancel();
    if (busy())
        thread_.join();
    poll_->stop();
}

void RunWorker::poll()
{
    if (!done_.load(std::memory_order_acquire)) {
        progressed_(*progress_);
        return;
    }
    poll_->stop();
    thread_.join();
    Refusable<ComputedRun> outcome = std::move(*outcome_);
    outcome_.reset();
    finished_(std::move(outcome));
}

}
