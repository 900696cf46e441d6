#include "qc/shard.h"

namespace {

// The published FNV-1a parameters for 32 bits.
constexpr uint32_t fnv_offset_basis = 2166136261u;
constexpr uint32_t fnv_prime = 16777619u;

}  // namespace

uint32_t fnv1a(std::string_view text) {
  uint32_t hash = fnv_offset_basis;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= fnv_prime;
  }
  return hash;
}

bool in_shard(std::string_view channel, int i, int n) {
  return fnv1a(channel) % static_cast<uint32_t>(n) == static_cast<uint32_t>(i - 1);
}
