// Formatting blocks of data lines on worker threads. Block number b is formatted by whichever
// worker takes it and handed to the sink once blocks 0 .. b - 1 have been, by the worker that
// finds it next in line, so the bytes are those of one thread formatting every line in turn
// while the thread adding blocks only computes and copies.
#include "files/row_blocks.h"

#include <algorithm>

#include "numeric/number_text.h"

namespace sim {

struct RowFormatter::Block {
    std::size_t first = 0;   // the step of the first line
    std::size_t rows = 0;
    std::vector<std::span<const double>> columns;
    std::vector<double> values;   // the columns when copied, one after the other
    std::string text;             // room for the lines, kept from block to block
    std::size_t used = 0;         // bytes of `text` that are lines
    bool formatted = false;
};

RowFormatter::RowFormatter(const std::vector<std::string>& header, int divisions, double cycleTime,
                           ByteSink sink, BlockPlan plan)
    : divisions_(divisions), cycleTime_(cycleTime), sink_(std::move(sink)), plan_(plan)
{
    plan_.blockRows = std::max<std::size_t>(plan_.blockRows, 1);
    if (plan_.threads == 0)
        plan_.threads = std::max(1u, std::thread::hardware_concurrency());
    std::string line;
    for (std::size_t k = 0; k < header.size(); ++k) {
        if (k > 0)
            line.push_back('\t');
        line.append(header[k]);
    }
    line.append("\r\n");
    failed_ = !sink_(line);
    // Two blocks per thread in hand: one being formatted, one waiting for it, and one more
    // being added or handed on.
    ring_.resize(plan_.threads > 1 ? 2 * plan_.threads + 1 : 1);
    if (plan_.threads > 1 && !failed_)
        for (unsigned t = 0; t < plan_.threads; ++t)
            workers_.emplace_back([this] { work(); });
}

RowFormatter::~RowFormatter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

bool RowFormatter::add(std::size_t first, std::size_t rows,
                       std::span<const std::span<const double>> columns, bool copy)
{
    for (std::size_t offset = 0; offset < rows; offset += plan_.blockRows) {
        const std::size_t count = std::min(plan_.blockRows, rows - offset);
        std::unique_lock lock(mutex_);
        handedOn_.wait(lock, [this] { return failed_ || added_ - handed_ < ring_.size(); });
        if (failed_)
            return false;
        Block& block = ring_[added_ % ring_.size()];   // no worker touches it until added
        lock.unlock();
        block.first = first + offset;
        block.rows = count;
        block.columns.resize(columns.size());
        if (copy)
            block.values.resize(count * columns.size());
        for (std::size_t k = 0; k < columns.size(); ++k) {
            block.columns[k] = columns[k].subspan(offset, count);
            if (copy) {
                double* to = block.values.data() + k * count;
                std::copy(block.columns[k].begin(), block.columns[k].end(), to);
                block.columns[k] = {to, count};
            }
        }
        lock.lock();
        ++added_;
        if (workers_.empty()) {
            format(block);
            block.formatted = true;
            handOnReady(lock);
        } else {
            queued_.notify_one();
        }
    }
    const std::lock_guard lock(mutex_);
    return !failed_;
}

bool RowFormatter::finish()
{
    std::unique_lock lock(mutex_);
    handedOn_.wait(lock, [this] { return failed_ || handed_ == added_; });
    return !failed_;
}

void RowFormatter::format(Block& block) const
{
    const std::size_t lineRoom = (block.columns.size() + 1) * (numeric::kMaxNumberChars + 1) + 2;
    if (block.text.size() < block.rows * lineRoom)
        block.text.resize(block.rows * lineRoom);
    char* p = block.text.data();
    const double n = divisions_;
    for (std::size_t j = 0; j < block.rows; ++j) {
        p = numeric::PutNumber(p, (cycleTime_ * static_cast<double>(block.first + j)) / n);
        for (const std::span<const double> column : block.columns) {
            *p++ = '\t';
            p = numeric::PutNumber(p, column[j]);
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    block.used = static_cast<std::size_t>(p - block.text.data());
}

void RowFormatter::handOnReady(std::unique_lock<std::mutex>& lock)
{
    if (handing_)
        return;   // the thread handing on takes this block too when it gets to it
    handing_ = true;
    while (!failed_ && !stopping_ && handed_ < added_) {
        Block& block = ring_[handed_ % ring_.size()];
        if (!block.formatted)
            break;
        lock.unlock();
        const bool taken = sink_(std::string_view(block.text.data(), block.used));
        lock.lock();
        failed_ = failed_ || !taken;
        block.formatted = false;
        ++handed_;
        handedOn_.notify_all();
    }
    handing_ = false;
}

void RowFormatter::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || taken_ < added_; });
        if (stopping_)
            return;
        Block& block = ring_[taken_++ % ring_.size()];
        lock.unlock();
        format(block);
        lock.lock();
        block.formatted = true;
        handOnReady(lock);
    }
}

}
