// The report PNG's deflater on arbitrary rows: the first byte sets the row
// size, the rest are the rows. zlib must inflate the stream to exactly
// those bytes, and naming each row's runs of zeros must not change it.

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "encode/row_deflate.h"

namespace {

std::vector<unsigned char> deflated(const uint8_t* rows, size_t left, size_t row, bool name_zeros) {
  std::vector<unsigned char> out;
  RowDeflate deflate(out);
  std::vector<RowDeflate::Zeros> zeros;
  for (size_t at = 0; at < left; at += row) {
    size_t n = std::min(row, left - at);
    memcpy(deflate.room(n), rows + at, n);
    zeros.clear();
    for (size_t i = 0, j; name_zeros && i < n; i = j + 1) {
      for (j = i; j < n && rows[at + j] == 0;) ++j;
      if (j > i) zeros.push_back({static_cast<uint32_t>(i), static_cast<uint32_t>(j)});
    }
    deflate.add(n, zeros);
  }
  deflate.finish();
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // Rows of 1 to 128 bytes, or of 64 to 8192 (longer than a match).
  size_t row = data[0] < 128 ? size_t{data[0]} + 1 : (size_t{data[0]} - 127) * 64;
  const uint8_t* rows = data + 1;
  size_t left = size - 1;
  std::vector<unsigned char> out = deflated(rows, left, row, false);
  if (deflated(rows, left, row, true) != out) abort();
  std::vector<unsigned char> back(left + 1);
  uLongf back_size = back.size();
  if (uncompress(back.data(), &back_size, out.data(), out.size()) != Z_OK || back_size != left ||
      memcmp(back.data(), rows, left) != 0) {
    abort();
  }
  return 0;
}
