// Streaming rows into the result file block by block.
#include "files/result_stream.h"

#include <algorithm>

namespace sim {

ResultStream::ResultStream(int divisions, double cycleTime, ByteSink sink, BlockPlan plan)
    : divisions_(divisions), cycleTime_(cycleTime), sink_(std::move(sink)), plan_(plan)
{
    plan_.blockRows = std::max<std::size_t>(plan_.blockRows, 1);
}

void ResultStream::take(std::size_t first, std::size_t rows, const ResultTable& table)
{
    if (!ok_)
        return;
    if (!rows_)
        rows_.emplace(table.header, divisions_, cycleTime_, sink_, plan_);
    ok_ = rows_->add(first, rows, table.columns, true);
}

bool ResultStream::finish()
{
    ok_ = ok_ && rows_ && rows_->finish();
    return ok_;
}

}
