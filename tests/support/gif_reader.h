#pragma once

#include <gd.h>

#include <memory>
#include <string>
#include <vector>

// A decoded GIF or PNG (the raster formats), for checking size, palette and pixels of what was
// written.
using DecodedImage = std::unique_ptr<gdImage, void (*)(gdImagePtr)>;
DecodedImage decode_gif(const std::string& bytes);
// The same for a PNG.
DecodedImage decode_png(const std::string& bytes);

// Palette index at (x, y), or -1 outside the image.
int pixel(const DecodedImage& image, int x, int y);

// libgd's own bytes for the image, as `encode` (gdImageGifPtr, gdImagePngPtr) writes them.
std::vector<unsigned char> libgd_bytes(gdImagePtr image, void* (*encode)(gdImagePtr, int*));
