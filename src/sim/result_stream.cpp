// Streaming a run into its result file.
#include "sim/result_stream.h"

#include <algorithm>

#include "sim/frame.h"
#include "sim/result_file.h"

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

std::optional<Refusal> StreamResultFile(const Mechanism& mechanism,
                                        const std::vector<std::string>& boxTexts,
                                        const RunContext& context,
                                        const std::filesystem::path& path, BlockPlan plan)
{
    Refusable<InputValues> inputs = ReadRunInputs(mechanism, boxTexts, context);
    if (Refusal* refused = std::get_if<Refusal>(&inputs))
        return std::move(*refused);

    std::optional<Refusal> stepRefused;
    std::optional<Refusal> unwritten = WriteFileFrom(path, [&](const ByteSink& sink) {
        ResultStream stream(context.divisions, context.cycleTime, sink, plan);
        RunContext streamed = context;
        streamed.stream = &stream;
        auto computed = mechanism.ComputeMotion(std::get<InputValues>(inputs), streamed);
        if (Refusal* refused = std::get_if<Refusal>(&computed)) {
            stepRefused = std::move(*refused);
            return false;
        }
        return stream.finish();
    });
    return stepRefused ? stepRefused : unwritten;
}

}
