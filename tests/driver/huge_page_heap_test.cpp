#include "driver/huge_page_heap.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The range and advice the heap asked for, instead of the kernel's answer,
// which depends on the machine's settings.
struct Advice {
  uintptr_t start = 0;
  size_t length = 0;
  int advice = -1;
  int calls = 0;
};
Advice recorded;

int record(void* start, size_t length, int advice) {
  recorded = {reinterpret_cast<uintptr_t>(start), length, advice, recorded.calls + 1};
  return 0;
}

constexpr uintptr_t huge_page = uintptr_t{2} << 20;

// A picture's blocks, pixels and encoder tables alike, come from the range
// advised for huge pages, up to the end of the huge part, also where the
// heap's free top already held the gap before it (a heap grown and freed,
// as a batch worker's is).
TEST(HugePageHeap, PictureBlocksLandInTheAdvisedRange) {
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);  // what is freed stays the heap's
  void* grown = malloc(3 << 20);
  asm volatile("" : : "r"(grown) : "memory");  // not a pair the compiler may drop
  free(grown);
  void* gap = start_heap_on_huge_pages(record);
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_EQ(nullptr, gap);  // the sanitizer keeps a heap of its own
  EXPECT_EQ(0, recorded.calls);
#else
  ASSERT_EQ(1, recorded.calls);
  EXPECT_EQ(MADV_HUGEPAGE, recorded.advice);
  EXPECT_EQ(0u, recorded.start % huge_page);
  EXPECT_EQ(0u, recorded.length % huge_page);
  for (size_t size : {size_t{800}, size_t{480000}, size_t{7} << 19}) {
    auto* block = static_cast<char*>(malloc(size));
    auto first = reinterpret_cast<uintptr_t>(block);
    EXPECT_LE(recorded.start, first) << size;
    EXPECT_LT(first + size - 1, recorded.start + recorded.length) << size << ", its end";
    free(block);
  }
#endif
  free(gap);
}

}  // namespace
