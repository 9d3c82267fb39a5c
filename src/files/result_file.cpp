// Writing the result table: formatted in blocks on every core and handed in order to the safe
// file writer, which puts the file in place only when every byte has been written.
#include "files/result_file.h"

#include <cmath>
#include <system_error>

#include "numeric/number_text.h"
#include "files/safe_file.h"

namespace sim {

namespace {

// Why a table cannot be written, or "" when it can. A table that reaches this point has been
// computed by a form, so these are guards against a caller's mistake, not user errors.
std::string CheckTable(const ResultTable& table, int divisions, double cycleTime)
{
    // The last time, (T * N) / N, multiplies first: T * N must stay finite as well as T.
    if (divisions < 1 || !(cycleTime > 0) || !std::isfinite(cycleTime * divisions))
        return "invalid time steps";
    if (table.header.size() != table.columns.size() + 1)
        return "header does not match the columns";
    const auto rows = static_cast<std::size_t>(divisions) + 1;
    for (const std::span<const double> column : table.columns) {
        if (column.size() < rows)
            return "a column is shorter than the time steps";
        for (std::size_t i = 0; i < rows; ++i)
            if (!std::isfinite(column[i]))
                return "a value is not a finite number";
    }
    return {};
}

// Hands the bytes of `table` to `sink` in order, the data lines formatted in blocks as `plan`
// says; false when the sink refused bytes. The table must have passed CheckTable.
bool FormatResultRows(const ResultTable& table, int divisions, double cycleTime,
                      const ByteSink& sink, BlockPlan plan)
{
    RowFormatter rows(table.header, divisions, cycleTime, sink, plan);
    return rows.add(0, static_cast<std::size_t>(divisions) + 1, table.columns, false)
           && rows.finish();
}

}

std::string FormatResultTable(const ResultTable& table, int divisions, double cycleTime,
                              BlockPlan plan)
{
    std::string text;
    if (!CheckTable(table, divisions, cycleTime).empty())
        return text;
    FormatResultRows(
        table, divisions, cycleTime,
        [&text](std::string_view part) {
            text.append(part);
            return true;
        },
        plan);
    return text;
}

std::optional<Refusal> WriteResultFile(const std::filesystem::path& path, const ResultTable& table,
                                       int divisions, double cycleTime)
{
    if (std::string problem = CheckTable(table, divisions, cycleTime); !problem.empty())
        return Refusal::OfFile(path, problem);
    return WriteFileFrom(path, [&](const ByteSink& sink) {
        return FormatResultRows(table, divisions, cycleTime, sink, {});
    });
}

std::optional<Refusal> WriteFileFrom(const std::filesystem::path& path, const ByteProducer& produce)
{
    SafeFileWriter file(path);
    if (!file.ready()) {
        produce([](std::string_view) { return false; });
        return file.refusal();
    }
    // Given up without a file error, the writer removes its temporary and says nothing.
    if (produce([&file](std::string_view part) { return file.write(part); }))
        file.commit();
    return file.refusal();
}

std::filesystem::path FullPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal();
}

}
