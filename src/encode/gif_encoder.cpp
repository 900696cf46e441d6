#include "encode/gif_encoder.h"

#include <malloc.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int max_bits = 12;
constexpr int max_codes = 1 << max_bits;  // 4096: never emitted
constexpr int table_size = 5003;          // a prime, 80 % full at most
constexpr int packet_size = 254;          // data bytes per sub-block, as libgd writes them

// The colour table's bits: the fewest that index every allocated colour.
int bits_per_pixel(int colors) {
  int bits = 1;
  while ((1 << bits) < colors && bits < 8) ++bits;
  return bits;
}

void put_word(std::vector<unsigned char>& out, int v) {
  out.push_back(static_cast<unsigned char>(v & 0xFF));
  out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

// Codes packed from the low bit up into sub-blocks of packet_size bytes.
// Eight bytes of the packed bits are stored at once whatever their count,
// and the count moved on by the whole bytes: no branch on the bits pending.
class CodeWriter {
 public:
  CodeWriter(std::vector<unsigned char>& out, int init_bits)
      : out_(out), init_bits_(init_bits), bits_(init_bits), max_code_((1 << init_bits) - 1) {}

  // Writes `code` in the current width, then widens the codes when the
  // next entry (`next_code`) would not fit, or narrows them after a clear.
  void write(int code, int next_code, bool cleared) {
    accumulator_ |= static_cast<uint64_t>(code) << pending_;
    pending_ += bits_;
    uint64_t low_first = accumulator_;  // the lowest bits are the first byte
    if constexpr (std::endian::native == std::endian::big) low_first = __builtin_bswap64(low_first);
    memcpy(packet_ + count_, &low_first, sizeof low_first);
    count_ += pending_ >> 3;
    accumulator_ >>= pending_ & ~7;
    pending_ &= 7;
    if (count_ >= packet_size) flush_whole_packet();
    if (cleared) {
      bits_ = init_bits_;
      max_code_ = (1 << bits_) - 1;
    } else if (next_code > max_code_) {
      ++bits_;
      max_code_ = bits_ == max_bits ? max_codes : (1 << bits_) - 1;
    }
  }

  // The last partial byte and packet.
  void finish() {
    if (pending_ > 0) packet_[count_++] = static_cast<unsigned char>(accumulator_);
    if (count_ == 0) return;
    out_.push_back(static_cast<unsigned char>(count_));
    out_.insert(out_.end(), packet_, packet_ + count_);
  }

 private:
  // A code adds two bytes at most, so at most one waits for the next packet.
  void flush_whole_packet() {
    out_.push_back(static_cast<unsigned char>(packet_size));
    out_.insert(out_.end(), packet_, packet_ + packet_size);
    count_ -= packet_size;
    memmove(packet_, packet_ + packet_size, static_cast<size_t>(count_));
  }

  std::vector<unsigned char>& out_;
  int init_bits_, bits_, max_code_;
  uint64_t accumulator_ = 0;
  int pending_ = 0;
  unsigned char packet_[packet_size + 2 * sizeof(uint64_t)];
  int count_ = 0;
};

// The shift of the first probe: the doublings of table_size below 2^16,
// from 8.
constexpr int first_probe_shift() {
  int doublings = 0;
  for (long size = table_size; size < 65536L; size *= 2) ++doublings;
  return 8 - doublings;
}

// The LZW dictionary. libgd keeps it as 'compress' does: (prefix code, pixel)
// pairs in an open-addressing table, first probe by XOR, then backwards by a
// secondary step, where a pair whose key is 0 (the code 0 followed by pixel
// 0) ends a probe sequence as an empty slot would, and is overwritten there
// by the pair being added. That loss is the one way its streams part from
// plain LZW, and it is kept: every other pair, once added, is found again
// until a clear. So codes are looked up in a direct table (one row per code,
// one column per pixel value), and the open-addressing table is followed
// only when a pair is added, to learn where it lands, which needs which
// slots are taken and no keys. A picture without pixel 0 never makes the
// pair of key 0, and so never loses it: its table is not followed at all.
class Dictionary {
 public:
  Dictionary(int columns, bool has_zero)
      : columns_(columns),
        shift_(std::countr_zero(static_cast<unsigned>(columns))),
        follows_table_(has_zero),
        codes_(static_cast<size_t>(max_codes) * columns) {
    memset(taken_, 0, sizeof taken_);
  }

  // The code of `prefix` followed by `c`, or 0: no pair has code 0.
  int find(int prefix, int c) const { return codes_[(static_cast<size_t>(prefix) << shift_) + c]; }

  // Adds the missing pair; returns true when that lost the pair of key 0.
  bool add(int prefix, int c, int code) {
    bool lost = false;
    if (follows_table_) {
      int slot = (c << first_probe_shift()) ^ prefix;
      if (taken_[slot]) slot = probe(slot, lost);
      taken_[slot] = 1;
      if (prefix == 0 && c == 0) key_zero_slot_ = slot;
    }
    added_[code] = static_cast<uint32_t>(prefix * columns_ + c);
    codes_[added_[code]] = static_cast<uint16_t>(code);
    return lost;
  }

  // Forgets every pair added since the last clear, from `first_code` up to `next_code`.
  void clear(int first_code, int next_code) {
    for (int code = first_code; code < next_code; ++code) codes_[added_[code]] = 0;
    memset(taken_, 0, sizeof taken_);
    key_zero_slot_ = -1;
  }

 private:
  // The free slot a missing pair ends on, past the taken first probe.
  int probe(int slot, bool& lost) {
    int step = slot == 0 ? 1 : table_size - slot;
    for (;;) {
      slot -= step;
      if (slot < 0) slot += table_size;
      if (slot == key_zero_slot_) {
        codes_[0] = 0;  // the pair (0, 0) is row 0, column 0
        key_zero_slot_ = -1;
        lost = true;
        return slot;
      }
      if (!taken_[slot]) return slot;
    }
  }

  int columns_;
  int shift_;  // columns_ is a power of two
  bool follows_table_;
  std::vector<uint16_t> codes_;
  uint32_t added_[max_codes];
  unsigned char taken_[table_size];
  int key_zero_slot_ = -1;
};

// The picture's pixels in one run, rows end to end as the stream reads them,
// with room to read a whole block past the last one.
constexpr size_t block = 16;

struct Stream {
  std::unique_ptr<unsigned char[]> pixels;
  size_t size = 0;
  int columns = 1;  // a power of two above every pixel value
  bool has_zero = false;
};

Stream read_stream(gdImagePtr im, bool release_rows) {
  Stream s;
  s.size = static_cast<size_t>(im->sx) * im->sy;
  s.pixels = std::make_unique_for_overwrite<unsigned char[]>(s.size + block);
  unsigned char* to = s.pixels.get();
  unsigned char seen = 0, lowest = 0xFF;
  for (int y = 0; y < im->sy; ++y, to += im->sx) {
    memcpy(to, im->pixels[y], im->sx);
    if (release_rows) gdFree(std::exchange(im->pixels[y], nullptr));
    for (int x = 0; x < im->sx; ++x) {
      seen |= to[x];
      lowest = std::min(lowest, to[x]);
    }
  }
  // The freed rows go back to the system now, even where a small block
  // left above them in the heap would keep them from it until the end.
  if (release_rows) malloc_trim(0);
  memset(to, 0, block);
  while (s.columns <= seen) s.columns *= 2;
  s.has_zero = lowest == 0;
  return s;
}

// How many pixels from `a` on equal those from `b`, up to `limit`.
size_t common_length(const unsigned char* a, const unsigned char* b, size_t limit) {
  size_t n = 0;
  for (;;) {
#if defined(__SSE2__)
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + n));
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + n));
    unsigned differ = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, y))) & 0xFFFF;
    if (differ) return std::min(n + std::countr_zero(differ), limit);
