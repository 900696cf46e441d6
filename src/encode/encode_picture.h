#pragma once

#include <gd.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "core/output_format.h"

// The bytes of an encoded picture: our own GIF encoder's, or libgd's,
// freed with their owner.
struct GdFreer {
  void operator()(void* bytes) const { gdFree(bytes); }
};
struct EncodedPicture {
  std::vector<unsigned char> own;
  std::unique_ptr<void, GdFreer> from_gd;
  size_t gd_size = 0;

  const void* data() const { return from_gd ? from_gd.get() : own.data(); }
  size_t size() const { return from_gd ? gd_size : own.size(); }
};

// Encodes the image as a GIF (the bytes libgd writes, several times
// faster) or a palette PNG. Returns 0, or -1 with the reason in last_error.
int encode_picture(gdImagePtr image, OutputFormat format, EncodedPicture& encoded);

// A palette image, neither interlaced nor with a transparent colour, as a
// GIF; its pixel rows are freed as they are read (encode_gif), so that the
// image serves only to be destroyed afterwards. Returns 0, or -1 with the
// reason in last_error.
int encode_gif_releasing(gdImagePtr image, EncodedPicture& encoded);
