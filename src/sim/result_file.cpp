// Writing the result table: formatted in large chunks and handed in order to the safe file
// writer, which puts the file in place only when every byte has been written.
#include "sim/result_file.h"

#include <cmath>
#include <system_error>

#include "numeric/number_text.h"
#include "sim/safe_file.h"

namespace sim {

namespace {

constexpr std::size_t kChunkBytes = 4 << 20;   // one write() per 4 MB of text

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

// Formats the header and the data lines into `out`, handing it to `flush` whenever it
// exceeds a chunk. `flush` returns false to stop.
template <typename Flush> bool FormatTable(const ResultTable& table, int divisions,
                                           double cycleTime, std::string& out, Flush&& flush)
{
    for (std::size_t k = 0; k < table.header.size(); ++k) {
        if (k > 0)
            out.push_back('\t');
        out.append(table.header[k]);
    }
    out.append("\r\n");
    const double n = divisions;
    for (int i = 0; i <= divisions; ++i) {
        const auto row = static_cast<std::size_t>(i);
        numeric::AppendNumber(out, (cycleTime * i) / n);
        for (const std::span<const double> column : table.columns) {
            out.push_back('\t');
            numeric::AppendNumber(out, column[row]);
        }
        out.append("\r\n");
        if (out.size() >= kChunkBytes) {
            if (!flush(out))
                return false;
            out.clear();
        }
    }
    return true;
}

}

std::string FormatResultTable(const ResultTable& table, int divisions, double cycleTime)
{
    std::string text;
    if (!CheckTable(table, divisions, cycleTime).empty())
        return text;
    std::string chunk;
    FormatTable(table, divisions, cycleTime, chunk, [&text](const std::string& part) {
        text.append(part);
        return true;
    });
    text.append(chunk);
    return text;
}

std::optional<Refusal> WriteResultFile(const std::filesystem::path& path, const ResultTable& table,
                                       int divisions, double cycleTime)
{
    if (std::string problem = CheckTable(table, divisions, cycleTime); !problem.empty())
        return Refusal::OfFile(path, problem);

    SafeFileWriter file(path);
    if (!file.ready())
        return Refusal::OfFile(path, file.reason());
    std::string chunk;
    chunk.reserve(kChunkBytes + 4096);
    const bool ok = FormatTable(table, divisions, cycleTime, chunk,
                                [&file](const std::string& part) { return file.write(part); })
                    && file.write(chunk) && file.commit();
    if (!ok)
        return Refusal::OfFile(path, file.reason());
    return std::nullopt;
}

std::filesystem::path FullPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal();
}

}