#else
    for (size_t k = 0; k < block; ++k)
      if (a[n + k] != b[n + k]) return std::min(n + k, limit);
#endif
    n += block;
    if (n >= limit) return limit;
  }
}

// Where the parse last passed a code: the position of its last pixel
// (`at`), and how that parse went on: up to the pixel `end`, which made the
// code `added`. Valid in its `epoch` only: a clear renumbers the codes.
struct Hint {
  uint32_t at, end, epoch;
  uint16_t added;
};

// The codes a passage's copy writes at least.
constexpr size_t codes_at_once = 32;

// The hints of walks' starts are found by a hash of their first pixels.
constexpr int start_key_bits = 12;

// The greedy parse, led by what the picture did before. A string is found
// by walking the dictionary one pixel at a time, each step waiting on the
// last. But pictures repeat themselves, and strings are unique: where the
// pixels after a code equal those that followed it the last time, the codes
// of that walk are the codes of this one. So the walk copies them (the code
// of each string's end, kept for every pixel) and steps through the
// dictionary only where the picture departs from its last passage. A walk
// starts from the last walk that began with the same 16 pixels, which
// often ends where this one will.
class Parser {
 public:
  Parser(const Stream& stream)
      : pixels_(stream.pixels.get()),
        size_(stream.size),
        codes_(std::make_unique_for_overwrite<uint16_t[]>(stream.size + codes_at_once)),
        dictionary_(std::make_unique<Dictionary>(stream.columns, stream.has_zero)),
        hints_(std::make_unique<Hint[]>(max_codes)),
        starts_(std::make_unique<Hint[]>(size_t{1} << start_key_bits)) {}

