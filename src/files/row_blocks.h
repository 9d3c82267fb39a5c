// The data lines of a result table, formatted in blocks of steps on every core and handed to a
// byte sink in step order, one call per block. Only a few blocks are in hand at a time, so the
// memory it takes does not grow with the number of steps.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sim {

// Takes the next bytes of a file; false when they cannot be written, which stops the writing.
using ByteSink = std::function<bool(std::string_view)>;

// How the lines are cut into blocks and formatted.
struct BlockPlan {
    std::size_t blockRows = 8192;   // data lines per block
    unsigned threads = 0;           // formatting threads; 0 for one per core, 1 for none
};

// Writes the header line and then the data lines "T i / N <TAB> column values <CR LF>" of the
// steps it is given. The header goes to the sink at once; the data lines of each block are
// formatted on a worker thread and handed on in step order by the worker that finds the block
// next in line. The sink is called by one thread at a time, not always the caller's.
class RowFormatter {
public:
    RowFormatter(const std::vector<std::string>& header, int divisions, double cycleTime,
                 ByteSink sink, BlockPlan plan = {});
    RowFormatter(const RowFormatter&) = delete;
    RowFormatter& operator=(const RowFormatter&) = delete;
    ~RowFormatter();   // blocks not yet handed on are dropped

    // Adds steps first .. first + rows - 1, whose values are element 0 .. rows - 1 of each
    // column. With `copy` the values are copied before this returns; without, the columns must
    // stay unchanged until finish(). False once the sink has refused bytes.
    bool add(std::size_t first, std::size_t rows, std::span<const std::span<const double>> columns,
             bool copy);
    // Hands on every block added; false when the sink refused bytes.
    bool finish();

private:
    struct Block;

    void format(Block& block) const;
    // Hands on the blocks next in line already formatted, unless another thread is doing so.
    void handOnReady(std::unique_lock<std::mutex>& lock);
    void work();

    int divisions_;
    double cycleTime_;
    ByteSink sink_;
    BlockPlan plan_;

    std::vector<Block> ring_;   // block number b lives in ring_[b % size]
    std::mutex mutex_;          // guards everything below and the blocks' `formatted`
    bool failed_ = false;
    std::condition_variable queued_, handedOn_;
    std::size_t added_ = 0, taken_ = 0, handed_ = 0;   // block numbers
    bool handing_ = false;                             // a thread is in the sink
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}
