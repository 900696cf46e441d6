#include "layout/format_label.h"

#include <cstdio>
#include <cstring>

std::string format_g(double v, int precision, int width) {
  char text[64];
  snprintf(text, sizeof text, "%.*g", precision, v);
  std::string out = text;
  size_t e = out.find('e');
  if (e != std::string::npos) {
    size_t digits = e + 2;  // past the exponent's sign
    size_t count = out.size() - digits;
    if (count < 3) out.insert(digits, 3 - count, '0');
  }
  if (static_cast<int>(out.size()) < width) out.insert(0, width - out.size(), ' ');
  return out;
}

std::string format_int(int v) {
  char text[16];
  snprintf(text, sizeof text, "%d", v);
  return text;
}
