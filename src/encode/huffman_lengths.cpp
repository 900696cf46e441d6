#include "encode/huffman_lengths.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int most_symbols = 288;
constexpr int longest_code = 15;

// Huffman's tree over `used` leaves of weights in rising order, built by
// the two-queue method (the inner nodes are made in rising order too);
// each leaf's depth into `depth`. Returns the deepest.
int leaf_depths(const uint64_t* weight, int used, int* depth) {
  uint64_t node_weight[2 * most_symbols];
  int parent[2 * most_symbols];
  std::copy(weight, weight + used, node_weight);
  int leaf = 0, inner = used, made = used;
  auto lightest = [&] {
    if (leaf < used && (inner == made || node_weight[leaf] <= node_weight[inner])) return leaf++;
    return inner++;
  };
  while (made < 2 * used - 1) {
    int a = lightest(), b = lightest();
    node_weight[made] = node_weight[a] + node_weight[b];
    parent[a] = parent[b] = made;
    ++made;
  }
  // Every parent is made after its children: depths from the root down.
  int node_depth[2 * most_symbols];
  node_depth[made - 1] = 0;
  int deepest = 0;
  for (int n = made - 2; n >= 0; --n) {
    node_depth[n] = node_depth[parent[n]] + 1;
    if (n < used) deepest = std::max(deepest, node_depth[n]);
  }
  std::copy(node_depth, node_depth + used, depth);
  return deepest;
}

}  // namespace

void huffman_lengths(const uint32_t* freq, int count, int limit, uint8_t* lengths) {
  std::fill(lengths, lengths + count, 0);
  int symbols[most_symbols];
  int used = 0;
  for (int s = 0; s < count; ++s) {
    if (freq[s] != 0) symbols[used++] = s;
  }
  if (used < 2) {
    int a = used == 1 ? symbols[0] : 0;
    lengths[a] = lengths[a == 0 ? 1 : 0] = 1;
    return;
  }
  // Lightest first; equal weights in symbol order, so the code is the same
  // on every machine.
  std::stable_sort(symbols, symbols + used, [&](int a, int b) { return freq[a] < freq[b]; });
  uint64_t weight[most_symbols];
  for (int i = 0; i < used; ++i) weight[i] = freq[symbols[i]];
  int depth[most_symbols];
  // Too deep a tree is flattened by halving the weights (keeping each at 1
  // or more) until it fits: all equal, it is balanced, well within limit.
  while (leaf_depths(weight, used, depth) > limit) {
    for (int i = 0; i < used; ++i) weight[i] = (weight[i] + 1) / 2;
  }
  for (int i = 0; i < used; ++i) lengths[symbols[i]] = static_cast<uint8_t>(depth[i]);
}

void canonical_codes(const uint8_t* lengths, int count, uint16_t* codes) {
  int of_length[longest_code + 1] = {};
  for (int s = 0; s < count; ++s) ++of_length[lengths[s]];
  of_length[0] = 0;
  unsigned next[longest_code + 1] = {};
  unsigned code = 0;
  for (int bits = 1; bits <= longest_code; ++bits) {
    code = (code + static_cast<unsigned>(of_length[bits - 1])) << 1;
    next[bits] = code;
  }
  for (int s = 0; s < count; ++s) {
    int bits = lengths[s];
    unsigned c = bits == 0 ? 0 : next[bits]++;
    unsigned reversed = 0;
    for (int k = 0; k < bits; ++k) reversed |= ((c >> k) & 1u) << (bits - 1 - k);
    codes[s] = static_cast<uint16_t>(reversed);
  }
}
