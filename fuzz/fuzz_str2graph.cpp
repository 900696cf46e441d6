// Point extraction on arbitrary file bytes, cut at Ctrl-Z and NUL as the
// reader cuts them.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "input/file_text.h"
#include "input/str2graph.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char* copy = static_cast<char*>(malloc(size + 1));
  memcpy(copy, data, size);
  size_t n = size;
  if (const void* z = memchr(copy, 0x1A, n)) n = static_cast<const char*>(z) - copy;
  if (const void* z = memchr(copy, 0, n)) n = static_cast<const char*>(z) - copy;
  FileText text;
  text.adopt_buffer(copy, n);
  PointList points;
  str2graph(std::move(text), points);
  return 0;
}
