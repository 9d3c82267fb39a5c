// The result table of a run: a header line and N + 1 data lines, items separated by one tab,
// numbers in shortest round-trip form, lines ending in CR LF.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/row_blocks.h"
#include "messages/refusal.h"

namespace sim {

// Every mechanism window writes its table under this name in the current directory.
inline constexpr const char* kResultFileName = "result.dat";

struct ResultTable {
    std::vector<std::string> header;   // "sec" first, then one name per column
    // One span per header name after "sec": every step of a kept run, or the steps of one
    // block while a run streams.
    std::vector<std::span<const double>> columns;
};

// Writes the table to `path` through a SafeFileWriter (sim/safe_file.h): a failed write never
// leaves half a table nor loses the old file, and links, pipes and devices are written as what
// they are. The time column is (T * i) / N. A table with a non-finite value, a column shorter
// than N + 1, a header that does not match the columns, or time steps that are not N >= 1 and
// finite T > 0 is refused before anything is written. A refusal is a file refusal for `path`
// with the reason.
std::optional<Refusal> WriteResultFile(const std::filesystem::path& path, const ResultTable& table,
                                       int divisions, double cycleTime);

// `path` as a student finds it in a file manager: absolute, without "." or ".." steps.
// Where the current directory cannot be read, `path` as given.
std::filesystem::path FullPath(const std::filesystem::path& path);

// The bytes that WriteResultFile writes (for tests and benchmarks); "" for a refused table.
std::string FormatResultTable(const ResultTable& table, int divisions, double cycleTime,
                              BlockPlan plan = {});

// Produces the bytes of a file, handing them to the sink in order; false to give the file up.
using ByteProducer = std::function<bool(const ByteSink&)>;

// Writes what `produce` hands on to `path` through a SafeFileWriter, committed only when
// `produce` returns true and every byte is written; otherwise the old file stays as it was.
// Where the target cannot be opened, `produce` still runs, with a sink that takes nothing, so
// that it can finish its own work. A refusal is a file refusal for `path`; a file given up by
// `produce` without a file error gives none.
std::optional<Refusal> WriteFileFrom(const std::filesystem::path& path,
                                     const ByteProducer& produce);

}
