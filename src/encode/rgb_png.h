#pragma once

#include <cstdint>
#include <vector>

// Encodes width x height pixels of 0xXXRRGGBB (row after row, the top byte
// unused) as an 8-bit RGB PNG, appended to `out`. Anti-aliased pictures of
// lines are mostly flat: after the "up" filter their rows are runs, which a
// deflater made for them (row_deflate.h) takes a row at a time, without a
// copy of the picture. Returns 0, or -1 when memory runs out (`out` as it
// was).
int encode_rgb_png(const uint32_t* pixels, int width, int height, std::vector<unsigned char>& out);
