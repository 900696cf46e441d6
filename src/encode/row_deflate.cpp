#include "encode/row_deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "encode/huffman_lengths.h"

namespace {

// A zlib stream's first two bytes: deflate with a 32 KiB window, made by
// the fastest method, their sum a multiple of 31 as the format asks.
constexpr unsigned char zlib_header[] = {0x78, 0x01};

constexpr size_t lookback = 3;  // one pixel back: the farthest a match looks
constexpr size_t shortest_match = 3, longest_match = 258;
constexpr int litlen_symbols = 286, dist_symbols = 30, length_symbols = 29;
constexpr int end_of_block = 256, first_length_symbol = 257;
constexpr int longest_code = 15, longest_length_code = 7;
constexpr int dynamic_block = 2;
constexpr uint32_t adler_base = 65521;  // the checksum's modulus

// Token layout: the literal/length symbol, a length's extra bits, the
// distance symbol.
constexpr int extra_shift = 9, dist_shift = 16;
constexpr uint32_t symbol_mask = (1u << extra_shift) - 1;

constexpr std::array<uint16_t, length_symbols> length_base = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, length_symbols> length_extra = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

// Each match length's symbol, less the first.
constexpr auto length_index = [] {
  std::array<uint8_t, longest_match + 1> index{};
  int s = 0;
  for (size_t length = shortest_match; length <= longest_match; ++length) {
    while (s + 1 < length_symbols && length_base[static_cast<size_t>(s) + 1] <= length) ++s;
    index[length] = static_cast<uint8_t>(s);
  }
  return index;
}();

// The order in which a block's header gives the code-length code's lengths.
constexpr uint8_t length_code_order[] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
constexpr int repeat_previous = 16, repeat_zero = 17, repeat_zero_long = 18;

// A block's bits at most: the header's fields and lengths, then per token
// a code, five extra bits and a distance code, the end code, and a store's
// slack.
constexpr size_t header_bits = 17 + 19 * 3 + (litlen_symbols + dist_symbols) * 14;
constexpr size_t block_bound = (header_bits + (RowDeflate::block_tokens + 1) * 35) / 8 + 16;

uint64_t load64(const unsigned char* at) {
  uint64_t v;
  memcpy(&v, at, sizeof v);
  return v;
}

// How many of the `most` bytes at `at` repeat those `back` bytes before
// them, compared eight at a time.
size_t match_length(const unsigned char* at, size_t back, size_t most) {
  const unsigned char* from = at - back;
  size_t n = 0;
  // Runs of zeros (rows that repeat the one above) are most of a picture:
  // 32 bytes at a time first.
  for (; n + 32 <= most; n += 32) {
    uint64_t differ = 0;
    for (size_t k = 0; k < 32; k += 8) differ |= load64(at + n + k) ^ load64(from + n + k);
    if (differ != 0) break;
  }
  for (; n + 8 <= most; n += 8) {
    uint64_t differ = load64(at + n) ^ load64(from + n);
    if (differ != 0) return n + static_cast<size_t>(__builtin_ctzll(differ)) / 8;
  }
  while (n < most && at[n] == from[n]) ++n;
  return n;
}

// Bit k set where byte k of a equals byte k of b.
unsigned equal_bytes(uint64_t a, uint64_t b) {
  constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
  uint64_t x = a ^ b;
  // The high bit of each byte set where that byte of x is zero, exactly
  // (no borrow runs between bytes).
  uint64_t zero = ~(((x & low7) + low7) | x | low7);
  // The eight high bits gathered into one byte, byte 0 the lowest bit.
  return static_cast<unsigned>(((zero >> 7) * 0x0102040810204080ULL) >> 56);
}

// Bits 0 to 15 set where byte at[k] repeats the one `back` bytes before.
unsigned repeats(const unsigned char* at, size_t back) {
  return equal_bytes(load64(at), load64(at - back)) |
         equal_bytes(load64(at + 8), load64(at + 8 - back)) << 8;
}

// Of the eight places at..at+7, bit k set where a match of the shortest
// length can start, one byte or one pixel back; reads at[-3] to at[15].
unsigned match_starts(const unsigned char* at) {
  unsigned one = repeats(at, 1), pixel = repeats(at, lookback);
  return (one & one >> 1 & one >> 2) | (pixel & pixel >> 1 & pixel >> 2);
}

uint32_t match_token(size_t length, size_t back) {
  uint32_t s = length_index[length];
  return (first_length_symbol + s) | static_cast<uint32_t>(length - length_base[s]) << extra_shift |
         static_cast<uint32_t>(back - 1) << dist_shift;
}

// The code lengths of both codes, run-length coded as a block's header
// carries them: each entry a code-length symbol and its extra bits' value.
struct LengthRuns {
  uint16_t symbol[litlen_symbols + dist_symbols];
  uint8_t extra[litlen_symbols + dist_symbols];
  int count = 0;
  uint32_t freq[19] = {};

