#include "encode/png_chunks.h"

#include <libdeflate.h>
#include <zlib.h>

#include <memory>
#include <new>

#include "core/run_together.h"

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

namespace {

// A zlib stream's first two bytes: deflate with a 32 KiB window, the
// fastest level, their sum a multiple of 31 as the format asks.
constexpr unsigned char zlib_header[] = {0x78, 0x01};
constexpr int zlib_level = 1;  // as fast as libdeflate's fastest here
constexpr int raw_window_bits = -15, memory_level = 8;
constexpr size_t sync_flush_bytes = 16;  // the empty block ending a part, and slack

// `data` deflated by zlib into `part`, ended on a byte boundary (a sync
// flush) with the stream left open for what follows; false on a failure.
bool deflate_open(const unsigned char* data, size_t size, std::vector<unsigned char>& part) {
  z_stream z{};
  if (deflateInit2(&z, zlib_level, Z_DEFLATED, raw_window_bits, memory_level, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return false;
  }
  part.resize(deflateBound(&z, size) + sync_flush_bytes);
  z.next_in = const_cast<unsigned char*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = part.data();
  z.avail_out = static_cast<uInt>(part.size());
  int status = deflate(&z, Z_SYNC_FLUSH);
  bool whole = status == Z_OK && z.avail_in == 0 && z.avail_out > 0;
  part.resize(part.size() - z.avail_out);
  deflateEnd(&z);
  return whole;
}

// `data` deflated by libdeflate into `part` as the stream's last blocks.
bool deflate_closing(const unsigned char* data, size_t size, int level,
                     std::vector<unsigned char>& part) {
  std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(level));
  if (!compressor) return false;
  part.resize(libdeflate_deflate_compress_bound(compressor.get(), size));
  size_t written =
      libdeflate_deflate_compress(compressor.get(), data, size, part.data(), part.size());
  part.resize(written);
  return written > 0;
}

}  // namespace

bool put_deflated_halves(const unsigned char* rows, size_t size, size_t half, int level,
                         std::vector<unsigned char>& out) {
  std::vector<unsigned char> first, second;
  bool first_done = false, second_done = false;
  uint32_t first_sum = 0, second_sum = 0;
  run_together(
      [&] {
        first_done = deflate_open(rows, half, first);
        first_sum = libdeflate_adler32(1, rows, half);
      },
      [&] {
        second_done = deflate_closing(rows + half, size - half, level, second);
        second_sum = libdeflate_adler32(1, rows + half, size - half);
      });
  if (!first_done || !second_done) return false;
  size_t chunk = open_chunk(out, "IDAT");
  out.insert(out.end(), std::begin(zlib_header), std::end(zlib_header));
  out.insert(out.end(), first.begin(), first.end());
  out.insert(out.end(), second.begin(), second.end());
  put_u32(out, static_cast<uint32_t>(
                   adler32_combine(first_sum, second_sum, static_cast<z_off_t>(size - half))));
  close_chunk(out, chunk);
  return true;
}

void put_png_end(std::vector<unsigned char>& out) {
  close_chunk(out, open_chunk(out, "IEND"));
}
