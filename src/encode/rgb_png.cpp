#include "encode/rgb_png.h"

#include <png.h>

#include <new>

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

constexpr int deflate_level = 3;

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
