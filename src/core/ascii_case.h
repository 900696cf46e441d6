#pragma once

#include <cstddef>

// Option keys and switches compare equal whatever the case of their ASCII
// letters; other bytes (a Windows-1251 letter) must match exactly.
constexpr char fold_ascii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the first n bytes, folding only the ASCII letters; a shorter
// text fails at its terminating zero, and both ending there is a match.
inline bool equal_folded(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (fold_ascii(a[i]) != fold_ascii(b[i])) return false;
    if (a[i] == '\0') return true;
  }
  return true;
}
