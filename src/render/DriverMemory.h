#pragma once

#include <cstddef>

// Software GL (Mesa's llvmpipe) allocates and frees large buffers for
// nearly every draw. With the C library's defaults, freed memory at the top
// of the heap goes back to the system and blocks above 128 KB are fresh
// mappings, so every frame pays again for page faults and zeroing: on the
// 2-core machines this was measured on, about a third of a frame of 1000
// objects. Keeping that memory mapped (the process keeps its peak heap)
// removes the cost. Call once at the start of the program, before the first
// context is made; it does nothing where the C library is not glibc.
void KeepLargeAllocationsInHeap();

// The C library's usual settings again (to measure the difference in one
// process).
void RestoreDefaultAllocation();

// What the C library's allocator holds, over all its arenas, in bytes.
struct HeapUse {
  size_t fromSystem = 0;  // heap obtained from the system (not counting mapped blocks)
  size_t inUse = 0;       // handed out and not yet freed
  size_t free = 0;        // held but free (fromSystem - inUse)
  size_t mapped = 0;      // blocks mapped on their own
  size_t topFree = 0;     // free at the main heap's top (what a trim could give back)
};
// False where the C library cannot tell (not glibc).
bool ReadHeapUse(HeapUse* out);
