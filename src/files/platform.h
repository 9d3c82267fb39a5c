// Large blocks of memory for the long per-step series, taken from and given back to the
// operating system. (Files are written through sim/safe_file.h.)
#pragma once

#include <cstddef>

namespace sim::platform {

// A block of `bytes` (nullptr when out of memory). Blocks of megabytes are mapped from the
// system directly, aligned and advised for huge pages: a run of a million steps takes a few
// hundred page faults, not a hundred thousand, and freeing the block returns its memory to the
// system at once instead of leaving it in the C heap. Freed with FreeBlock and the same size.
void* AllocateBlock(std::size_t bytes);
void FreeBlock(void* block, std::size_t bytes);

}
