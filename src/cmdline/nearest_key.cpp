#include "cmdline/nearest_key.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/option_keys.h"
#include "core/ascii_case.h"

namespace {

constexpr size_t most_edits = 2;

// The part of an argument a key would match, folded; "/" opens a switch.
std::string key_part(const char* arg) {
  const char* equals = strchr(arg, '=');
  std::string key(arg, equals ? equals + 1 : arg + strlen(arg));
  for (char& c : key) c = fold_ascii(c);
  if (!key.empty() && key[0] == '/') key[0] = '-';
  return key;
}

// Edits (insertions, deletions, changes) from a to b.
size_t edits(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The digits of a key, which name its input: "2" in "IN2_UNITS=".
std::string digits_of(const std::string& key) {
  std::string digits;
  for (char c : key) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

}  // namespace

// A key naming the same input as the argument comes first, however near
// another: "IN2UNITS=" means IN2_UNITS=, never IN_UNITS=, which would set
// another file's units.
const char* nearest_key(const char* arg) {
  std::string key = key_part(arg);
  if (key.size() > 32) return nullptr;  // no key is that long: nothing to suggest
  std::string digits = digits_of(key);
  const char* best = nullptr;
  size_t best_edits = most_edits + 1;
  bool best_same_input = false;
  auto consider = [&](const char* known) {
    std::string known_key = key_part(known);
    size_t e = edits(key, known_key);
    bool same_input = digits_of(known_key) == digits;
    if (e > most_edits || (best_same_input && !same_input)) return;
    if (e < best_edits || (same_input && !best_same_input)) {
      best = known, best_edits = e, best_same_input = same_input;
    }
  };
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    for (int i = first_input_of(k); i < end_input_of(k); ++i) consider(option_spelling(k, i));
  }
  consider("--help");
  return best;
}
