#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "draw/picture.h"

// A true-colour picture reduced to libgd's palette of it (no dithering) from
// its rows handed over a band at a time, so that its true-colour pixels are
// never held whole: the image is the one gdImageTrueColorToPalette makes of
// the whole picture, index for index, in a quarter of the memory.
//
// libgd's quantizer sees a picture only through its histogram of colour
// cells (5 bits of red, 6 of green, 5 of blue, each count held in 16 bits,
// so kept at 65535) and maps each pixel by its cell. One row holding each
// cell's kept count of pixels has the same histogram, hence the same
// palette and the same index for each cell; that row is what libgd reduces.
class BandPalette {
 public:
  // The rows are counted, the palette chosen, then the rows mapped.
  void start(int width, int height);
  int width() const { return width_; }
  // Pixels of 0xXXRRGGBB, counted into the histogram.
  void count(const uint32_t* pixels, size_t n);
  // The palette of every pixel counted, and the palette image it goes
  // into; false when memory runs out.
  bool choose();
  // Rows top to top + rows - 1, `width` pixels each, into the image.
  void map(const uint32_t* pixels, int top, int rows);
  // The palette image of every row mapped.
  Picture take() { return std::move(image_); }

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> counts_;      // pixels in each cell
  std::vector<unsigned char> index_;  // each cell's palette index
  Picture image_;
};
