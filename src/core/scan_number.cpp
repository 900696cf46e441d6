#include "core/scan_number.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

bool is_space(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
char fold_case(char c) {
  return static_cast<char>(c | 0x20);  // 'E' to 'e'
}

const char* skip_space(const char* p, const char* end) {
  while (p < end && is_space(*p)) ++p;
  return p;
}

const char* skip_digits(const char* p, const char* end) {
  while (p < end && is_digit(*p)) ++p;
  return p;
}

// A number's digits as scanned: the first 19 significant digits exactly,
// and the power of ten that scales them to the number's value.
struct Decimal {
  uint64_t significand = 0;
  int64_t digits = 0;    // significant digits, counted without limit
  int64_t exponent = 0;  // value = significand x 10^exponent (up to the dropped digits)
};

constexpr int exact_digits = 19;  // any 19 decimal digits fit a uint64_t

// Adds the run of digits at p to d. Leading zeros are not significant; in
// the fraction every digit kept also lowers the exponent, in the integer
// part every digit dropped raises it.
const char* scan_digit_run(const char* p, const char* end, Decimal& d, bool fraction) {
  if (d.digits == 0) {
    const char* zeros = p;
    while (p < end && *p == '0') ++p;
    if (fraction) d.exponent -= p - zeros;
  }
  // One pass accumulates the digits that fit; a second counts any beyond.
  const char* run = p;
  const char* cap = p + std::clamp<int64_t>(exact_digits - d.digits, 0, end - p);
  uint64_t significand = d.significand;
  for (unsigned digit; p < cap && (digit = static_cast<unsigned char>(*p) - '0') <= 9; ++p) {
    significand = significand * 10 + digit;
  }
  int64_t kept = p - run;
  const char* rest = p;
  while (p < end && is_digit(*p)) ++p;
  int64_t dropped = p - rest;
  d.significand = significand;
  d.digits += kept + dropped;
  d.exponent += fraction ? -kept : dropped;
  return p;
}

// The explicit exponent's digits, saturating far beyond any double's range.
int64_t exponent_value(const char* p, const char* end) {
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  int64_t e = 0;
  for (; p < end && e < 1000000000; ++p) e = e * 10 + (*p - '0');
  return negative ? -e : e;
}

// Most numbers in response files have a few significant digits and a small
// exponent: significand and power of ten are then exact doubles, and one
// multiplication or division rounds correctly. Returns false otherwise.
bool exact_value(const Decimal& d, double& value) {
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (d.digits == 0) {
    value = 0.0;
    return true;
  }
  if (d.digits > exact_digits || d.significand > (uint64_t{1} << 53)) return false;
  if (d.exponent < -22 || d.exponent > 22) return false;
  double s = static_cast<double>(d.significand);
  value = d.exponent < 0 ? s / powers[-d.exponent] : s * powers[d.exponent];
  return true;
}

// from_chars reports a result outside the double range without a value: it
// is an overflow when the number's leading digit stands at 10^0 or above.
double out_of_range_value(const Decimal& d) {
  int64_t kept = d.digits < exact_digits ? d.digits : exact_digits;
  bool overflow = kept - 1 + d.exponent >= 0;
  return overflow ? std::numeric_limits<double>::infinity() : 0.0;
}

// printf's "%.6E" (d.ddddddE+dd), the layout of most large response files:
// its characters, and where its parts stand.
constexpr int64_t printf_e_length = 12;
constexpr int printf_e_point = 1, printf_e_marker = 8, printf_e_sign = 9, printf_e_exponent = 10;
constexpr int printf_e_fraction_digits = 6;

constexpr uint64_t zero_bytes = 0x3030303030303030;  // '0' in each byte

// Whether the eight bytes hold decimal digits only, each tested at once.
bool eight_digits(uint64_t bytes) {
  constexpr uint64_t past_nine = 0x4646464646464646, high_bits = 0x8080808080808080;
  return (((bytes + past_nine) | (bytes - zero_bytes)) & high_bits) == 0;
}

// The value of eight decimal digits, the first in the lowest byte, combined
// pairwise: bytes to pairs, pairs to fours, fours to eight.
uint64_t eight_digit_value(uint64_t bytes) {
  constexpr uint64_t mask = 0x000000FF000000FF;
  constexpr uint64_t by_100_and_1000000 = 100 + (uint64_t{1000000} << 32);
  constexpr uint64_t by_1_and_10000 = 1 + (uint64_t{10000} << 32);
  uint64_t v = bytes - zero_bytes;
  v = v * 10 + (v >> 8);
  return ((v & mask) * by_100_and_1000000 + ((v >> 16) & mask) * by_1_and_10000) >> 32;
}

// The number at p (after its sign) when it is spelled as printf's "%.6E"
// and exact_value holds its value; the position after it, or nullptr so
// that the general reading takes it. The value is the one that reading
// gives: the same significand, power of ten and division.
const char* scan_printf_e(const char* p, const char* end, double& value) {
  if (end - p < printf_e_length || p[printf_e_point] != '.' ||
      fold_case(p[printf_e_marker]) != 'e' ||
      (p[printf_e_sign] != '+' && p[printf_e_sign] != '-') || !is_digit(p[printf_e_exponent]) ||
      !is_digit(p[printf_e_exponent + 1]) ||
      (end - p > printf_e_length && is_digit(p[printf_e_length]))) {
    return nullptr;
  }
  // The leading digit moved over the point, a zero before it: eight digits
  // in one register (bytes stored apart and read as one would stall).
  uint64_t text;
  memcpy(&text, p, sizeof text);
  constexpr uint64_t above_two_bytes = ~uint64_t{0xFFFF}, second_byte = 0xFF00;
  uint64_t bytes = (text & above_two_bytes) | (text << 8 & second_byte) | '0';
  if (!eight_digits(bytes)) return nullptr;
  Decimal d;
  d.significand = eight_digit_value(bytes);
  d.digits = d.significand == 0 ? 0 : exact_digits;  // only zero and "fits" matter
  int64_t e = (p[printf_e_exponent] - '0') * 10 + (p[printf_e_exponent + 1] - '0');
  d.exponent = (p[printf_e_sign] == '-' ? -e : e) - printf_e_fraction_digits;
  return exact_value(d, value) ? p + printf_e_length : nullptr;
}

}  // namespace

