#include "driver/huge_page_heap.h"

#include <gtest/gtest.h>

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
// kernel may fill a huge page at a time.
TEST(HugePageHeap, PictureBlocksLandOnHugePages) {
  void* gap = start_heap_on_huge_pages();
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_EQ(nullptr, gap);  // the sanitizer keeps a heap of its own
#else
  for (size_t size : {size_t{800}, size_t{480000}, size_t{1} << 20}) {
    void* block = malloc(size);
    EXPECT_TRUE(huge_page_eligible(block)) << size;
    free(block);
  }
#endif
  free(gap);
}

}  // namespace
