// Rows that go into the result file as they are computed, block by block, without the whole
// series being kept.
#pragma once

#include <cstddef>
#include <optional>

#include "files/result_file.h"
#include "files/row_blocks.h"

namespace sim {

// Where a streamed run hands each block of steps it has computed. The run keeps a block's
// steps only (blockRows); the block's table is copied and formatted while the next block is
// computed.
class ResultStream {
public:
    ResultStream(int divisions, double cycleTime, ByteSink sink, BlockPlan plan = {});

    std::size_t blockRows() const { return plan_.blockRows; }
    // Steps first .. first + rows - 1, rows 0 .. rows - 1 of `table`. After a sink failure the
    // blocks are dropped, so the run still finds a step that cannot be computed.
    void take(std::size_t first, std::size_t rows, const ResultTable& table);
    // Hands on the rest; false when the sink refused bytes.
    bool finish();

private:
    int divisions_;
    double cycleTime_;
    ByteSink sink_;
    BlockPlan plan_;
    std::optional<RowFormatter> rows_;   // from the first block, which brings the header
    bool ok_ = true;
};

}
