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

}  // namespace

const char* nearest_key(const char* arg) {
  std::string key = key_part(arg);
  if (key.size() > 32) return nullptr;  // no key is that long: nothing to suggest
  const char* best = nullptr;
  size_t best_edits = most_edits + 1;
  auto consider = [&](const char* known) {
    size_t e = edits(key, key_part(known));
    if (e < best_edits) best = known, best_edits = e;
  };
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    for (int i = first_input_of(k); i < end_input_of(k); ++i) consider(option_spelling(k, i));
  }
  consider("--help");
  return best;
}
