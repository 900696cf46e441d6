#include "driver/huge_page_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

void* start_heap_on_huge_pages(AdviseMemory advise) {
#if defined(__SANITIZE_ADDRESS__)
  (void)advise;
  return nullptr;
#else
  constexpr uintptr_t huge_page = uintptr_t{2} << 20;
  constexpr size_t huge_part = 2 * huge_page;  // pixels, encoder and input of a large picture
  constexpr uintptr_t chunk_header = 32;       // what malloc adds to a block, rounded up
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_TOP_PAD, huge_part);  // the gap's growth takes the huge part along
  // The free top of the heap starts where its break ends less what is left.
  uintptr_t top = reinterpret_cast<uintptr_t>(sbrk(0)) - mallinfo2().keepcost;
  uintptr_t boundary = (top + huge_page - 1) & ~(huge_page - 1);
  if (boundary - top < 2 * chunk_header) boundary += huge_page;
  void* gap = malloc(boundary - top - chunk_header);
  // Where the free top already held the gap, the heap may end short of the
  // huge part, and pages it grows by later are not advised: a block over
  // the part, freed at once, makes the heap reach past it (the trim
  // threshold keeps it there).
  void* reach = malloc(huge_part);
  asm volatile("" : : "r"(reach) : "memory");  // not a pair the compiler may drop
  free(reach);
  advise(reinterpret_cast<void*>(boundary), huge_part, MADV_HUGEPAGE);
  return gap;
#endif
}

void* start_heap_on_huge_pages() {
  return start_heap_on_huge_pages(madvise);
}
