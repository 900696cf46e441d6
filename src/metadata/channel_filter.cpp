#include "metadata/channel_filter.h"

#include <cstdio>

#include "core/ascii_case.h"

namespace {

// Glob matching with * and ?, ASCII letters in any case; iterative, so a
// hostile pattern costs at most text x pattern steps.
bool glob(std::string_view pattern, std::string_view text) {
  size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || fold_ascii(pattern[p]) == fold_ascii(text[t]))) {
      ++p, ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++, resume = t;
    } else if (star != std::string_view::npos) {
      p = star + 1, t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string_view location_code(std::string_view code) {
  return code == "--" ? std::string_view() : code;
}

bool digits(std::string_view s, size_t at, size_t n) {
  if (at + n > s.size()) return false;
  for (size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

int number(std::string_view s, size_t at, size_t n) {
  int v = 0;
  for (size_t i = at; i < at + n; ++i) v = v * 10 + (s[i] - '0');
  return v;
}

bool leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int month_length(int year, int month) {
  static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return lengths[month - 1] + (month == 2 && leap(year));
}

// Month and day of a day of the year; false when the day is out of range.
bool month_day(int year, int yday, int& month, int& day) {
  if (yday < 1) return false;
  for (month = 1; month <= 12; ++month) {
    int n = month_length(year, month);
    if (yday <= n) {
      day = yday;
      return true;
    }
    yday -= n;
  }
  return false;
}

// "HH:MM:SS[.fff]" (or "HH:MM", or nothing) after a date, into the
// normal form's time part; false when malformed.
bool clock_part(std::string_view s, std::string& out) {
  int h = 0, m = 0, sec = 0;
  std::string fraction;
  if (!s.empty()) {
    if (!digits(s, 0, 2)) return false;
    h = number(s, 0, 2);
    size_t at = 2;
    if (at < s.size() && s[at] == ':' && digits(s, at + 1, 2)) m = number(s, at + 1, 2), at += 3;
    if (at < s.size() && s[at] == ':' && digits(s, at + 1, 2)) sec = number(s, at + 1, 2), at += 3;
    if (at < s.size() && s[at] == '.') {
      for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at) {
        if (fraction.size() < 6) fraction += s[at];
      }
    }
    if (at < s.size() && (s[at] == 'Z' || s[at] == 'z')) ++at;
    if (at != s.size() || h > 24 || m > 59 || sec > 60) return false;
  }
  fraction.resize(6, '0');
  char text[32];
  snprintf(text, sizeof text, "T%02d:%02d:%02d.%s", h, m, sec, fraction.c_str());
  out += text;
  return true;
}

}  // namespace

bool parse_channel_pattern(std::string_view pattern, ChannelFilter& filter) {
  for (int i = 0; i < 4; ++i) {
    size_t dot = pattern.find('.');
    if ((i < 3) == (dot == std::string_view::npos)) return false;
    filter.parts[i] =
        std::string(i == 2 ? location_code(pattern.substr(0, dot)) : pattern.substr(0, dot));
    pattern = i < 3 ? pattern.substr(dot + 1) : std::string_view();
  }
  return true;
}

std::string normal_time(std::string_view t) {
  int year, month, day;
  std::string_view rest;
  if (digits(t, 0, 4) && t.size() >= 10 && t[4] == '-' && digits(t, 5, 2) && t[7] == '-' &&
      digits(t, 8, 2)) {
    year = number(t, 0, 4), month = number(t, 5, 2), day = number(t, 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > month_length(year, month)) return "";
    if (t.size() > 10 && t[10] != 'T' && t[10] != ' ') return "";
    rest = t.size() > 10 ? t.substr(11) : std::string_view();
  } else if (digits(t, 0, 4) && t.size() >= 8 && t[4] == ',' && digits(t, 5, 3)) {
    year = number(t, 0, 4);
    if (!month_day(year, number(t, 5, 3), month, day)) return "";
    if (t.size() > 8 && t[8] != ',') return "";
    rest = t.size() > 8 ? t.substr(9) : std::string_view();
  } else {
    return "";
  }
  char date[16];
  snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
  std::string out = date;
  return clock_part(rest, out) ? out : "";
}

bool channel_matches(const ChannelFilter& f, std::string_view network, std::string_view station,
                     std::string_view location, std::string_view channel) {
  return glob(f.parts[0], network) && glob(f.parts[1], station) &&
         glob(f.parts[2], location_code(location)) && glob(f.parts[3], channel);
}

bool epoch_holds(const ChannelFilter& f, const std::string& start, const std::string& end) {
  if (f.time.empty()) return true;
  return start <= f.time && (end.empty() || f.time < end);
}
