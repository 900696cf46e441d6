#pragma once

// The parts of a PNG file built whole in memory: chunks with their length
// and CRC, and the pixels deflated at once by libdeflate.

#include <cstddef>
#include <cstdint>
#include <vector>

// The signature and the header chunk (deflate, adaptive filters, not
// interlaced).
void put_png_start(std::vector<unsigned char>& out, uint32_t width, uint32_t height, int depth,
                   int color_type);

void put_u32(std::vector<unsigned char>& out, uint32_t v);

// Starts a chunk of `type`: its data follows, then close_chunk with the
// returned start.
size_t open_chunk(std::vector<unsigned char>& out, const char type[5]);
void close_chunk(std::vector<unsigned char>& out, size_t start);

// The filtered rows deflated into one IDAT chunk at libdeflate's `level`;
// false when memory runs out.
bool put_deflated_rows(const unsigned char* rows, size_t size, int level,
                       std::vector<unsigned char>& out);

void put_png_end(std::vector<unsigned char>& out);
