// The report PNG's deflater on arbitrary rows: the first byte sets the row
// size, the rest are the rows. zlib must inflate the stream to exactly
// those bytes.

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "encode/row_deflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  size_t row = size_t{data[0]} + 1;
  const uint8_t* rows = data + 1;
  size_t left = size - 1;
  std::vector<unsigned char> out;
  RowDeflate deflate(out);
  for (size_t at = 0; at < left; at += row) {
    size_t n = std::min(row, left - at);
    memcpy(deflate.room(n), rows + at, n);
    deflate.add(n);
  }
  deflate.finish();
  std::vector<unsigned char> back(left + 1);
  uLongf back_size = back.size();
  if (uncompress(back.data(), &back_size, out.data(), out.size()) != Z_OK || back_size != left ||
      memcmp(back.data(), rows, left) != 0) {
    abort();
  }
  return 0;
}
