// Writing the result table: formatted in blocks on every core into a temporary file beside the
// target, which is renamed over the target only when every byte has been written.
#include "sim/result_file.h"

#include <cmath>
#include <random>
#include <system_error>

#include "numeric/number_text.h"
#include "sim/platform.h"

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

// Creates "<target>.XXXXXX" for writing, a name no other file has.
bool CreateTemporary(const std::filesystem::path& target, platform::NewFile& file,
                     std::filesystem::path& temporary, std::string& reason)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device entropy;
    std::mt19937 pick(entropy());
    std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix = ".";
        for (int k = 0; k < 6; ++k)
            suffix.push_back(kLetters[letter(pick)]);
        temporary = target;
        temporary += suffix;
        switch (file.create(temporary)) {
        case platform::NewFile::Created::Yes:
            return true;
        case platform::NewFile::Created::Exists:
            continue;
        case platform::NewFile::Created::Failed:
            reason = file.reason();
            return false;
        }
    }
    reason = std::make_error_code(std::errc::file_exists).message();
    return false;
}

}

bool FormatResultRows(const ResultTable& table, int divisions, double cycleTime,
                      const ByteSink& sink, BlockPlan plan)
{
    RowFormatter rows(table.header, divisions, cycleTime, sink, plan);
    return rows.add(0, static_cast<std::size_t>(divisions) + 1, table.columns, false)
           && rows.finish();
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
    platform::NewFile file;
    std::filesystem::path temporary;
    std::string reason;
    if (!CreateTemporary(path, file, temporary, reason)) {
        produce([](std::string_view) { return false; });
        return Refusal::OfFile(path, reason);
    }

    const bool produced = produce([&file](std::string_view part) { return file.write(part); });
    bool ok = file.close() && produced;
    reason = file.reason();
    ok = ok && platform::ReplaceFile(temporary, path, reason);
    if (!ok) {
        platform::RemoveFile(temporary);
        if (!reason.empty())
            return Refusal::OfFile(path, reason);
    }
    return std::nullopt;
}

std::filesystem::path FullPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal();
}

}
