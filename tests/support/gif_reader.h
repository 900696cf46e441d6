#pragma once

#include <gd.h>

#include <memory>
#include <string>

// A decoded GIF or PNG, for checking size, palette and pixels of what was written.
using DecodedImage = std::unique_ptr<gdImage, void (*)(gdImagePtr)>;
DecodedImage decode_gif(const std::string& bytes);
// The same for a PNG.
DecodedImage decode_png(const std::string& bytes);

// Palette index at (x, y), or -1 outside the image.
int pixel(const DecodedImage& image, int x, int y);