  // The longest string in the dictionary from `start` on; returns its code
  // and sets `start` past it.
  int longest(size_t& start) {
    size_t i = start;
    int code = pixels_[i];
    codes_[i] = static_cast<uint16_t>(code);
    walked_ = 0;
    remember(code, i);
    start_key_ = start_key(i);
    i = follow(starts_[start_key_], code, i);
    // Past a copied passage the picture departs from it: the dictionary is
    // asked next. Otherwise the first pixel's code leads.
    if (i <= start + 1) {
      i = start + 1;
      if (i < size_) i = follow(hints_[code], code, i);
    }
    while (i < size_) {
      int next = dictionary_->find(code, pixels_[i]);
      if (!next) break;
      code = next;
      codes_[i] = static_cast<uint16_t>(code);
      remember(code, i++);
      if (i < size_) i = follow(hints_[code], code, i);
    }
    walk_start_ = start;
    start = i;
    return code;
  }

  // Adds `prefix` followed by the pixel at `end`, as `code`.
  // A lost pair of key 0 ends the epoch before these hints: this walk may have used it.
  void add(int prefix, size_t end, int code) {
    uint32_t epoch = epoch_;
    if (dictionary_->add(prefix, pixels_[end], code)) ++epoch_;
    for (int k = 0; k < walked_; ++k) {
      hints_[walked_codes_[k]] =
          Hint{walked_at_[k], static_cast<uint32_t>(end), epoch, static_cast<uint16_t>(code)};
    }
    // The passage of a start follows the position before it.
    if (walk_start_ > 0) {
      starts_[start_key_] = Hint{static_cast<uint32_t>(walk_start_ - 1), static_cast<uint32_t>(end),
                                 epoch, static_cast<uint16_t>(code)};
    }
  }

  void clear(int first_code, int next_code) {
    dictionary_->clear(first_code, next_code);
    ++epoch_;
  }

 private:
  void remember(int code, size_t at) {
    walked_codes_[walked_] = static_cast<uint16_t>(code);
    walked_at_[walked_++] = static_cast<uint32_t>(at);
  }

  // A hash of the 16 pixels from `at` (the stream has a block to spare).
  size_t start_key(size_t at) const {
    uint64_t a, b;
    memcpy(&a, pixels_ + at, sizeof a);
    memcpy(&b, pixels_ + at + sizeof a, sizeof b);
    uint64_t v = (a * 0x9E3779B97F4A7C15ull) ^ (b * 0xC2B2AE3D27D4EB4Full);
    return static_cast<size_t>((v ^ (v >> 29)) * 0x165667B19E3779F9ull >> (64 - start_key_bits));
  }

  // Copies the codes of the pixels from `i` on that repeat the passage of
  // `hint`, and sets `code` to the last; returns the position past them.
  size_t follow(const Hint& hint, int& code, size_t i) {
    if (hint.epoch != epoch_) return i;
    size_t after = hint.at + size_t{1}, length = hint.end - hint.at;
    size_t same = common_length(pixels_ + i, pixels_ + after, std::min(length, size_ - i));
    if (same == 0) return i;
    copy_codes(codes_.get() + i, codes_.get() + after, same);
    // The whole passage takes the pixel that ended it, and the code that
    // made. The code is read where it was written, not where it was just
    // copied: the read then waits on no store.
    code = same == length ? hint.added : codes_[after + same - 1];
    codes_[i + same - 1] = static_cast<uint16_t>(code);
    return i + same;
  }

