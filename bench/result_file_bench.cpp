// Writing a large result table (1,000,000 steps, sec + 9 columns) against the bare cost of
// formatting the same numbers with to_chars into one buffer and writing it with one fwrite.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/result_file.h"

namespace {

constexpr int kDivisions = 1'000'000;
constexpr double kCycleTime = 10;
constexpr int kColumns = 9;

// Smooth, non-trivial values like those of a run: every digit of each double is significant.
struct BenchTable {
    std::vector<std::vector<double>> series;
    sim::ResultTable table;
    std::filesystem::path dir;

    BenchTable()
    {
        series.assign(kColumns, std::vector<double>(kDivisions + 1));
        for (int c = 0; c < kColumns; ++c)
            for (int i = 0; i <= kDivisions; ++i) {
                const double t = i * 1e-4 * (c + 1);
                series[c][i] = (c % 2 ? std::cos(t) : std::sin(t)) * (3.7 * c + 0.5);
            }
        table.header = {"sec",   "the1",   "dthe1", "ddthe1", "the2",
                        "dthe2", "ddthe2", "the3",  "dthe3",  "ddthe3"};
        for (const auto& s : series)
            table.columns.emplace_back(s);
        // TMPDIR chooses the file system (e.g. /dev/shm to leave the disk out).
        std::string pattern =
            (std::filesystem::temp_directory_path() / "result_file_bench.XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        dir = pattern;
    }
    ~BenchTable() { std::filesystem::remove_all(dir); }
};

BenchTable& Table()
{
    static BenchTable table;
    return table;
}

void BM_WriteResultFile(benchmark::State& state)
{
    BenchTable& t = Table();
    const std::filesystem::path path = t.dir / "result.dat";
    for (auto _ : state) {
        const std::optional<sim::Refusal> outcome =
            sim::WriteResultFile(path, t.table, kDivisions, kCycleTime);
        if (outcome)
            state.SkipWithError(outcome->reason.c_str());
    }
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

// The lower bound: the same bytes, formatted into a preallocated buffer, one fwrite.
void BM_BareToCharsFwrite(benchmark::State& state)
{
    BenchTable& t = Table();
    const std::string path = (t.dir / "bare.dat").string();
    std::vector<char> buffer(std::size_t(kDivisions + 1) * (kColumns + 1) * 26 + 4096);
    for (auto _ : state) {
        char* p = buffer.data();
        for (std::size_t k = 0; k < t.table.header.size(); ++k) {
            if (k > 0)
                *p++ = '\t';
            for (char ch : t.table.header[k])
                *p++ = ch;
        }
        *p++ = '\r';
        *p++ = '\n';
        for (int i = 0; i <= kDivisions; ++i) {
            p = std::to_chars(p, p + 32, (kCycleTime * i) / kDivisions).ptr;
            for (const auto& s : t.series) {
                *p++ = '\t';
                p = std::to_chars(p, p + 32, s[i]).ptr;
            }
            *p++ = '\r';
            *p++ = '\n';
        }
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr
            || std::fwrite(buffer.data(), 1, p - buffer.data(), f) != std::size_t(p - buffer.data())
            || std::fclose(f) != 0)
            state.SkipWithError("bare write failed");
    }
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}

}

BENCHMARK(BM_BareToCharsFwrite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_WriteResultFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
