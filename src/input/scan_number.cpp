#include "input/scan_number.h"

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

const char* skip_space(const char* p, const char* end) {
  while (p < end && is_space(*p)) ++p;
  return p;
}

const char* skip_digits(const char* p, const char* end) {
  while (p < end && is_digit(*p)) ++p;
  return p;
}

// from_chars reports a result outside the double range without a value: it
// is an overflow when the number's leading digit stands at 10^0 or above.
double out_of_range_value(const char* mantissa, const char* mantissa_end, const char* exponent,
                          const char* exponent_end, bool negative) {
  int64_t magnitude = -1;  // decimal exponent of the leading non-zero digit
  const char* point = static_cast<const char*>(memchr(mantissa, '.', mantissa_end - mantissa));
  if (point == nullptr) point = mantissa_end;
  for (const char* q = mantissa; q < mantissa_end; ++q) {
    if (*q == '0' || *q == '.') continue;
    magnitude = q < point ? point - q - 1 : point - q;
    break;
  }
  int64_t exp = 0;
  const char* q = exponent;
  bool exp_negative = q < exponent_end && *q == '-';
  if (q < exponent_end && (*q == '-' || *q == '+')) ++q;
  for (; q < exponent_end && exp < 100000000; ++q) exp = exp * 10 + (*q - '0');
  if (exp_negative) exp = -exp;
  double huge = std::numeric_limits<double>::infinity();
  double result = magnitude + exp >= 0 ? huge : 0.0;
  return negative ? -result : result;
}

}  // namespace

const char* scan_double(const char* p, const char* end, double& value) {
  p = skip_space(p, end);
  const char* first = p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* mantissa = p;
  const char* q = skip_digits(p, end);
  bool has_digits = q > p;
  if (q < end && *q == '.') {
    const char* fraction = q + 1;
    q = skip_digits(fraction, end);
    has_digits = has_digits || q > fraction;
  }
  if (!has_digits) return nullptr;
  const char* mantissa_end = q;
  const char* number_end = q;
  const char* exponent = q;
  if (q < end && (*q == 'e' || *q == 'E')) {
    exponent = q + 1;
    q = exponent;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    const char* digits = q;
    q = skip_digits(q, end);
    if (q > digits) number_end = q;
  }
  if (first < mantissa && *first == '+') ++first;  // from_chars takes no plus sign
  auto [ptr, ec] = std::from_chars(first, number_end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    const char* exponent_end = number_end > mantissa_end ? number_end : exponent;
    value = out_of_range_value(mantissa, mantissa_end, exponent, exponent_end, negative);
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
