#pragma once

#include <cstdint>
#include <string_view>

// SHARD=i/n takes the channels whose code hashes to i - 1 modulo n: every
// epoch of a channel falls in one shard, and which one depends on nothing
// but the code, never on the order of the inventories or on other channels.

// FNV-1a, 32 bits, of the text.
uint32_t fnv1a(std::string_view text);

// Whether the channel "NET.STA.LOC.CHA" belongs to shard i of n (1 <= i <= n).
bool in_shard(std::string_view channel, int i, int n);