const char* scan_double(const char* p, const char* end, double& value) {
  p = skip_space(p, end);
  const char* first = p;
  bool negative = p < end && *p == '-';
  if (p < end && (*p == '+' || *p == '-')) ++p;
  if (const char* after = scan_printf_e(p, end, value)) {
    if (negative) value = -value;
    return after;
  }
  Decimal d;
  const char* q = scan_digit_run(p, end, d, false);
  bool has_digits = q > p;
  if (q < end && *q == '.') {
    const char* fraction = q + 1;
    q = scan_digit_run(fraction, end, d, true);
    has_digits = has_digits || q > fraction;
  }
  if (!has_digits) return nullptr;
  const char* number_end = q;
  if (q < end && (*q == 'e' || *q == 'E')) {
    const char* exponent = q + 1;
    q = exponent;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    const char* digits = q;
    q = skip_digits(q, end);
    // A marker without digits is consumed but adds nothing.
    if (q > digits) {
      number_end = q;
      d.exponent += exponent_value(exponent, q);
    }
  }
  if (exact_value(d, value)) {
    if (negative) value = -value;
    return q;
  }
  if (*first == '+') ++first;  // from_chars takes no plus sign
  auto [ptr, ec] = std::from_chars(first, number_end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value = negative ? -out_of_range_value(d) : out_of_range_value(d);
  }
  return q;
}

int scan_double_pair(const char* p, const char* end, double& first, double& second) {
  p = scan_double(p, end, first);
  if (p == nullptr) return 0;
  if (p == end) return 1;
  return scan_double(p + 1, end, second) ? 2 : 1;
}

const char* scan_int(const char* p, const char* end, int32_t& value) {
  p = skip_space(p, end);
  bool negative = p < end && *p == '-';
  if (p < end && (*p == '+' || *p == '-')) ++p;
  const char* digits = p;
  int64_t magnitude = 0;
  constexpr int64_t limit = int64_t{1} << 32;  // beyond every 32-bit value
  for (; p < end && is_digit(*p); ++p) {
    if (magnitude < limit) magnitude = magnitude * 10 + (*p - '0');
  }
  if (p == digits) return nullptr;
  int64_t v = negative ? -magnitude : magnitude;
  if (v > std::numeric_limits<int32_t>::max()) v = std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) v = std::numeric_limits<int32_t>::min();
  value = static_cast<int32_t>(v);
  return p;
}

int scan_int_pair(const char* p, const char* end, int32_t& first, int32_t& second) {
  p = scan_int(p, end, first);
  if (p == nullptr) return 0;
  if (p == end) return 1;
  return scan_int(p + 1, end, second) ? 2 : 1;
}

int32_t decimal_value(const char* text) {
  int32_t value = 0;
  scan_int(text, text + strlen(text), value);
  return value;
}
