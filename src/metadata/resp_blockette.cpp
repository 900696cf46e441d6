#include "metadata/resp_blockette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/scan_number.h"

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// The most numbers a row holds: B053 prints an index, two parts and two
// errors; B055 five values after an optional index.
constexpr size_t most_row_numbers = 8;

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

int two_digits(std::string_view s, size_t at) {
  return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// The numbers of a row, separated by blanks; false at anything else or a
// magnitude beyond the double range.
bool read_numbers(std::string_view s, std::vector<double>& out, std::string& why) {
  const char* p = s.data();
  const char* end = p + s.size();
  while (true) {
    while (p < end && is_blank(*p)) ++p;
    if (p == end) return true;
    double v;
    const char* next = scan_double(p, end, v);
    if (next == nullptr || (next < end && !is_blank(*next))) {
      why = "not a number: \"" + std::string(p, std::min<size_t>(end - p, 20)) + "\"";
      return false;
    }
    if (!std::isfinite(v)) {
      why = "a number out of range: " + std::string(p, next);
      return false;
    }
    if (out.size() == most_row_numbers) {
      why = "more numbers than a row holds";
      return false;
    }
    out.push_back(v);
    p = next;
  }
}

}  // namespace

std::string at_line(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

int read_resp_line(std::string_view s, RespLine& out, std::string& why) {
  std::string_view t = trimmed(s);
  if (t.empty() || t.front() == '#') return 1;
  // "BnnnFnn" then, for a row, "-nn".
  if (t.size() < 7 || t[0] != 'B' || !is_digit(t[1]) || !is_digit(t[2]) || !is_digit(t[3]) ||
      t[4] != 'F' || !is_digit(t[5]) || !is_digit(t[6])) {
    why = "not a RESP line (BnnnFnn ...)";
    return -1;
  }
  out = RespLine{};
  out.type = (t[1] - '0') * 100 + two_digits(t, 2);
  out.field = two_digits(t, 5);
  std::string_view rest = t.substr(7);
  if (rest.size() >= 3 && rest[0] == '-' && is_digit(rest[1]) && is_digit(rest[2])) {
    out.row = true;
    return read_numbers(rest.substr(3), out.numbers, why) ? 0 : -1;
  }
  size_t colon = rest.find(':');
  if (colon == std::string_view::npos) {
    // Writers print blockette 61's coefficient rows as "B061F09  i  value",
    // without the range of fields the other blockettes' rows carry.
    std::string ignored;
    if (!rest.empty() && is_blank(rest.front()) && read_numbers(rest, out.numbers, ignored) &&
        !out.numbers.empty()) {
      out.row = true;
      return 0;
    }
    out.numbers.clear();
    why = "a field without its label's colon";
    return -1;
  }
  out.value = trimmed(rest.substr(colon + 1));
  return 0;
}

bool starts_blockette(const RespBlockette& b, const RespLine& line) {
  if (b.type == 0 || line.type != b.type) return true;
  // rdseed prints both counts before the rows they count (B053F09, F14,
  // then F10-13 rows, F15-18 rows): only a field repeated starts anew.
  return !line.row && line.field <= b.last_field;
}

void add_line(RespBlockette& b, RespLine& line, int number) {
  if (b.type == 0) b.type = line.type, b.line = number;
  if (line.row) {
    b.rows.push_back({line.field, number, std::move(line.numbers)});
  } else {
    b.fields.push_back({line.field, number, line.value});
  }
  if (!line.row) b.last_field = line.field;
}

const RespField* find_field(const RespBlockette& b, int field) {
  for (const RespField& f : b.fields) {
    if (f.field == field) return &f;
  }
  return nullptr;
}

bool field_text(const RespBlockette& b, int field, std::string_view& value, std::string& why) {
  const RespField* f = find_field(b, field);
  if (f == nullptr) {
    char name[16];
    snprintf(name, sizeof name, "B%03dF%02d", b.type, field);
    why = at_line(b.line, "the blockette lacks its field " + std::string(name));
    return false;
  }
  value = f->value;
  return true;
}

bool field_number(const RespBlockette& b, int field, double& value, std::string& why) {
  std::string_view text;
  if (!field_text(b, field, text, why)) return false;
  const int line = find_field(b, field)->line;
  const char* end = text.data() + text.size();
  const char* next = scan_double(text.data(), end, value);
  if (next == nullptr || (next < end && !is_blank(*next))) {
    why = at_line(line, "not a number: \"" + std::string(text) + "\"");
    return false;
  }
  if (!std::isfinite(value)) {
    why = at_line(line, "a number out of range: " + std::string(text.data(), next));
    return false;
  }
  return true;
}

bool field_count(const RespBlockette& b, int field, int most, int& value, std::string& why) {
  double v;
  if (!field_number(b, field, v, why)) return false;
  if (v < 0 || v > most || v != std::floor(v)) {
    why = at_line(find_field(b, field)->line, "a count out of range 0 ... " + std::to_string(most) +
                                                  ": " + std::string(find_field(b, field)->value));
    return false;
  }
  value = static_cast<int>(v);
  return true;
}
