// The one way bytes reach a named file. Whatever the name points at is treated as what it is:
//  - a regular file, or no file yet: the bytes go into a temporary beside it (unnamed where the
//    file system allows, otherwise a hidden ".NAME.mechsim-XXXXXX" locked while it is written)
//    that takes the old file's place in one step only when every byte is written; it keeps the
//    old file's mode and, where permitted, its owner. A failed or interrupted write leaves the
//    old file as it was;
//  - a file with other hard links, or one in a folder the user cannot write to: the bytes go
//    into an unnamed temporary first and, once complete, into the file itself (truncated and
//    written through the same inode), so every name keeps seeing one file;
//  - a read-only file: refused, as the shell refuses it, whoever the user is;
//  - a symbolic link: its final target is written as above, the link stays a link;
//  - a FIFO, a terminal or another character device, "-" (standard output) or the kernel's
//    link to an open file (/dev/stdout): the bytes are written straight into it, and a reader
//    that went away is a write error, not a SIGPIPE;
//  - a directory, a socket or a block device: refused, nothing is written.
// SIGINT, SIGTERM and SIGHUP remove a named temporary before the process ends with the usual
// status; one left by a writer that was killed outright (its lock gone with it) is removed by
// the next write into the same folder. Reasons are short Japanese texts followed by the
// system's wording in parentheses.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/refusal.h"

namespace sim {

// Why `path` cannot be written (a directory, a socket, a block device, a name ending in "/", a
// missing folder, a loop of symbolic links, a name too long, a read-only file, a new file in a
// folder the user cannot write to), or nothing when it can be tried. Checked before a run is
// computed, so such a target is a usage error rather than a lost run.
std::optional<std::string> UnwritableTarget(const std::filesystem::path& path);

// The Japanese reason for a system error number, with the system's text in parentheses.
std::string FileErrorReason(int error);

class SafeFileWriter {
public:
    // Opens the target for writing; ready() tells whether it could be opened.
    explicit SafeFileWriter(std::filesystem::path path);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    // Without commit(), the temporary is removed and the old file stays as it was.
    ~SafeFileWriter();

    bool ready() const { return handle_ >= 0 && reason_.empty(); }
    // Appends `bytes`; false (and refusal()) after any failure, including an earlier one.
    bool write(std::string_view bytes);
    // Finishes the written file without putting it in place yet: the temporary gets its name
    // (still locked) and its delayed write errors are seen; false on failure.
    bool prepare();
    // Puts the written file in place of the target (or closes a stream); false on failure.
    bool commit();

    // Why the file could not be opened or written, as a file refusal for the path given;
    // nothing before any failure.
    std::optional<Refusal> refusal() const;
    const std::filesystem::path& path() const { return path_; }

private:
    bool fail(int error);
    bool fail(std::string reason);
    void open();
    bool openTemporary();
    bool openInPlace();
    bool copyIntoTarget();
    bool nameTemporary();
    // Gives the temporary a fresh short name through `create`, retrying names already taken.
    bool takeFreshName(const std::function<bool(const std::filesystem::path&)>& create);
    void discard();

    std::filesystem::path path_;        // as given
    std::filesystem::path target_;      // after following symbolic links
    std::filesystem::path temporary_;   // the named temporary, once it has a name
    int handle_ = -1;
    int lock_ = -1;      // the named temporary, open while it waits to be put in place
    int inPlace_ = -1;   // the target itself, when it is written in place
    bool prepared_ = false;
    bool ownsHandle_ = true;   // false for standard output
    bool replaces_ = false;    // written through a temporary rather than straight
    bool unnamed_ = false;     // an O_TMPFILE not yet given a name
    int slot_ = -1;            // where the signal handlers find the temporary's name
    std::size_t written_ = 0;
    std::size_t failAfter_;   // injected fault, for tests
    int failError_;
    std::string reason_;
};

// Writes `bytes` as the whole content of `path` through a SafeFileWriter; a refusal names
// `path` with the reason.
std::optional<Refusal> WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// Several files that take their places together, such as the pictures of one run: each is
// written whole into its own temporary, and only when every one is written are they all put in
// place. A failure leaves every old file as it was and no temporary behind.
class SafeFileSet {
public:
    // Writes `bytes` as the new content of `path`; false (and refusal()) on failure, including
    // an earlier one.
    bool add(const std::filesystem::path& path, std::string_view bytes);
    // Puts every file in place; false on failure, when none of them is.
    bool commit();
    // Forgets the files not yet put in place, removing their temporaries.
    void discard();
    const std::optional<Refusal>& refusal() const { return refusal_; }

private:
    bool fail(const SafeFileWriter& file);

    std::vector<std::unique_ptr<SafeFileWriter>> files_;
    std::optional<Refusal> refusal_;
};

// For tests: every writer opened from now on fails with `error` once it has written
// `failAfterBytes` bytes, and `namedTemporary` forces the named temporary used where unnamed
// ones are not available. The default value restores normal writing.
struct WriterFaults {
    std::size_t failAfterBytes = static_cast<std::size_t>(-1);
    int error = 0;
    bool namedTemporary = false;
};
void SetWriterFaultsForTesting(const WriterFaults& faults);

}
