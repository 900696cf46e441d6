#include "driver/huge_page_heap.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Whether the kernel may back the mapping holding `address` with huge pages.
bool huge_page_eligible(const void* address) {
  auto at = reinterpret_cast<uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    uintptr_t start = 0, end = 0;
    char dash = 0;
    std::istringstream range(line);
    if (range >> std::hex >> start >> dash >> end && dash == '-') {
      inside = start <= at && at < end;
    } else if (inside && line.rfind("THPeligible:", 0) == 0) {
      return line.find('1') != std::string::npos;
    }
  }
  return false;
}

// A picture's blocks, pixels and encoder tables alike, come from heap the
// kernel may fill a huge page at a time, up to the end of the huge part,
// also where the heap's free top already held the gap before it (a heap
// grown and freed, as a batch worker's is).
TEST(HugePageHeap, PictureBlocksLandOnHugePages) {
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);  // what is freed stays the heap's
  void* grown = malloc(3 << 20);
  asm volatile("" : : "r"(grown) : "memory");  // not a pair the compiler may drop
  free(grown);
  void* gap = start_heap_on_huge_pages();
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_EQ(nullptr, gap);  // the sanitizer keeps a heap of its own
#else
  for (size_t size : {size_t{800}, size_t{480000}, size_t{7} << 19}) {
    auto* block = static_cast<char*>(malloc(size));
    EXPECT_TRUE(huge_page_eligible(block)) << size;
    EXPECT_TRUE(huge_page_eligible(block + size - 1)) << size << ", its end";
    free(block);
  }
#endif
  free(gap);
}

}  // namespace