  void put(int s, int value) {
    symbol[count] = static_cast<uint16_t>(s);
    extra[count++] = static_cast<uint8_t>(value);
    ++freq[s];
  }

  void code(const uint8_t* lengths, int n) {
    for (int i = 0; i < n;) {
      int length = lengths[i], run = 1;
      while (i + run < n && lengths[i + run] == length) ++run;
      i += run;
      if (length == 0) {
        for (; run >= 11; run -= std::min(run, 138)) put(repeat_zero_long, std::min(run, 138) - 11);
        if (run >= 3) put(repeat_zero, run - 3), run = 0;
      } else {
        put(length, 0), --run;
        for (; run >= 3; run -= std::min(run, 6)) put(repeat_previous, std::min(run, 6) - 3);
      }
      for (; run > 0; --run) put(length, 0);
    }
  }
};

constexpr int repeat_extra_bits(int s) {
  return s == repeat_previous ? 2 : s == repeat_zero ? 3 : s == repeat_zero_long ? 7 : 0;
}

// Bits go out first-bit-first into bytes reserved beforehand. The bits
// not yet whole bytes are held here, not in the stream's object, which
// the byte stores could alias: a block's puts stay in registers.
struct BitSink {
  uint64_t bits;
  int count;
  unsigned char* at;

  void put(uint32_t value, int n) {
    bits |= static_cast<uint64_t>(value) << count;
    count += n;
    if (count >= 32) {
      for (int k = 0; k < 4; ++k) *at++ = static_cast<unsigned char>(bits >> (8 * k));
      bits >>= 32;
      count -= 32;
    }
  }

  void put_whole_bytes() {
    for (; count >= 8; count -= 8, bits >>= 8) *at++ = static_cast<unsigned char>(bits);
  }
};

}  // namespace

RowDeflate::RowDeflate(std::vector<unsigned char>& out)
    : out_(out),
      tokens_(std::make_unique_for_overwrite<uint32_t[]>(block_tokens)),
      block_(std::make_unique_for_overwrite<unsigned char[]>(block_bound)) {
  out_.insert(out_.end(), std::begin(zlib_header), std::end(zlib_header));
}

unsigned char* RowDeflate::room(size_t size) {
  if (size > row_room_) {
    auto grown = std::make_unique_for_overwrite<unsigned char[]>(lookback + size);
    if (row_) memcpy(grown.get(), row_.get(), lookback);
    row_ = std::move(grown);
    row_room_ = size;
  }
  return row_.get() + lookback;
}

void RowDeflate::add(size_t size, std::span<const Zeros> zeros) {
  const unsigned char* data = row_.get() + lookback;
  take(data, size, zeros);
  // Zeros leave the checksum's sum of bytes as it is, and add that sum to
  // its sum of sums once for each.
  size_t done = 0;
  for (Zeros z : zeros) {
    adler_ = libdeflate_adler32(adler_, data + done, z.from - done);
    uint32_t bytes = adler_ & 0xFFFF, sums = adler_ >> 16;
    sums = static_cast<uint32_t>((sums + uint64_t{z.to - z.from} * bytes) % adler_base);
    adler_ = sums << 16 | bytes;
    done = z.to;
  }
  adler_ = libdeflate_adler32(adler_, data + done, size - done);
  taken_ += size;
  // The stream's last three bytes move to stand before the next row.
  memmove(row_.get(), row_.get() + size, lookback);
}

void RowDeflate::take(const unsigned char* data, size_t size, std::span<const Zeros> zeros) {
  size_t i = 0;
  // Nothing stands before the stream's first bytes to repeat.
  for (; i < size && taken_ + i < lookback; ++i) put_token(data[i]);
  auto run = zeros.begin();
  // The byte before each: a row's first follows the last of the row before.
  const unsigned char* before = data - 1;
  while (i < size) {
    // Inside a run of zeros known as such, after a zero, each longest
    // match the search would find one byte back is taken unsearched.
    while (run != zeros.end() && run->to < i + longest_match) ++run;
    if (run != zeros.end() && run->from <= i && (run->from < i || before[i] == 0)) {
      for (; i + longest_match <= run->to; i += longest_match) {
        put_token(match_token(longest_match, 1));
      }
      continue;
    }
    // Where no match can start, bytes go as literals, found eight at a
    // time: most bytes of a row that is not flat are such (text, curves).
    if (i + 16 <= size) {
      unsigned starts = match_starts(data + i) & 0xFF;
      size_t literals = starts == 0 ? 8 : static_cast<size_t>(__builtin_ctz(starts));
      for (size_t end = i + literals; i < end; ++i) put_token(data[i]);
      if (starts == 0) continue;
    }
    size_t most = std::min(size - i, longest_match);
    size_t one = match_length(data + i, 1, most);
    size_t three = one == most ? 0 : match_length(data + i, lookback, most);
    size_t length = std::max(one, three);
    if (length < shortest_match) {
      put_token(data[i++]);
      continue;
    }
    put_token(match_token(length, three > one ? lookback : 1));
    i += length;
  }
}

