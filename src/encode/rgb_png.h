#pragma once

#include <cstdint>
#include <vector>

// Encodes width x height pixels of 0xXXRRGGBB (row after row, the top byte
// unused) as an 8-bit RGB PNG, appended to `out`. Anti-aliased pictures are
// mostly flat: the "up" filter and a fast deflate level make them about as
// small as the slow settings, in a fraction of the time. Returns 0, or -1
// when memory runs out.
int encode_rgb_png(const uint32_t* pixels, int width, int height, std::vector<unsigned char>& out);
