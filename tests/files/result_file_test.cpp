// The result file: exact bytes of a small table, line count and time column, numbers that read
// back bit-identical, and failures that leave the previous file as it was.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include "files/result_file.h"

namespace fs = std::filesystem;

namespace {

class ResultFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/result_file_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const fs::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    // Only the target, no temporary left beside it.
    void ExpectOnlyFile(const std::string& name) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{name});
    }

    // A failure gives the system's reason and leaves the old table and no temporary behind.
    void ExpectFailureKeepingOldTable(const std::optional<sim::Refusal>& outcome,
                                      const std::string& reason) const
    {
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->reason, reason);
        EXPECT_EQ(outcome->kind, sim::Refusal::Kind::File);
        EXPECT_EQ(Read(dir_ / "result.dat"), "old table\r\n");
        ExpectOnlyFile("result.dat");
    }

    fs::path dir_;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Items(const std::string& line)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find('\t', start);
        items.push_back(line.substr(start, end - start));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}

TEST_F(ResultFileTest, GoldenBytesOfASmallRun)
{
    const std::vector<double> x = {0, 0.5, -1.25};
    const std::vector<double> dx = {-0.0, 1e-7, 3};
    const sim::ResultTable table{{"sec", "x", "dx"}, {x, dx}};
    const fs::path path = dir_ / "result.dat";
    const std::optional<sim::Refusal> outcome = sim::WriteResultFile(path, table, 2, 1);
    ASSERT_FALSE(outcome.has_value()) << outcome->reason;
    EXPECT_EQ(Read(path), "sec\tx\tdx\r\n"
                          "0\t0\t0\r\n"
                          "0.5\t0.5\t1e-07\r\n"
                          "1\t-1.25\t3\r\n");
    EXPECT_EQ(Read(path), sim::FormatResultTable(table, 2, 1));
    ExpectOnlyFile("result.dat");
}

TEST_F(ResultFileTest, DefaultRunHas202LinesAndTheTimeColumn)
{
    const int n = 200;
    std::vector<double> value(n + 1), rate(n + 1);
    for (int i = 0; i <= n; ++i) {
        value[i] = std::sin(i * 0.1);
        rate[i] = std::cos(i * 0.1) / 7;
    }
    const std::string text =
        sim::FormatResultTable({{"sec", "the1", "dthe1"}, {value, rate}}, n, 10);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 202u);
    EXPECT_EQ(lines[0], "sec\tthe1\tdthe1");
    EXPECT_EQ(Items(lines[1])[0], "0");
    EXPECT_EQ(Items(lines[2])[0], "0.05");
    EXPECT_EQ(Items(lines[201])[0], "10");
    for (std::size_t k = 1; k < lines.size(); ++k)
        EXPECT_EQ(Items(lines[k]).size(), 3u) << "line " << k;
}

// Every number in the file reads back bit-identical, and the time of step i is (T * i) / N.
TEST_F(ResultFileTest, NumbersReadBackExactly)
{
    const int n = 30;
    const double T = 7.3;
    std::vector<double> a(n + 1), b(n + 1);
    for (int i = 0; i <= n; ++i) {
        a[i] = std::exp(i * 0.37) * std::sin(i * 1.7);
        b[i] = -1 / (i + 0.3);
    }
    const std::vector<std::string> lines =
        Lines(sim::FormatResultTable({{"sec", "a", "b"}, {a, b}}, n, T));
    ASSERT_EQ(lines.size(), std::size_t(n + 2));
    for (int i = 0; i <= n; ++i) {
        const std::vector<std::string> items = Items(lines[i + 1]);
        ASSERT_EQ(items.size(), 3u);
        const double want[] = {(T * i) / n, a[i], b[i]};
        for (int c = 0; c < 3; ++c) {
            double back = std::numeric_limits<double>::quiet_NaN();
            const std::string& s = items[c];
            const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), back);
            ASSERT_TRUE(ec == std::errc() && ptr == s.data() + s.size()) << s;
            EXPECT_EQ(std::memcmp(&back, &want[c], sizeof back), 0)
                << "line " << i + 1 << ": " << s;
        }
    }
}

TEST_F(ResultFileTest, SecondRunReplacesTheFirst)
{
    const fs::path path = dir_ / "result.dat";
    const std::vector<double> first(11, 1.0), second(6, 2.0);
    ASSERT_FALSE(
        sim::WriteResultFile(path, {{"sec", "theta", "x3"}, {first, first}}, 10, 10).has_value());
    ASSERT_FALSE(sim::WriteResultFile(path, {{"sec", "x"}, {second}}, 5, 10).has_value());
    EXPECT_EQ(Read(path), sim::FormatResultTable({{"sec", "x"}, {second}}, 5, 10));
    ExpectOnlyFile("result.dat");
}

