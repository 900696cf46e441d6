#pragma once

#include <array>
#include <cstdint>

// A font's glyphs as row bit masks, `H` rows per glyph from the top; the
// highest of the W low bits of a row is its leftmost pixel.
template <int N, int H>
using GlyphRows = std::array<std::array<uint16_t, H>, N>;

// Expands row masks into the one-byte-per-pixel layout of a gdFont record.
template <int N, int W, int H>
constexpr std::array<char, N * W * H> expand_glyphs(const GlyphRows<N, H>& rows) {
  std::array<char, N * W * H> pixels{};
  for (int g = 0; g < N; ++g) {
    for (int r = 0; r < H; ++r) {
      for (int c = 0; c < W; ++c) {
        pixels[(g * H + r) * W + c] = static_cast<char>((rows[g][r] >> (W - 1 - c)) & 1);
      }
    }
  }
  return pixels;
}
