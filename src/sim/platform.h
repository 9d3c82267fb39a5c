// The few calls the simulation room makes to the operating system, behind a small portable
// interface: creating, writing and replacing a file, and large blocks of memory for the long
// per-step series. Everything else in the room is portable C++.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sim::platform {

// A file being written; reason() gives the system's wording of the first failure (e.g.
// "Permission denied").
class NewFile {
public:
    enum class Created { Yes, Exists, Failed };

    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();   // closes a file still open, ignoring errors

    // Creates `path` for writing unless something of that name exists, with the permissions
    // any new file gets in its directory.
    Created create(const std::filesystem::path& path);
    // Writes all of `bytes`.
    bool write(std::string_view bytes);
    // Closes the file; reports delayed write errors (e.g. a full disk on a network file system).
    bool close();

    const std::string& reason() const { return reason_; }

private:
    bool fail();

    int handle_ = -1;
    std::string reason_;
};

// Puts `from` in place of `to` in one step; on failure `reason` says why.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& reason);
// Removes a file, ignoring failure.
void RemoveFile(const std::filesystem::path& path);

// A block of `bytes` (nullptr when out of memory); blocks of megabytes are aligned and advised
// for huge pages, so a run of a million steps takes a few hundred page faults, not a hundred
// thousand. Freed with FreeBlock.
void* AllocateBlock(std::size_t bytes);
void FreeBlock(void* block);

}