void RowDeflate::put_token(uint32_t token) {
  tokens_[token_count_++] = token;
  uint32_t s = token & symbol_mask;
  ++litlen_freq_[s];
  if (s > end_of_block) ++dist_freq_[token >> dist_shift];
  if (token_count_ == block_tokens) put_block(false);
}

void RowDeflate::put_block(bool last) {
  litlen_freq_[end_of_block] = 1;
  uint8_t lengths[litlen_symbols + dist_symbols];
  huffman_lengths(litlen_freq_, litlen_symbols, longest_code, lengths);
  huffman_lengths(dist_freq_, dist_symbols, longest_code, lengths + litlen_symbols);
  int hlit = litlen_symbols, hdist = dist_symbols;
  while (hlit > first_length_symbol && lengths[hlit - 1] == 0) --hlit;
  while (hdist > 1 && lengths[litlen_symbols + hdist - 1] == 0) --hdist;
  // Both lists as one run: a repeat may run from one into the other.
  uint8_t both[litlen_symbols + dist_symbols];
  std::copy(lengths, lengths + hlit, both);
  std::copy(lengths + litlen_symbols, lengths + litlen_symbols + hdist, both + hlit);
  LengthRuns runs;
  runs.code(both, hlit + hdist);
  uint8_t run_lengths[19];
  uint16_t run_codes[19], codes[litlen_symbols + dist_symbols];
  huffman_lengths(runs.freq, 19, longest_length_code, run_lengths);
  canonical_codes(run_lengths, 19, run_codes);
  canonical_codes(lengths, litlen_symbols, codes);
  canonical_codes(lengths + litlen_symbols, dist_symbols, codes + litlen_symbols);
  int hclen = 19;
  while (hclen > 4 && run_lengths[length_code_order[hclen - 1]] == 0) --hclen;

  BitSink sink{bits_, bit_count_, block_.get()};
  sink.put(last ? 1 : 0, 1);
  sink.put(dynamic_block, 2);
  sink.put(static_cast<uint32_t>(hlit - first_length_symbol), 5);
  sink.put(static_cast<uint32_t>(hdist - 1), 5);
  sink.put(static_cast<uint32_t>(hclen - 4), 4);
  for (int k = 0; k < hclen; ++k) sink.put(run_lengths[length_code_order[k]], 3);
  for (int k = 0; k < runs.count; ++k) {
    int s = runs.symbol[k];
    sink.put(run_codes[s], run_lengths[s]);
    if (int extra = repeat_extra_bits(s)) sink.put(runs.extra[k], extra);
  }
  const uint16_t* dist_codes = codes + litlen_symbols;
  const uint8_t* dist_lengths = lengths + litlen_symbols;
  for (size_t t = 0; t < token_count_; ++t) {
    uint32_t token = tokens_[t], s = token & symbol_mask;
    sink.put(codes[s], lengths[s]);
    if (s > end_of_block) {
      sink.put(token >> extra_shift & 0x1F, length_extra[s - first_length_symbol]);
      uint32_t d = token >> dist_shift;
      sink.put(dist_codes[d], dist_lengths[d]);
    }
  }
  sink.put(codes[end_of_block], lengths[end_of_block]);
  sink.put_whole_bytes();
  bits_ = sink.bits, bit_count_ = sink.count;
  out_.insert(out_.end(), block_.get(), sink.at);
  token_count_ = 0;
  std::fill(std::begin(litlen_freq_), std::end(litlen_freq_), 0);
  std::fill(std::begin(dist_freq_), std::end(dist_freq_), 0);
}

void RowDeflate::finish() {
  put_block(true);
  if (bit_count_ > 0) out_.push_back(static_cast<unsigned char>(bits_));
  bits_ = 0, bit_count_ = 0;
  for (int shift = 24; shift >= 0; shift -= 8) {
    out_.push_back(static_cast<unsigned char>(adler_ >> shift));
  }
}
