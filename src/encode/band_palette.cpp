#include "encode/band_palette.h"

#include <algorithm>
#include <new>

namespace {

// libgd's histogram: the top 5, 6 and 5 bits of red, green and blue.
constexpr int red_bits = 5, green_bits = 6, blue_bits = 5;
constexpr size_t cell_count = size_t{1} << (red_bits + green_bits + blue_bits);
// libgd counts each cell in 16 bits and keeps a full one full.
constexpr uint32_t most_counted = 65535;

uint16_t cell_of(uint32_t pixel) {
  uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
  return static_cast<uint16_t>((red >> (8 - red_bits)) << (green_bits + blue_bits) |
                               (green >> (8 - green_bits)) << blue_bits | blue >> (8 - blue_bits));
}

// A colour within the cell, as libgd's true-colour pixel.
int colour_of(size_t cell) {
  int red = static_cast<int>(cell >> (green_bits + blue_bits)) << (8 - red_bits);
  int green = static_cast<int>((cell >> blue_bits) & ((1u << green_bits) - 1)) << (8 - green_bits);
  int blue = static_cast<int>(cell & ((1u << blue_bits) - 1)) << (8 - blue_bits);
  return gdTrueColor(red, green, blue);
}

// libgd's palette and each cell's index in it (for cells that occur),
// from the one row of kept counts. False when memory runs out.
bool reduce_histogram(const std::vector<uint32_t>& counts, Picture& palette,
                      std::vector<unsigned char>& index) {
  size_t kept = 0;
  for (uint32_t n : counts) kept += std::min(n, most_counted);
  Picture row(gdImageCreateTrueColor(static_cast<int>(kept), 1));
  if (row == nullptr) return false;
  std::vector<size_t> first(cell_count);
  size_t x = 0;
  for (size_t cell = 0; cell < cell_count; ++cell) {
    first[cell] = x;
    for (uint32_t k = std::min(counts[cell], most_counted); k > 0; --k) {
      row->tpixels[0][x++] = colour_of(cell);
    }
  }
  if (!gdImageTrueColorToPalette(row.get(), 0, gdMaxColors)) return false;
  index.assign(cell_count, 0);
  for (size_t cell = 0; cell < cell_count; ++cell) {
    if (counts[cell] > 0) index[cell] = row->pixels[0][first[cell]];
  }
  palette = std::move(row);
  return true;
}

}  // namespace

void BandPalette::start(int width, int height) {
  width_ = width, height_ = height;
  counts_.assign(cell_count, 0);
}

void BandPalette::count(const uint32_t* pixels, size_t n) {
  for (size_t i = 0; i < n; ++i) ++counts_[cell_of(pixels[i])];
}

bool BandPalette::choose() {
  try {
    Picture reduced;
    if (!reduce_histogram(counts_, reduced, index_)) return false;
    image_.reset(gdImageCreate(width_, height_));
    if (image_ == nullptr) return false;
    image_->colorsTotal = reduced->colorsTotal;
    for (int i = 0; i < reduced->colorsTotal; ++i) {
      image_->red[i] = reduced->red[i], image_->green[i] = reduced->green[i];
      image_->blue[i] = reduced->blue[i], image_->alpha[i] = reduced->alpha[i];
      image_->open[i] = reduced->open[i];
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void BandPalette::map(const uint32_t* pixels, int top, int rows) {
  for (int y = top; y < top + rows; ++y, pixels += width_) {
    unsigned char* row = image_->pixels[y];
    for (int x = 0; x < width_; ++x) row[x] = index_[cell_of(pixels[x])];
  }
}
