#include "encode/palette_png.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "encode/png_chunks.h"

namespace {

// libdeflate's level 6 takes half the time of zlib's default level on
// pictures of lines, for files within a few percent of its size.
constexpr int deflate_level = 6;
// The filtered rows and their compressed bytes are each held whole; larger
// images go to libgd, which streams them.
constexpr size_t most_filtered_bytes = size_t{32} << 20;

// libgd's bit depth: the fewest bits that index every colour.
int bit_depth(int colors) {
  return colors <= 2 ? 1 : colors <= 4 ? 2 : colors <= 16 ? 4 : 8;
}

bool takes(gdImagePtr im) {
  if (im->trueColor || im->interlace || im->transparent >= 0 || im->sx <= 0 || im->sy <= 0 ||
      im->colorsTotal <= 0) {
    return false;
  }
  for (int i = 0; i < im->colorsTotal; ++i) {
    if (im->open[i] || im->alpha[i] != gdAlphaOpaque) return false;
  }
  return true;
}

// A row of one byte per pixel packed as libpng packs it: the first pixel
// in the high bits, 1-bit pixels set by any non-zero value.
void pack_row(const unsigned char* pixels, int width, int depth, unsigned char* out) {
  if (depth == 8) {
    memcpy(out, pixels, static_cast<size_t>(width));
    return;
  }
  const int per_byte = 8 / depth;
  const unsigned mask = (1u << depth) - 1;
  for (int x = 0; x < width; x += per_byte) {
    unsigned byte = 0;
    for (int k = 0; k < per_byte; ++k) {
      unsigned v = x + k < width ? pixels[x + k] : 0;
      byte = byte << depth | (depth == 1 ? v != 0 : v & mask);
    }
    *out++ = static_cast<unsigned char>(byte);
  }
}

// Each row after the first as its difference from the row above (PNG's
// "up" filter): rows that repeat the one above become zeros.
std::unique_ptr<unsigned char[]> filtered_rows(gdImagePtr im, int depth, size_t row_bytes) {
  const size_t line = row_bytes + 1;
  auto rows = std::make_unique_for_overwrite<unsigned char[]>(line * im->sy);
  auto above = std::make_unique_for_overwrite<unsigned char[]>(row_bytes);
  for (int y = 0; y < im->sy; ++y) {
    unsigned char* out = rows.get() + line * y;
    pack_row(im->pixels[y], im->sx, depth, out + 1);
    if (y == 0) {
      out[0] = 0;  // none: there is no row above
      memcpy(above.get(), out + 1, row_bytes);
      continue;
    }
    out[0] = 2;
    for (size_t k = 0; k < row_bytes; ++k) {
      unsigned char packed = out[1 + k];
      out[1 + k] = static_cast<unsigned char>(packed - above[k]);
      above[k] = packed;
    }
  }
  return rows;
}

// libgd's resolution in dots per metre, rounded as it rounds it.
uint32_t dots_per_metre(unsigned dpi) {
  return static_cast<uint32_t>(dpi / 0.0254 + 0.5);
}

void write_header(gdImagePtr im, int depth, std::vector<unsigned char>& out) {
  constexpr int palette_colour_type = 3;
  put_png_start(out, static_cast<uint32_t>(im->sx), static_cast<uint32_t>(im->sy), depth,
                palette_colour_type);
  size_t chunk = open_chunk(out, "PLTE");
  for (int i = 0; i < im->colorsTotal; ++i) {
    for (int c : {im->red[i], im->green[i], im->blue[i]})
      out.push_back(static_cast<unsigned char>(c));
  }
  close_chunk(out, chunk);
  chunk = open_chunk(out, "pHYs");
  put_u32(out, dots_per_metre(im->res_x));
  put_u32(out, dots_per_metre(im->res_y));
  out.push_back(1);  // per metre
  close_chunk(out, chunk);
}

}  // namespace

bool encode_palette_png(gdImagePtr im, std::vector<unsigned char>& out) {
  out.clear();
  if (!takes(im)) return false;
  int depth = bit_depth(im->colorsTotal);
  size_t row_bytes = (static_cast<size_t>(im->sx) * depth + 7) / 8;
  size_t size = (row_bytes + 1) * static_cast<size_t>(im->sy);
  if (size > most_filtered_bytes) return false;
  auto rows = filtered_rows(im, depth, row_bytes);
  write_header(im, depth, out);
  if (!put_deflated_rows(rows.get(), size, deflate_level, out)) {
    out.clear();
    return false;
  }
  put_png_end(out);
  return true;
}
