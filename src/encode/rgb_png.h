#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "encode/row_deflate.h"

// Encodes width x height pixels of 0xXXRRGGBB (row after row, the top byte
// unused) as an 8-bit RGB PNG, appended to `out`, a band of rows at a time,
// top to bottom, so that the whole picture need never be held: each band's
// rows go as they come, and the last is kept for the filter of the next
// band's first. Anti-aliased pictures of lines are mostly flat: after the
// "up" filter their rows are runs, which a deflater made for them
// (row_deflate.h) takes a row at a time. Out of memory shows as
// std::bad_alloc from any of them.
class RgbPngRows {
 public:
  RgbPngRows(std::vector<unsigned char>& out, int width, int height);
  RgbPngRows(const RgbPngRows&) = delete;
  RgbPngRows& operator=(const RgbPngRows&) = delete;

  // The next `rows` rows of the picture, row after row.
  void add(const uint32_t* pixels, int rows);
  // Ends the file; all its rows must have been added.
  void finish();

 private:
  std::vector<unsigned char>& out_;
  int width_;
  size_t chunk_;
  RowDeflate deflate_;
  std::unique_ptr<uint32_t[]> last_row_;
  std::vector<RowDeflate::Zeros> zeros_;  // a row's, kept for the next
  bool first_row_ = true;
};
