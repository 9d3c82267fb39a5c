// The one way bytes reach a named file. Whatever the name points at is treated as what it is:
//  - a regular file, or no file yet: the bytes go into a temporary beside it (unnamed where the
//    file system allows, otherwise under a short hidden name) that takes the old file's place
//    in one step only when every byte is written; it keeps the old file's mode and, where
//    permitted, its owner. A failed or interrupted write leaves the old file as it was;
//  - a symbolic link: its final target is written as above, the link stays a link;
//  - a FIFO, a terminal or another character device, "-" (standard output) or the kernel's
//    link to an open file (/dev/stdout): the bytes are written straight into it, and a reader
//    that went away is a write error, not a SIGPIPE;
//  - a directory, a socket or a block device: refused, nothing is written.
// SIGINT, SIGTERM and SIGHUP remove a named temporary before the process ends with the usual
// status. Reasons are short Japanese texts followed by the system's wording in parentheses.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "messages/refusal.h"

namespace sim {

// Why `path` can never be written (a directory, a socket, a block device, a name ending in
// "/"), or nothing when it can be tried. Checked before a run is computed, so such a target is
// a usage error rather than a lost run.
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
    bool nameTemporary();
    // Gives the temporary a fresh short name through `create`, retrying names already taken.
    bool takeFreshName(const std::function<bool(const std::filesystem::path&)>& create);
    void discard();

    std::filesystem::path path_;        // as given
    std::filesystem::path target_;      // after following symbolic links
    std::filesystem::path temporary_;   // the named temporary, once it has a name
    int handle_ = -1;
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

// For tests: every writer opened from now on fails with `error` once it has written
// `failAfterBytes` bytes, and `namedTemporary` forces the short-named temporary used where
// unnamed ones are not available. The default value restores normal writing.
struct WriterFaults {
    std::size_t failAfterBytes = static_cast<std::size_t>(-1);
    int error = 0;
    bool namedTemporary = false;
};
void SetWriterFaultsForTesting(const WriterFaults& faults);

}
