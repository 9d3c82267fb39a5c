// A run whose rows go into the result file as they are computed, block by block, without the
// whole series being kept: for the command line when no picture is wanted.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "run/mechanism.h"
#include "files/row_blocks.h"

namespace sim {

// Where the step loop hands each block of steps it has computed. The run keeps a block's steps
// only (StepCount); the block's table is copied and formatted while the next block is computed.
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

// Computes `mechanism` with the boxes `boxTexts` and the N and T of `context` straight into the
// result file at `path`, refusing what SimulationFrame::runCycle refuses. A refused step leaves
// neither the file nor a temporary, even after some of its blocks were formatted. A target that
// cannot take bytes back (a pipe, a device, "-") gets the run computed whole first. After a
// run that was computed, `findings` (when given) receives what the run tells beyond its motion,
// turned into the interface language by `translate`.
std::optional<Refusal>
StreamResultFile(const Mechanism& mechanism, const std::vector<std::string>& boxTexts,
                 const RunContext& context, const std::filesystem::path& path, BlockPlan plan = {},
                 std::vector<std::string>* findings = nullptr, const Translator& translate = {});

}
