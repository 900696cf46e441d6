#include "encode/encode_picture.h"

#include "core/fail.h"
#include "core/messages.h"
#include "encode/gif_encoder.h"
#include "encode/palette_png.h"

#include <new>

int encode_gif_releasing(gdImagePtr image, EncodedPicture& encoded) {
  try {
    if (encode_gif(image, encoded.own, true)) return 0;
  } catch (const std::bad_alloc&) {
  }
  return fail(message::not_encoded, -1);
}

int encode_picture(gdImagePtr image, OutputFormat format, EncodedPicture& encoded) {
  try {
    if (format == OutputFormat::gif && encode_gif(image, encoded.own)) return 0;
    if (format == OutputFormat::png && encode_palette_png(image, encoded.own)) return 0;
  } catch (const std::bad_alloc&) {
    return fail(message::not_encoded, -1);
  }
  int size = 0;
  void* bytes =
      format == OutputFormat::png ? gdImagePngPtr(image, &size) : gdImageGifPtr(image, &size);
  if (bytes == nullptr) return fail(message::not_encoded, -1);
  encoded.from_gd.reset(bytes);
  encoded.gd_size = static_cast<size_t>(size);
  return 0;
}
