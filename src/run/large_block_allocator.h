// Allocator for the long per-step series: large blocks are mapped from the system (huge pages)
// and given back to it when the series is freed.
#pragma once

#include <cstddef>
#include <new>

#include "files/platform.h"

namespace sim {

template <typename T> struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

    T* allocate(std::size_t n)
    {
        void* p = platform::AllocateBlock(n * sizeof(T));
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) { platform::FreeBlock(p, n * sizeof(T)); }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
};

}
