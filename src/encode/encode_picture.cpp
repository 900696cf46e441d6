#include "encode/encode_picture.h"

#include "core/fail.h"
#include "core/messages.h"

int encode_picture(gdImagePtr image, OutputFormat format, EncodedPicture& encoded) {
  int size = 0;
  void* bytes =
      format == OutputFormat::png ? gdImagePngPtr(image, &size) : gdImageGifPtr(image, &size);
  if (bytes == nullptr) return fail(message::not_encoded, -1);
  encoded.bytes.reset(bytes);
  encoded.size = static_cast<size_t>(size);
  return 0;
}
