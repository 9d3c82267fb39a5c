// Allocator for the long per-step series: large blocks come from the platform's huge pages.
#pragma once

#include <cstddef>
#include <new>

#include "sim/platform.h"

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
    void deallocate(T* p, std::size_t) { platform::FreeBlock(p); }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const { return true; }
};

}
