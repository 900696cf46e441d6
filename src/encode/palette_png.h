#pragma once

#include <gd.h>

#include <vector>

// Encodes a palette image as a PNG with the chunks libgd writes (the same
// header, bit depth, palette and resolution, so the same pixels), and its
// pixel rows "up"-filtered and deflated by libdeflate: about twice as fast
// as libgd's zlib at its default level, and about as small. Returns false,
// leaving `out` empty, for an image it does not take (true colour,
// interlaced, with transparent or freed colours, or too big to hold twice
// in memory), which libgd then writes.
bool encode_palette_png(gdImagePtr image, std::vector<unsigned char>& out);
