// The worker thread of a window and the window-thread poll that reports and delivers its jobs.
#include "mechanism_window/run_worker.h"

#include <QTimer>

namespace sim {

namespace {
constexpr int kPollMs = 40;   // a little faster than the animation's tick
}

RunWorker::RunWorker(Progressed progressed, QObject* parent)
    : QObject(parent), progressed_(std::move(progressed))
{
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &RunWorker::poll);
}

RunWorker::~RunWorker()
{
    cancelAndWait();
}

bool RunWorker::start(Job job, int steps)
{
    if (busy())
        return false;
    progress_ = std::make_unique<RunProgress>();
    progress_->steps = steps;
    done_ = false;
    delivery_ = nullptr;
    thread_ = std::thread([this, job = std::move(job), progress = progress_.get()] {
        delivery_ = job(*progress);
        progress->phase = RunProgress::Phase::Done;
        done_.store(true, std::memory_order_release);
    });
    poll_->start();
    return true;
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
    const Delivery delivery = std::move(delivery_);
    delivery_ = nullptr;
    if (delivery)
        delivery();
}

}
