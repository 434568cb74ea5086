#include "render/DriverMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Blocks up to this size come from the heap (the largest glibc accepts on
// 64-bit systems).
constexpr int kHeapBlockLimit = 32 << 20;
// Free memory at the heap's top is kept up to this much; the heap grows in
// steps of this much.
constexpr int kKeptTop = 1 << 30;
constexpr int kGrowthStep = 64 << 20;
// glibc's own starting values.
constexpr int kDefaultThreshold = 128 << 10;

}  // namespace

void KeepLargeAllocationsInHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kHeapBlockLimit);
  mallopt(M_TRIM_THRESHOLD, kKeptTop);
  mallopt(M_TOP_PAD, kGrowthStep);
#endif
}

void RestoreDefaultAllocation() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kDefaultThreshold);
  mallopt(M_TRIM_THRESHOLD, kDefaultThreshold);
  mallopt(M_TOP_PAD, kDefaultThreshold);
#endif
}

bool ReadHeapUse(HeapUse* out) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
  const struct mallinfo2 m = mallinfo2();
  out->fromSystem = m.arena;
  out->inUse = m.uordblks;
  out->free = m.fordblks;
  out->mapped = m.hblkhd;
  out->topFree = m.keepcost;
  return true;
#else
  (void)out;
  return false;
#endif
}
