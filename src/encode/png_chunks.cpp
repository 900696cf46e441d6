#include "encode/png_chunks.h"

#include <libdeflate.h>

#include <memory>
#include <new>

namespace {

struct CompressorFree {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void put_u32_at(unsigned char* at, uint32_t v) {
  for (int k = 0; k < 4; ++k) at[k] = static_cast<unsigned char>(v >> (24 - 8 * k));
}

}  // namespace

void put_u32(std::vector<unsigned char>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(v >> shift));
}

size_t open_chunk(std::vector<unsigned char>& out, const char type[5]) {
  size_t start = out.size();
  put_u32(out, 0);
  out.insert(out.end(), type, type + 4);
  return start;
}

// The type and data already stand at `start` (after room for the length):
// the length before them, the CRC after.
void close_chunk(std::vector<unsigned char>& out, size_t start) {
  size_t data = out.size() - start - 8;
  put_u32_at(out.data() + start, static_cast<uint32_t>(data));
  put_u32(out, libdeflate_crc32(0, out.data() + start + 4, data + 4));
}

void put_png_start(std::vector<unsigned char>& out, uint32_t width, uint32_t height, int depth,
                   int color_type) {
  static constexpr unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.insert(out.end(), signature, signature + sizeof signature);
  size_t chunk = open_chunk(out, "IHDR");
  put_u32(out, width);
  put_u32(out, height);
  // Deflate, adaptive filters, not interlaced.
  for (int b : {depth, color_type, 0, 0, 0}) out.push_back(static_cast<unsigned char>(b));
  close_chunk(out, chunk);
}

bool put_deflated_rows(const unsigned char* rows, size_t size, int level,
                       std::vector<unsigned char>& out) {
  std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(level));
  if (!compressor) return false;
  size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size);
  auto deflated = std::make_unique_for_overwrite<unsigned char[]>(bound);
  size_t written = libdeflate_zlib_compress(compressor.get(), rows, size, deflated.get(), bound);
  if (written == 0) return false;
  size_t chunk = open_chunk(out, "IDAT");
  out.insert(out.end(), deflated.get(), deflated.get() + written);
  close_chunk(out, chunk);
  return true;
}

void put_png_end(std::vector<unsigned char>& out) {
  close_chunk(out, open_chunk(out, "IEND"));
}
