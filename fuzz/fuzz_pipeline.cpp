// The whole pipeline after the command line: the first 32 bytes choose the
// options, the rest is the response file. The GIF goes to /dev/null, which
// is written directly like any device.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "input/file_text.h"
#include "input/str2graph.h"
#include "plot/draw_gif.h"

namespace {

struct Options {
  double x_min, x_max;
  int size_x, size_y, sub_grid_x, sub_grid_y;
  bool log_x, log_y;
};

constexpr size_t option_bytes = 32;

// Sizes stay small so that each input runs quickly; everything else is free.
Options options_from(const uint8_t* d) {
  Options o;
  memcpy(&o.x_min, d, 8);
  memcpy(&o.x_max, d + 8, 8);
  o.size_x = 640 + d[16] % 200;
  o.size_y = 480 + d[17] % 200;
  memcpy(&o.sub_grid_x, d + 18, 4);
  memcpy(&o.sub_grid_y, d + 22, 4);
  o.log_x = d[26] & 1;
  o.log_y = d[26] & 2;
  // What the command line lets through: 0 < x_min <= x_max, both finite.
  if (!(o.x_min > 0 && o.x_max >= o.x_min && o.x_max < 1e308)) o.x_min = 0.001, o.x_max = 20;
  return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < option_bytes) return 0;
  Options o = options_from(data);
  size -= option_bytes;
  char* copy = static_cast<char*>(malloc(size + 1));
  memcpy(copy, data + option_bytes, size);
  FileText text;
  text.adopt_buffer(copy, size);
  PointList points;
  if (str2graph(std::move(text), points) < 0) return 0;
  draw_gif("/dev/null", std::move(points), o.x_min, o.x_max, o.log_x, o.log_y, "Fuzz", o.size_x,
           o.size_y, o.sub_grid_x, o.sub_grid_y, "x", "y");
  return 0;
}
