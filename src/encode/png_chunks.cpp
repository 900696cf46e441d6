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

struct DeflateEnd {
  void operator()(z_stream* z) const { deflateEnd(z); }
};

// `data` deflated by the open zlib stream into the `room` bytes at `part`,
// ended on a byte boundary (a sync flush) with the stream left open for
// what follows; `written` bytes. False when the room is too small.
bool deflate_open(z_stream& z, const unsigned char* data, size_t size, unsigned char* part,
                  size_t room, size_t& written) {
  z.next_in = const_cast<unsigned char*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = part;
  z.avail_out = static_cast<uInt>(room);
  int status = deflate(&z, Z_SYNC_FLUSH);
  written = room - z.avail_out;
  return status == Z_OK && z.avail_in == 0 && z.avail_out > 0;
}

}  // namespace

// Every buffer is taken here, before the second thread starts, and left
// untouched but for what is written: each page touched costs a fault.
bool put_deflated_halves(const unsigned char* rows, size_t size, size_t half, int level,
                         const FillPart& fill, std::vector<unsigned char>& out) {
  z_stream z{};
  if (deflateInit2(&z, zlib_level, Z_DEFLATED, raw_window_bits, memory_level, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return false;
  }
  std::unique_ptr<z_stream, DeflateEnd> opened(&z);
  std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(level));
  if (!compressor) return false;
  size_t first_room = deflateBound(&z, half) + sync_flush_bytes;
  size_t second_room = libdeflate_deflate_compress_bound(compressor.get(), size - half);
  auto first = std::make_unique_for_overwrite<unsigned char[]>(first_room);
  auto second = std::make_unique_for_overwrite<unsigned char[]>(second_room);
  bool first_done = false;
  size_t first_size = 0, second_size = 0;
  uint32_t first_sum = 0, second_sum = 0;
  run_together(
      [&] {
        fill(0);
        first_done = deflate_open(z, rows, half, first.get(), first_room, first_size);
        first_sum = libdeflate_adler32(1, rows, half);
      },
      [&] {
        fill(1);
        second_size = libdeflate_deflate_compress(compressor.get(), rows + half, size - half,
                                                  second.get(), second_room);
        second_sum = libdeflate_adler32(1, rows + half, size - half);
      });
  if (!first_done || second_size == 0) return false;
  size_t chunk = open_chunk(out, "IDAT");
  out.insert(out.end(), std::begin(zlib_header), std::end(zlib_header));
  out.insert(out.end(), first.get(), first.get() + first_size);
  out.insert(out.end(), second.get(), second.get() + second_size);
  put_u32(out, static_cast<uint32_t>(
                   adler32_combine(first_sum, second_sum, static_cast<z_off_t>(size - half))));
  close_chunk(out, chunk);
  return true;
}

void put_png_end(std::vector<unsigned char>& out) {
  close_chunk(out, open_chunk(out, "IEND"));
}
