// Allocator for the long per-step series: blocks of megabytes are 2 MiB aligned and marked for
// transparent huge pages, so a run of a million steps touches its memory with a few hundred
// page faults instead of a hundred thousand (the faults dominated the computing time).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace sim {

template <typename T> struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

    T* allocate(std::size_t n)
    {
        constexpr std::size_t kHugePage = std::size_t(2) << 20;
        const std::size_t bytes = n * sizeof(T);
        void* p = nullptr;
        if (bytes >= 2 * kHugePage) {
            const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
            p = std::aligned_alloc(kHugePage, rounded);
            if (p)
                madvise(p, rounded, MADV_HUGEPAGE);   // advice only; failure is harmless
        } else {
            p = std::malloc(bytes ? bytes : 1);
        }
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) { std::free(p); }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
};

}
