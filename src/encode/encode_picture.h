#pragma once

#include <gd.h>

#include <cstddef>
#include <memory>

#include "core/output_format.h"

// The bytes of an encoded picture, freed with their owner.
struct GdFreer {
  void operator()(void* bytes) const { gdFree(bytes); }
};
struct EncodedPicture {
  std::unique_ptr<void, GdFreer> bytes;
  size_t size = 0;
};

// Encodes the image as a GIF or a palette PNG. Returns 0, or -1 with the
// reason in last_error.
int encode_picture(gdImagePtr image, OutputFormat format, EncodedPicture& encoded);
