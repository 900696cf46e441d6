#include "plot/write_picture.h"

#include <cstddef>

#include "core/fail.h"
#include "plot/write_output.h"

int write_picture(gdImagePtr image, OutputFormat format, const char* out_path,
                  std::span<const FileIdentity> inputs) {
  int size = 0;
  void* bytes =
      format == OutputFormat::png ? gdImagePngPtr(image, &size) : gdImageGifPtr(image, &size);
  if (bytes == nullptr) return fail("draw_gif(): Unable to encode the picture", -3);
  int result = write_output(out_path, bytes, static_cast<size_t>(size), inputs);
  gdFree(bytes);
  return result < 0 ? -3 : 0;
}
