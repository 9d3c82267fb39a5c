// Streaming a run into its result file.
#include "run/result_stream.h"

#include <algorithm>

#include "run/frame.h"
#include "files/result_file.h"

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

namespace {

// Whether the safe writer puts `path` in place from a temporary (a regular file, a link to one,
// or no file yet), so that a run given up leaves nothing behind.
bool WrittenThroughTemporary(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return path != "-"
           && (std::filesystem::is_regular_file(status)
               || status.type() == std::filesystem::file_type::not_found);
}

}

std::optional<Refusal>
StreamResultFile(const Mechanism& mechanism, const std::vector<std::string>& boxTexts,
                 const RunContext& context, const std::filesystem::path& path, BlockPlan plan,
                 std::vector<std::string>* findings, const Translator& translate)
{
    Refusable<InputValues> inputs = ReadRunInputs(mechanism, boxTexts, context);
    if (Refusal* refused = std::get_if<Refusal>(&inputs))
        return std::move(*refused);

    if (!WrittenThroughTemporary(path)) {
        // A pipe, a device or standard output cannot take back rows written before a refused
        // step: the run is computed whole first, as in the window.
        auto computed = mechanism.ComputeMotion(std::get<InputValues>(inputs), context);
        if (Refusal* refused = std::get_if<Refusal>(&computed))
            return std::move(*refused);
        const auto& run = std::get<std::unique_ptr<MechanismRun>>(computed);
        if (findings)
            *findings = run->findings(translate);
        return WriteResultFile(path, run->resultTable(), context.divisions, context.cycleTime);
    }

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
        if (findings)
            *findings = std::get<std::unique_ptr<MechanismRun>>(computed)->findings(translate);
        return stream.finish();
    });
    return stepRefused ? stepRefused : unwritten;
}

}
