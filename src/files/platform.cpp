// The POSIX side of the large blocks: anonymous mappings for blocks of megabytes, the C heap
// for small ones.
#include "files/platform.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace sim::platform {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

bool IsLarge(std::size_t bytes)
{
    return bytes >= 2 * kHugePage;
}

std::size_t Rounded(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}

void* AllocateBlock(std::size_t bytes)
{
    if (!IsLarge(bytes))
        return std::malloc(bytes ? bytes : 1);
    // Map one huge page more than needed and cut off the ends so the block starts on one.
    const std::size_t size = Rounded(bytes);
    void* mapped =
        mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const std::size_t tail = kHugePage - (aligned - start); tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* block = reinterpret_cast<void*>(aligned);
    madvise(block, size, MADV_HUGEPAGE);   // advice only; failure is harmless
    return block;
}

void FreeBlock(void* block, std::size_t bytes)
{
    if (!block)
        return;
    if (IsLarge(bytes))
        munmap(block, Rounded(bytes));
    else
        std::free(block);
}

}
