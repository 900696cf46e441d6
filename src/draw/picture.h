#pragma once

#include <gd.h>

#include <memory>

// A libgd image, destroyed with its owner.
struct ImageDestroyer {
  void operator()(gdImagePtr image) const { gdImageDestroy(image); }
};
using Picture = std::unique_ptr<gdImage, ImageDestroyer>;
