#include "encode/rgb_png.h"

#include <png.h>

#include <cstring>
#include <memory>
#include <new>

#include "encode/png_chunks.h"

namespace {

void append(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  try {
    out->insert(out->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");
  }
}

void flush(png_structp) {}

constexpr int deflate_level = 3;  // zlib's, for pictures libpng streams
// libdeflate's level for pictures held whole: its fastest on report
// pictures (level 1 is slower on their long runs of zeros), and a file a
// sixth smaller than zlib's level 3.
constexpr int whole_deflate_level = 2;
// The filtered rows are held whole up to this size (an 1800x1800 picture);
// larger pictures are streamed by libpng.
constexpr size_t most_filtered_bytes = size_t{10} << 20;
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
// (PNG's "up" filter, the one libpng is told to use below), so that flat
// areas become zeros; in the low three bytes, in file order.
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

// The filtered row of `width` pixels under `above` (none for the first row)
// at `out`, after its filter byte.
void filter_row(const uint32_t* pixels, const uint32_t* above, int width, unsigned char* out) {
  *out++ = above == nullptr ? filter_none : filter_up;
  if (width == 0) return;
  // Most rows of a picture of lines repeat the one above but for the
  // unused byte, which cairo leaves as it finds it.
  if (above != nullptr && same_colours(pixels, above, width)) {
    memset(out, 0, static_cast<size_t>(width) * rgb_bytes);
    return;
  }
  int x = 0;
  for (; x + pixels_per_block < width; x += pixels_per_block, out += block_bytes) {
    filter_block(pixels + x, above == nullptr ? nullptr : above + x, out);
  }
  for (; x + 1 < width; ++x, out += rgb_bytes) {
    // Red, green, blue in one store; its fourth byte is overwritten next.
    uint32_t rgb = filtered_pixel(pixels, above, x);
    memcpy(out, &rgb, sizeof rgb);
  }
  // The last stores three: the next row may be another thread's.
  uint32_t rgb = filtered_pixel(pixels, above, x);
  memcpy(out, &rgb, rgb_bytes);
}

// Rows [first, end) of the picture filtered into their place in `rows`.
void filter_rows(const uint32_t* pixels, int width, int first, int end, unsigned char* rows) {
  const size_t row_pixels = static_cast<size_t>(width);
  const size_t row_size = row_pixels * rgb_bytes + 1;
  for (int y = first; y < end; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * row_pixels;
    filter_row(row, y == 0 ? nullptr : row - row_pixels, width,
               rows + static_cast<size_t>(y) * row_size);
  }
}

// The whole PNG from rows filtered in memory, deflated at once by
// libdeflate; false when memory runs out.
bool encode_whole(const uint32_t* pixels, int width, int height, size_t size,
                  std::vector<unsigned char>& out) {
  auto rows = std::make_unique_for_overwrite<unsigned char[]>(size);
  size_t start = out.size();
  put_png_start(out, static_cast<uint32_t>(width), static_cast<uint32_t>(height), byte_depth,
                truecolour_type);
  // Halves at a row, each filtered and deflated on a thread of its own.
  int half_rows = height / 2;
  size_t half = (size / static_cast<size_t>(height)) * static_cast<size_t>(half_rows);
  auto fill = [&](int part) {
    filter_rows(pixels, width, part == 0 ? 0 : half_rows, part == 0 ? half_rows : height,
                rows.get());
  };
  if (!put_deflated_halves(rows.get(), size, half, whole_deflate_level, fill, out)) {
    out.resize(start);
    return false;
  }
  put_png_end(out);
  return true;
}

// libpng reports failures by longjmp: nothing here has a destructor.
int write_rows(png_structp png, png_infop info, const uint32_t* pixels, int width, int height) {
  if (setjmp(png_jmpbuf(png))) return -1;
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_level(png, deflate_level);
  png_write_info(png, info);
  // In memory each pixel reads B, G, R, unused on this little-endian machine.
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
    png_write_row(png, reinterpret_cast<png_const_bytep>(row));
  }
  png_write_end(png, info);
  return 0;
}

}  // namespace

int encode_rgb_png(const uint32_t* pixels, int width, int height, std::vector<unsigned char>& out) {
  size_t size = (static_cast<size_t>(width) * rgb_bytes + 1) * static_cast<size_t>(height);
  if (size <= most_filtered_bytes) {
    try {
      return encode_whole(pixels, width, height, size, out) ? 0 : -1;
    } catch (const std::bad_alloc&) {
      return -1;
    }
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return -1;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return -1;
  }
  png_set_write_fn(png, &out, append, flush);
  int result = write_rows(png, info, pixels, width, height);
  png_destroy_write_struct(&png, &info);
  return result;
}
