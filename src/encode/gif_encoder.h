#pragma once

#include <gd.h>

#include <vector>

// Encodes a palette image, neither interlaced nor with a transparent
// colour, as a GIF byte for byte as gdImageGifPtr does: the same header and
// colour table, and the same LZW stream, down to the dictionary's
// open-addressing table, whose probing decides which of two equal strings
// a code stands for. It reads the pixel rows directly and writes into one
// buffer, where libgd calls a function for every pixel and every byte.
// Returns false, leaving `out` empty, for an image it does not take.
// With `release_rows`, each pixel row of an image it takes is freed (and
// left null) once copied, so that a large picture is not held twice; the
// image then serves only to be destroyed.
bool encode_gif(gdImagePtr image, std::vector<unsigned char>& out, bool release_rows = false);
