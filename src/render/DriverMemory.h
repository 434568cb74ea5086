#pragma once

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
