#include "encode/gif_encoder.h"

#include <cstdint>
#include <cstring>
#include <memory>

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
class CodeWriter {
 public:
  CodeWriter(std::vector<unsigned char>& out, int init_bits)
      : out_(out), init_bits_(init_bits), bits_(init_bits), max_code_((1 << init_bits) - 1) {}

  // Writes `code` in the current width, then widens the codes when the
  // next entry (`next_code`) would not fit, or narrows them after a clear.
  void write(int code, int next_code, bool cleared) {
    accumulator_ |= static_cast<uint64_t>(code) << pending_;
    pending_ += bits_;
    while (pending_ >= 8) {
      byte(static_cast<unsigned char>(accumulator_ & 0xFF));
      accumulator_ >>= 8;
      pending_ -= 8;
    }
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
    while (pending_ > 0) {
      byte(static_cast<unsigned char>(accumulator_ & 0xFF));
      accumulator_ >>= 8;
      pending_ -= 8;
    }
    flush();
  }

 private:
  void byte(unsigned char b) {
    packet_[count_++] = b;
    if (count_ >= packet_size) flush();
  }
  void flush() {
    if (count_ == 0) return;
    out_.push_back(static_cast<unsigned char>(count_));
    out_.insert(out_.end(), packet_, packet_ + count_);
    count_ = 0;
  }

  std::vector<unsigned char>& out_;
  int init_bits_, bits_, max_code_;
  uint64_t accumulator_ = 0;
  int pending_ = 0;
  unsigned char packet_[packet_size];
  int count_ = 0;
};

// The shift of the first probe: the doublings of table_size below 2^16,
// from 8.
constexpr int first_probe_shift() {
  int doublings = 0;
  for (long size = table_size; size < 65536L; size *= 2) ++doublings;
  return 8 - doublings;
}

// The LZW dictionary as 'compress' keeps it: (prefix code, pixel) pairs in
// an open-addressing table, first probe by XOR, then backwards by a
// secondary step. An entry whose key is 0 (the code 0 followed by pixel 0)
// ends a probe sequence as an empty slot would, and can be overwritten
// there; libgd's streams depend on that, so it is kept.
class Dictionary {
 public:
  void clear() { memset(keys_, 0xFF, sizeof keys_); }  // every key -1: empty

  // The code of `prefix` followed by `c`, or -1, remembering where it would go.
  int find(int prefix, int c) {
    key_ = (static_cast<int32_t>(c) << max_bits) + prefix;
    slot_ = (c << first_probe_shift()) ^ prefix;
    if (keys_[slot_] == key_) return codes_[slot_];
    if (keys_[slot_] < 0) return -1;
    int step = slot_ == 0 ? 1 : table_size - slot_;
    for (;;) {
      slot_ -= step;
      if (slot_ < 0) slot_ += table_size;
      if (keys_[slot_] == key_) return codes_[slot_];
      if (!(keys_[slot_] > 0)) return -1;
    }
  }

  // Adds the pair the last find missed.
  void add(int, int, int code) {
    keys_[slot_] = key_;
    codes_[slot_] = static_cast<uint16_t>(code);
  }

 private:
  int32_t keys_[table_size];
  uint16_t codes_[table_size];
  int32_t key_ = 0;
  int slot_ = 0;
};

// The last extension found for each code: pictures repeat themselves (runs,
// grid lines, the same row again), so the pixel after a string is most
// often the one seen after it before, whose code then needs no table. A
// pair once in the table stays findable until a clear; only the pair of
// key 0 (code 0, then pixel 0) may be lost, so that one is never kept.
class Extensions {
 public:
  void clear() { memset(pixels_, 0xFF, sizeof pixels_); }  // no pixel is -1

  int code_after(int prefix, int c) const { return pixels_[prefix] == c ? codes_[prefix] : -1; }

  void keep(int prefix, int c, int code) {
    if (prefix == 0 && c == 0) return;
    pixels_[prefix] = static_cast<int16_t>(c);
    codes_[prefix] = static_cast<uint16_t>(code);
  }

 private:
  int16_t pixels_[max_codes];
  uint16_t codes_[max_codes];
};

void compress(gdImagePtr im, int init_bits, std::vector<unsigned char>& out) {
  const int clear_code = 1 << (init_bits - 1);
  const int end_code = clear_code + 1;
  auto dictionary = std::make_unique<Dictionary>();
  dictionary->clear();
  auto extensions = std::make_unique<Extensions>();
  extensions->clear();
  CodeWriter writer(out, init_bits);
  int next_code = clear_code + 2;
  writer.write(clear_code, next_code, false);
  const int width = im->sx, height = im->sy;
  int prefix = im->pixels[0][0];
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = im->pixels[y];
    for (int x = y == 0 ? 1 : 0; x < width; ++x) {
      int c = row[x];
      int code = extensions->code_after(prefix, c);
      if (code < 0) code = dictionary->find(prefix, c);
      if (code >= 0) {
        extensions->keep(prefix, c, code);
        prefix = code;
        continue;
      }
      writer.write(prefix, next_code, false);
      if (next_code < max_codes) {
        extensions->keep(prefix, c, next_code);
        dictionary->add(prefix, c, next_code++);
      } else {
        dictionary->clear();
        extensions->clear();
        next_code = clear_code + 2;
        writer.write(clear_code, next_code, true);
      }
      prefix = c;
    }
  }
  writer.write(prefix, next_code, false);
  writer.write(end_code, next_code, false);
  writer.finish();
}

}  // namespace

bool encode_gif(gdImagePtr im, std::vector<unsigned char>& out) {
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
  compress(im, init_bits + 1, out);
  out.push_back(0);  // the packet that ends the series
  out.push_back(';');
  return true;
}
