// The safe file writer: each kind of target written as what it is, injected write faults that
// keep the old file, and interrupted writes that leave no temporary behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "files/result_file.h"
#include "files/safe_file.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Write(const fs::path& path, std::string_view bytes)
{
    return !sim::WriteWholeFile(path, bytes).has_value();
}

mode_t Mode(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Restores normal writing when a test that injected faults ends, however it ends.
struct FaultsReset {
    ~FaultsReset() { sim::SetWriterFaultsForTesting({}); }
};

TEST(SafeFileWriter, WritesEachKindOfTargetAsWhatItIs)
{
    TempDir dir;
    // A regular file keeps its restrictive mode.
    ASSERT_TRUE(Write(dir / "private.dat", "old"));
    ::chmod((dir / "private.dat").c_str(), 0600);
    ASSERT_TRUE(Write(dir / "private.dat", "new table"));
    EXPECT_EQ(ReadFileBytes(dir / "private.dat"), "new table");
    EXPECT_EQ(Mode(dir / "private.dat"), 0600u);

    // A symbolic link stays a link; its target (through a second link) gets the bytes, and a
    // dangling link creates its target.
    fs::create_symlink("private.dat", dir / "inner");
    fs::create_symlink(dir / "inner", dir / "outer");
    ASSERT_TRUE(Write(dir / "outer", "through links"));
    EXPECT_TRUE(fs::is_symlink(dir / "outer"));
    EXPECT_TRUE(fs::is_symlink(dir / "inner"));
    EXPECT_EQ(ReadFileBytes(dir / "private.dat"), "through links");
    fs::create_symlink("later.dat", dir / "dangling");
    ASSERT_TRUE(Write(dir / "dangling", "created"));
    EXPECT_EQ(ReadFileBytes(dir / "later.dat"), "created");

    // The longest name the file system takes still gets its temporary.
    const std::string longest(255, 'n');
    ASSERT_TRUE(Write(dir / longest, "long name"));
    EXPECT_EQ(ReadFileBytes(dir / longest), "long name");

    // A FIFO stays a FIFO and its reader gets every byte.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return ReadFileBytes(dir / "pipe"); });
    const std::string table(1 << 20, 'x');   // more than a pipe holds
    EXPECT_TRUE(Write(dir / "pipe", table));
    EXPECT_EQ(reader.get(), table);
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));

    // "-" is standard output, here redirected into a file.
    const int saved = ::dup(STDOUT_FILENO);
    const int out = ::open((dir / "stdout.txt").c_str(), O_WRONLY | O_CREAT, 0600);
    ::dup2(out, STDOUT_FILENO);
    const bool written = Write("-", "on standard output");
    ::dup2(saved, STDOUT_FILENO);
    ::close(out);
    ::close(saved);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadFileBytes(dir / "stdout.txt"), "on standard output");

    // A directory (also behind a trailing "/" or a link) is refused and left alone.
    fs::create_directory(dir / "folder");
    fs::create_symlink("folder", dir / "folder-link");
    for (const fs::path& path : {dir / "folder", dir / "folder-link", dir / "folder/"}) {
        EXPECT_EQ(sim::UnwritableTarget(path), "フォルダーです（Is a directory）") << path;
        const std::optional<sim::Refusal> refused = sim::WriteWholeFile(path, "x");
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->file, path);
    }
    EXPECT_TRUE(fs::is_empty(dir / "folder"));
    EXPECT_TRUE(sim::UnwritableTarget(dir / "absent/").has_value());
    EXPECT_FALSE(sim::UnwritableTarget(dir / "absent.dat").has_value());

    EXPECT_EQ(Names(dir.path),
              (std::vector<std::string>{"dangling", "folder", "folder-link", "inner", "later.dat",
                                        longest, "outer", "pipe", "private.dat", "stdout.txt"}));
}

// A disk that fills after K bytes, through both kinds of temporary: nothing half-written
// appears, the old file stays, and the reason says why.
TEST(SafeFileWriter, AFailedWriteKeepsTheOldFile)
{
    TempDir dir;
    const FaultsReset reset;
    const std::vector<double> column(100001, 0.25);
    const sim::ResultTable table{{"sec", "x"}, {column}};
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
        ASSERT_TRUE(Write(dir / "result.dat", "old table"));
        for (const std::size_t k : {std::size_t(0), std::size_t(1000), std::size_t(1) << 20}) {
            sim::SetWriterFaultsForTesting(
                {.failAfterBytes = k, .error = ENOSPC, .namedTemporary = named});
            const std::optional<sim::Refusal> refused =
                sim::WriteResultFile(dir / "result.dat", table, 100000, 1);
            ASSERT_TRUE(refused.has_value()) << k;
            EXPECT_EQ(refused->file, dir / "result.dat");
            EXPECT_EQ(refused->reason, "ディスクがいっぱいです（No space left on device）");
            EXPECT_EQ(ReadFileBytes(dir / "result.dat"), "old table") << k;
            EXPECT_EQ(Names(dir.path), std::vector<std::string>{"result.dat"}) << k;
        }
        sim::SetWriterFaultsForTesting({.namedTemporary = named});
        EXPECT_FALSE(sim::WriteResultFile(dir / "result.dat", table, 100000, 1).has_value());
        EXPECT_EQ(ReadFileBytes(dir / "result.dat"), sim::FormatResultTable(table, 100000, 1));
    }

    // A reader that goes away is a write error, not the end of the process by SIGPIPE.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const std::string path = "/proc/self/fd/" + std::to_string(ends[1]);
    const std::optional<sim::Refusal> refused = sim::WriteWholeFile(path, "lost");
    ::close(ends[1]);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->reason, "読み手が閉じました（Broken pipe）");
}

// A writer interrupted in the middle: the child process writes, tells the parent, and waits to
// be signalled. The temporary it had must be gone and the old file intact afterwards; the
// child ends by the signal itself.
TEST(SafeFileWriter, AnInterruptedWriteLeavesNoTemporary)
{
    TempDir dir;
    struct Case {
        int signal;
        bool named;
    };
    for (const Case c : {Case{SIGTERM, true}, Case{SIGINT, true}, Case{SIGHUP, true},
                         Case{SIGKILL, false}, Case{SIGTERM, false}}) {
        SCOPED_TRACE(std::string(strsignal(c.signal)) + (c.named ? ", named" : ", unnamed"));
        ASSERT_TRUE(Write(dir / "result.dat", "old table"));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            sim::SetWriterFaultsForTesting({.namedTemporary = c.named});
            sim::SafeFileWriter writer(dir / "result.dat");
            const bool written = writer.write(std::string(1 << 20, 'x'));
            const char state = written ? 'w' : 'f';
            [[maybe_unused]] const auto sent = ::write(ready[1], &state, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char state = 0;
        ASSERT_EQ(::read(ready[0], &state, 1), 1);
        ::close(ready[0]);
        EXPECT_EQ(state, 'w');
        // Mid-write: a named temporary is visible beside the target, an unnamed one is not.
        EXPECT_EQ(Names(dir.path).size(), c.named ? 2u : 1u);
        ::kill(child, c.signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        EXPECT_EQ(Names(dir.path), std::vector<std::string>{"result.dat"});
        EXPECT_EQ(ReadFileBytes(dir / "result.dat"), "old table");
    }
}

}
