// The safe file writer: each kind of target written as what it is, injected write faults that
// keep the old file, and interrupted writes that leave no temporary behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "files/result_file.h"
#include "files/safe_file.h"
#include "support/child_process.h"
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

ino_t Inode(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The named temporaries beside the files: ".NAME.mechsim-" and six letters or digits.
std::vector<std::string> Temporaries(const fs::path& dir)
{
    std::vector<std::string> found;
    for (const std::string& name : Names(dir))
        if (name.size() > 15 && name.compare(name.size() - 15, 9, ".mechsim-") == 0)
            found.push_back(name);
    return found;
}

// A writer killed with SIGKILL (no handler runs) where only named temporaries exist leaves one
// behind, named after its target; the next write into the folder removes it, but not the
// temporary of a writer that is still at work, nor files that only look like one.
TEST(SafeFileWriter, AKilledWritersTemporaryWasLeftForeverAndAnonymous)
{
    TempDir dir;
    const FaultsReset reset;
    ASSERT_TRUE(Write(dir / "result.dat", "old table"));
    // A writer still at work, before and after the other one dies.
    sim::SetWriterFaultsForTesting({.namedTemporary = true});
    sim::SafeFileWriter live(dir / "live.dat");
    ASSERT_TRUE(live.write("being written"));
    const std::vector<std::string> alive = Temporaries(dir.path);
    ASSERT_EQ(alive.size(), 1u);

    const pid_t child = ChildProcess::Start(
        [&dir] {
            // Still writing when it is killed: the writer is never ended.
            auto* writer = new sim::SafeFileWriter(dir / "result.dat");
            return writer->write(std::string(1 << 20, 'x'));
        },
        true);
    ASSERT_GT(child, 0);
    ::kill(child, SIGKILL);
    ASSERT_TRUE(ChildProcess::Ended(child));
    std::vector<std::string> left = Temporaries(dir.path);
    left.erase(std::find(left.begin(), left.end(), alive[0]));
    ASSERT_EQ(left.size(), 1u);
    EXPECT_TRUE(left[0].starts_with(".result.dat.mechsim-")) << left[0];

    // Names like a temporary's that are not a dead writer's own file.
    fs::create_symlink("result.dat", dir / ".link.dat.mechsim-aaaaaa");
    fs::create_directory(dir / ".folder.mechsim-bbbbbb");
    std::ofstream(dir / "kept.dat") << "kept";
    fs::create_hard_link(dir / "kept.dat", dir / ".linked.dat.mechsim-cccccc");
    for (const char* name :
         {".upper.dat.mechsim-ABCDEF", ".short.dat.mechsim-abc", "x.mechsim-dddddd"})
        std::ofstream(dir / name) << "not a temporary";
    std::vector<std::string> expected = Temporaries(dir.path);
    expected.erase(std::find(expected.begin(), expected.end(), left[0]));

    ASSERT_TRUE(Write(dir / "other.dat", "next write"));
    EXPECT_EQ(Temporaries(dir.path), expected);
    EXPECT_EQ(ReadFileBytes(dir / "result.dat"), "old table");
    EXPECT_EQ(ReadFileBytes(dir / "kept.dat"), "kept");
    EXPECT_TRUE(fs::is_symlink(dir / ".link.dat.mechsim-aaaaaa"));
    EXPECT_TRUE(fs::is_directory(dir / ".folder.mechsim-bbbbbb"));
    ASSERT_TRUE(live.commit());
    EXPECT_EQ(ReadFileBytes(dir / "live.dat"), "being written");

    // The temporary of the longest name the file system takes is shortened to fit.
    const std::string longest(255, 'n');
    sim::SafeFileWriter longWriter(dir / longest);
    ASSERT_TRUE(longWriter.write("long"));
    bool seen = false;
    for (const std::string& name : Names(dir.path))
        seen = seen || (name.starts_with(".nnnn") && name.size() <= 255);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(longWriter.commit());
}

// Replacing a file made it a new file: a read-only one was overwritten where the shell refuses,
// a hard-linked one was split from its other names, and one in a folder the user cannot write
// to was refused although the file itself is writable.
TEST(SafeFileWriter, ReplacingAFileChangedWhatItIs)
{
    TempDir dir;
    const FaultsReset reset;
    ASSERT_TRUE(Write(dir / "frozen.dat", "frozen"));
    ::chmod((dir / "frozen.dat").c_str(), 0444);
    EXPECT_EQ(sim::UnwritableTarget(dir / "frozen.dat"), "読み取り専用のファイルです");
    const std::optional<sim::Refusal> refused = sim::WriteWholeFile(dir / "frozen.dat", "new");
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->file, dir / "frozen.dat");
    EXPECT_EQ(ReadFileBytes(dir / "frozen.dat"), "frozen");

    // Both names of a hard-linked file see the new bytes; a failed write keeps the old ones.
    ASSERT_TRUE(Write(dir / "a.dat", "old"));
    fs::create_hard_link(dir / "a.dat", dir / "b.dat");
    const ino_t inode = Inode(dir / "a.dat");
    std::string previous = "old";
    for (const bool named : {false, true}) {
        sim::SetWriterFaultsForTesting(
            {.failAfterBytes = 4, .error = ENOSPC, .namedTemporary = named});
        EXPECT_FALSE(Write(dir / "a.dat", "longer table"));
        EXPECT_EQ(ReadFileBytes(dir / "b.dat"), previous);
        sim::SetWriterFaultsForTesting({.namedTemporary = named});
        previous = named ? "new" : "newer table";
        ASSERT_TRUE(Write(dir / "a.dat", previous));
        EXPECT_EQ(ReadFileBytes(dir / "b.dat"), previous);
        EXPECT_EQ(Inode(dir / "a.dat"), inode);
        EXPECT_EQ(Inode(dir / "b.dat"), inode);
    }
    sim::SetWriterFaultsForTesting({});

    // As an unprivileged user: a writable file in a folder only root may change is written in
    // place; a new file there, or a read-only one, is refused before anything is written.
    fs::create_directory(dir / "locked");
    ASSERT_TRUE(Write(dir / "locked" / "open.dat", "old"));
    ASSERT_TRUE(Write(dir / "locked" / "shut.dat", "shut"));
    ::chmod((dir / "locked" / "open.dat").c_str(), 0666);
    ::chmod((dir / "locked" / "shut.dat").c_str(), 0644);
    ::chmod((dir / "locked").c_str(), 0755);
    ::chmod(dir.path.c_str(), 0755);
    const pid_t child = ChildProcess::Start([&dir] {
        if (!ChildProcess::BecomeNobody())
            return false;
        return Write(dir / "locked" / "open.dat", "written in place")
               && sim::UnwritableTarget(dir / "locked" / "new.dat")
                      == "書き込む権限がありません（Permission denied）"
               && sim::UnwritableTarget(dir / "locked" / "shut.dat")
                      == "書き込む権限がありません（Permission denied）"
               && !Write(dir / "locked" / "shut.dat", "x");
    });
    ASSERT_GT(child, 0);
    EXPECT_TRUE(ChildProcess::Succeeded(child));
    EXPECT_EQ(ReadFileBytes(dir / "locked" / "open.dat"), "written in place");
    EXPECT_EQ(ReadFileBytes(dir / "locked" / "shut.dat"), "shut");
    EXPECT_EQ(Names(dir / "locked"), (std::vector<std::string>{"open.dat", "shut.dat"}));
}

}
