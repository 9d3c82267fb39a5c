// The POSIX side of the platform calls.
#include "sim/platform.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace sim::platform {

namespace {

std::string Reason(int error)
{
    return std::generic_category().message(error);
}

}

NewFile::~NewFile()
{
    if (handle_ >= 0)
        ::close(handle_);
}

bool NewFile::fail()
{
    if (reason_.empty())
        reason_ = Reason(errno);
    return false;
}

NewFile::Created NewFile::create(const std::filesystem::path& path)
{
    // Mode 0666: the process's umask (and a default ACL of the directory) give the file the
    // permissions any new file would get there.
    handle_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle_ >= 0)
        return Created::Yes;
    if (errno == EEXIST)
        return Created::Exists;
    fail();
    return Created::Failed;
}

bool NewFile::write(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(handle_, p, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        p += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

bool NewFile::close()
{
    const int handle = handle_;
    handle_ = -1;
    return ::close(handle) == 0 || fail();
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& reason)
{
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return true;
    reason = Reason(errno);
    return false;
}

void RemoveFile(const std::filesystem::path& path)
{
    ::unlink(path.c_str());
}

void* AllocateBlock(std::size_t bytes)
{
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    if (bytes < 2 * kHugePage)
        return std::malloc(bytes ? bytes : 1);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block)
        madvise(block, rounded, MADV_HUGEPAGE);   // advice only; failure is harmless
    return block;
}

void FreeBlock(void* block)
{
    std::free(block);
}

}
