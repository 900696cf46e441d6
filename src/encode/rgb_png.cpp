#include "encode/rgb_png.h"

#include <cstring>

#include "encode/png_chunks.h"

namespace {

constexpr int rgb_bytes = 3;
constexpr int truecolour_type = 2, byte_depth = 8;
constexpr unsigned char filter_none = 0, filter_up = 2;

constexpr uint32_t rgb_mask = 0x00FFFFFF;

// Each byte of p less the same byte of q, modulo 256, without borrows
// between bytes.
uint32_t byte_differences(uint32_t p, uint32_t q) {
  constexpr uint32_t high_bits = 0x80808080;
  return ((p | high_bits) - (q & ~high_bits)) ^ ((p ^ ~q) & high_bits);
}

bool same_colours(const uint32_t* a, const uint32_t* b, int width) {
  uint32_t differ = 0;
  for (int x = 0; x < width; ++x) differ |= (a[x] ^ b[x]) & rgb_mask;
  return differ == 0;
}

// The pixel at x as red, green and blue less those of the pixel above
// (PNG's "up" filter), so that flat areas become zeros; in the low three
// bytes, in file order.
uint32_t filtered_pixel(const uint32_t* pixels, const uint32_t* above, int x) {
  uint32_t d = byte_differences(pixels[x], above == nullptr ? 0 : above[x]);
  return (d >> 16 & 0xFF) | (d & 0xFF00) | (d & 0xFF) << 16;
}

// Four pixels filtered at once into twelve bytes, in three whole stores;
// where they repeat those above (most do), zeros without the arithmetic.
constexpr int pixels_per_block = 4;
constexpr size_t block_bytes = pixels_per_block * rgb_bytes;

void filter_block(const uint32_t* pixels, const uint32_t* above, unsigned char* out) {
  uint32_t packed[rgb_bytes] = {};
  if (above == nullptr || !same_colours(pixels, above, pixels_per_block)) {
    uint32_t p[pixels_per_block];
    for (int k = 0; k < pixels_per_block; ++k) p[k] = filtered_pixel(pixels, above, k);
    packed[0] = p[0] | p[1] << 24;
    packed[1] = p[1] >> 8 | p[2] << 16;
    packed[2] = p[2] >> 16 | p[3] << 8;
  }
  memcpy(out, packed, sizeof packed);
}

// Sixteen pixels that repeat those above but for the unused byte, which
// cairo leaves as it finds it, compared four pixels at a time (a vector
// register's worth on every target the compiler knows).
constexpr int pixels_per_chunk = 16;
using FourPixels = uint32_t __attribute__((vector_size(16)));

bool same_chunk(const uint32_t* a, const uint32_t* b) {
  FourPixels differ{};
  for (int k = 0; k < pixels_per_chunk; k += 4) {
    FourPixels p, q;
    memcpy(&p, a + k, sizeof p);
    memcpy(&q, b + k, sizeof q);
    differ |= p ^ q;
  }
  differ &= rgb_mask;
  uint64_t halves[2];
  memcpy(halves, &differ, sizeof halves);
  return (halves[0] | halves[1]) == 0;
}

// The stretch of zeros from..to of a row, joined to the last if it follows it.
void add_zeros(std::vector<RowDeflate::Zeros>& zeros, size_t from, size_t to) {
  if (!zeros.empty() && zeros.back().to == from) {
    zeros.back().to = static_cast<uint32_t>(to);
  } else {
    zeros.push_back({static_cast<uint32_t>(from), static_cast<uint32_t>(to)});
  }
}

// The filtered row of `width` pixels under `above` (none for the first row)
// at `out`, after its filter byte; the runs of pixels that repeat those
// above, zeros, into `zeros`.
void filter_row(const uint32_t* pixels, const uint32_t* above, int width, unsigned char* out,
                std::vector<RowDeflate::Zeros>& zeros) {
  zeros.clear();
  unsigned char* start = out;
  *out++ = above == nullptr ? filter_none : filter_up;
  if (width == 0) return;
  int x = 0;
  // Most of a row of a picture of lines repeats the one above: zeros,
  // sixteen pixels at a time; the rest four at a time.
  for (; above != nullptr && x + pixels_per_chunk < width; x += pixels_per_chunk) {
    if (same_chunk(pixels + x, above + x)) {
      memset(out, 0, pixels_per_chunk * rgb_bytes);
      size_t at = static_cast<size_t>(out - start);
      add_zeros(zeros, at, at + pixels_per_chunk * rgb_bytes);
      out += pixels_per_chunk * rgb_bytes;
      continue;
    }
    for (int k = 0; k < pixels_per_chunk; k += pixels_per_block, out += block_bytes) {
      filter_block(pixels + x + k, above + x + k, out);
    }
  }
  for (; x + pixels_per_block < width; x += pixels_per_block, out += block_bytes) {
    filter_block(pixels + x, above == nullptr ? nullptr : above + x, out);
  }
  for (; x + 1 < width; ++x, out += rgb_bytes) {
    // Red, green, blue in one store; its fourth byte is overwritten next.
    uint32_t rgb = filtered_pixel(pixels, above, x);
    memcpy(out, &rgb, sizeof rgb);
  }
  // The last stores three: the row ends there.
  uint32_t rgb = filtered_pixel(pixels, above, x);
  memcpy(out, &rgb, rgb_bytes);
}

size_t start_file(std::vector<unsigned char>& out, int width, int height) {
  put_png_start(out, static_cast<uint32_t>(width), static_cast<uint32_t>(height), byte_depth,
                truecolour_type);
  return open_chunk(out, "IDAT");
}

}  // namespace

RgbPngRows::RgbPngRows(std::vector<unsigned char>& out, int width, int height)
    : out_(out),
      width_(width),
      chunk_(start_file(out, width, height)),
      deflate_(out),
      last_row_(std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width))) {}

void RgbPngRows::add(const uint32_t* pixels, int rows) {
  const size_t row_pixels = static_cast<size_t>(width_);
  const size_t row_size = row_pixels * rgb_bytes + 1;
  for (int y = 0; y < rows; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * row_pixels;
    const uint32_t* above = y > 0 ? row - row_pixels : first_row_ ? nullptr : last_row_.get();
    filter_row(row, above, width_, deflate_.room(row_size), zeros_);
    deflate_.add(row_size, zeros_);
    first_row_ = false;
  }
  if (rows > 0) {
    memcpy(last_row_.get(), pixels + static_cast<size_t>(rows - 1) * row_pixels,
           row_pixels * sizeof(uint32_t));
  }
}

void RgbPngRows::finish() {
  deflate_.finish();
  close_chunk(out_, chunk_);
  put_png_end(out_);
}