  // Copies `n` codes: the first 32 at once whatever `n`, for a loop's exit
  // costs more than the copy (most passages are shorter), then a block at a
  // time. The passage ends before `to`, but a read past its end may reach
  // into `to`'s first codes: hence every read of a step before its writes.
  // The codes written past `n` belong to pixels not parsed yet, which get
  // theirs in turn (the array has room to spare at its end).
  static void copy_codes(uint16_t* to, const uint16_t* from, size_t n) {
    uint16_t first[codes_at_once];
    memcpy(first, from, sizeof first);
    memcpy(to, first, sizeof first);
    constexpr size_t per_block = block / sizeof(uint16_t);
    for (size_t k = codes_at_once; k < n; k += per_block) memmove(to + k, from + k, block);
  }

  const unsigned char* pixels_;
  size_t size_;
  std::unique_ptr<uint16_t[]> codes_;  // the code of the string ending at each pixel
  std::unique_ptr<Dictionary> dictionary_;
  std::unique_ptr<Hint[]> hints_;
  std::unique_ptr<Hint[]> starts_;  // by the hash of a walk's first pixels
  size_t walk_start_ = 0, start_key_ = 0;
  uint32_t epoch_ = 1;
  // The codes this parse stepped to, and where: a string has at most one per code.
  int walked_ = 0;
  uint16_t walked_codes_[max_codes + 1];
  uint32_t walked_at_[max_codes + 1];
};

void compress(gdImagePtr im, int init_bits, bool release_rows, std::vector<unsigned char>& out) {
  const int clear_code = 1 << (init_bits - 1);
  const int end_code = clear_code + 1;
  Stream stream = read_stream(im, release_rows);
  auto parser = std::make_unique<Parser>(stream);
  CodeWriter writer(out, init_bits);
  int next_code = clear_code + 2;
  writer.write(clear_code, next_code, false);
  size_t i = 0;
  for (;;) {
    int code = parser->longest(i);
    writer.write(code, next_code, false);
    if (i >= stream.size) break;
    if (next_code < max_codes) {
      parser->add(code, i, next_code++);
    } else {
      parser->clear(clear_code + 2, next_code);
      next_code = clear_code + 2;
      writer.write(clear_code, next_code, true);
    }
  }
  writer.write(end_code, next_code, false);
  writer.finish();
}

}  // namespace

bool encode_gif(gdImagePtr im, std::vector<unsigned char>& out, bool release_rows) {
  out.clear();
  // libgd reads pixels through the clipping rectangle, as 0 outside it.
  bool whole_clip = im->cx1 == 0 && im->cy1 == 0 && im->cx2 == im->sx - 1 && im->cy2 == im->sy - 1;
  if (im->trueColor || im->interlace || im->transparent >= 0 || im->sx <= 0 || im->sy <= 0 ||
      !whole_clip) {
    return false;
  }
  int bits = bits_per_pixel(im->colorsTotal);
  out.reserve(static_cast<size_t>(im->sx) * im->sy / 4 + 1024);
  for (char c : {'G', 'I', 'F', '8', '7', 'a'}) out.push_back(static_cast<unsigned char>(c));
  put_word(out, im->sx);
  put_word(out, im->sy);
  out.push_back(static_cast<unsigned char>(0x80 | (bits - 1) << 4 | (bits - 1)));
  out.push_back(0);  // background
  out.push_back(0);  // aspect ratio
  for (int i = 0; i < (1 << bits); ++i) {
    out.push_back(static_cast<unsigned char>(im->red[i]));
    out.push_back(static_cast<unsigned char>(im->green[i]));
    out.push_back(static_cast<unsigned char>(im->blue[i]));
  }
  out.push_back(',');
  put_word(out, 0);
  put_word(out, 0);
  put_word(out, im->sx);
  put_word(out, im->sy);
  out.push_back(0);  // not interlaced
  int init_bits = bits <= 1 ? 2 : bits;
  out.push_back(static_cast<unsigned char>(init_bits));
  compress(im, init_bits + 1, release_rows, out);
  out.push_back(0);  // the packet that ends the series
  out.push_back(';');
  return true;
}
