#include "support/gif_reader.h"

DecodedImage decode_gif(const std::string& bytes) {
  gdImagePtr im =
      gdImageCreateFromGifPtr(static_cast<int>(bytes.size()), const_cast<char*>(bytes.data()));
  return DecodedImage(im, gdImageDestroy);
}

DecodedImage decode_png(const std::string& bytes) {
  gdImagePtr im =
      gdImageCreateFromPngPtr(static_cast<int>(bytes.size()), const_cast<char*>(bytes.data()));
  return DecodedImage(im, gdImageDestroy);
}

int pixel(const DecodedImage& image, int x, int y) {
  if (!image || !gdImageBoundsSafe(image.get(), x, y)) return -1;
  return gdImageGetPixel(image.get(), x, y);
}

std::vector<unsigned char> libgd_bytes(gdImagePtr image, void* (*encode)(gdImagePtr, int*)) {
  int size = 0;
  void* bytes = encode(image, &size);
  std::vector<unsigned char> out(static_cast<unsigned char*>(bytes),
                                 static_cast<unsigned char*>(bytes) + size);
  gdFree(bytes);
  return out;
}
