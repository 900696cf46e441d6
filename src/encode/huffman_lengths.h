#pragma once

#include <cstdint>

// The lengths of a prefix code for `count` symbols (at most 288) of the
// given frequencies, none longer than `limit` bits, as deflate's dynamic
// blocks carry them: 0 for a symbol never used. Where fewer than two
// symbols are used, two get length 1, so that every inflater takes the
// code as complete.
void huffman_lengths(const uint32_t* freq, int count, int limit, uint8_t* lengths);

// The codes of those lengths, canonical as deflate assigns them, each with
// its bits reversed: deflate's bit writer sends a code's first bit first.
void canonical_codes(const uint8_t* lengths, int count, uint16_t* codes);