TEST_F(ResultFileTest, NewFileGetsTheUsualPermissions)
{
    const mode_t mask = umask(022);
    const fs::path path = dir_ / "result.dat";
    const std::vector<double> v(3, 0.0);
    const bool ok = !sim::WriteResultFile(path, {{"sec", "x"}, {v}}, 2, 1).has_value();
    umask(mask);
    ASSERT_TRUE(ok);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(ResultFileTest, TargetIsADirectory)
{
    fs::create_directory(dir_ / "result.dat");
    const std::vector<double> v(3, 1.0);
    const std::optional<sim::Refusal> outcome =
        sim::WriteResultFile(dir_ / "result.dat", {{"sec", "x"}, {v}}, 2, 1);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->reason, "フォルダーです（Is a directory）");
    EXPECT_TRUE(fs::is_directory(dir_ / "result.dat"));
    ExpectOnlyFile("result.dat");
}

TEST_F(ResultFileTest, MissingDirectory)
{
    const std::vector<double> v(3, 1.0);
    const std::optional<sim::Refusal> outcome =
        sim::WriteResultFile(dir_ / "absent" / "result.dat", {{"sec", "x"}, {v}}, 2, 1);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->reason, "フォルダーがありません（No such file or directory）");
}

TEST_F(ResultFileTest, ReadOnlyDirectoryKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    const fs::path path = dir_ / "result.dat";
    Write(path, "old table\r\n");
    // A writable file there would be written in place; this one is read-only as well.
    for (const fs::path& p : {path, dir_})
        fs::permissions(p,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    const std::vector<double> v(3, 1.0);
    const std::optional<sim::Refusal> outcome =
        sim::WriteResultFile(path, {{"sec", "x"}, {v}}, 2, 1);
    fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add);
    ExpectFailureKeepingOldTable(outcome, "読み取り専用のファイルです");
}

// A file size limit makes write() fail part-way, as a full disk does (root is bound by it too).
TEST_F(ResultFileTest, FailedWriteKeepsTheOldFile)
{
    const fs::path path = dir_ / "result.dat";
    Write(path, "old table\r\n");
    const int n = 200000;   // several MB, so the limit strikes in the middle of the chunks
    std::vector<double> v(n + 1);
    for (int i = 0; i <= n; ++i)
        v[i] = std::sin(i);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1 << 20;
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<sim::Refusal> outcome =
        sim::WriteResultFile(path, {{"sec", "x", "y"}, {v, v}}, n, 10);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);
    ExpectFailureKeepingOldTable(outcome, "ファイルが大きすぎます（File too large）");
}

// Tables a form could never produce are refused before anything is written.
TEST_F(ResultFileTest, RefusesTablesThatCannotBeWritten)
{
    const fs::path path = dir_ / "result.dat";
    Write(path, "old table\r\n");
    const std::vector<double> good(3, 1.0), shortColumn(2, 1.0);
    const std::vector<double> withNaN = {0, std::nan(""), 1};
    const std::vector<double> withInf = {0, 1, -std::numeric_limits<double>::infinity()};
    struct Row {
        const char* name;
        sim::ResultTable table;
        int n;
        double T;
    };
    const Row rows[] = {
        {"NaN value", {{"sec", "x"}, {withNaN}}, 2, 1},
        {"infinite value", {{"sec", "x"}, {withInf}}, 2, 1},
        {"short column", {{"sec", "x"}, {shortColumn}}, 2, 1},
        {"header without sec", {{"x"}, {good}}, 2, 1},
        {"no divisions", {{"sec", "x"}, {good}}, 0, 1},
        {"infinite cycle time", {{"sec", "x"}, {good}}, 2, std::numeric_limits<double>::infinity()},
        // Regression: T * i overflowed to an infinite time on the last line although T was finite.
        {"time column overflows", {{"sec", "x"}, {good}}, 2, std::numeric_limits<double>::max()},
        {"zero cycle time", {{"sec", "x"}, {good}}, 2, 0},
        {"negative cycle time", {{"sec", "x"}, {good}}, 2, -1},
        {"NaN cycle time", {{"sec", "x"}, {good}}, 2, std::nan("")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<sim::Refusal> outcome =
            sim::WriteResultFile(path, row.table, row.n, row.T);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_FALSE(outcome->reason.empty());
        EXPECT_EQ(sim::FormatResultTable(row.table, row.n, row.T), "");
    }
    EXPECT_EQ(Read(path), "old table\r\n");
    ExpectOnlyFile("result.dat");
}

TEST_F(ResultFileTest, LargeTableSpansSeveralChunks)
{
    const int n = 300000;
    std::vector<double> v(n + 1);
    for (int i = 0; i <= n; ++i)
        v[i] = std::cos(i * 0.001) * 1234.5;
    const sim::ResultTable table{{"sec", "a", "b"}, {v, v}};
    const fs::path path = dir_ / "result.dat";
    ASSERT_FALSE(sim::WriteResultFile(path, table, n, 10).has_value());
    const std::string text = Read(path);
    EXPECT_GT(text.size(), std::size_t(8) << 20);
    EXPECT_EQ(text, sim::FormatResultTable(table, n, 10));
}

}
