#include "report/draw_report.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "draw/picture.h"
#include "encode/rgb_png.h"
#include "report/report_job.h"
#include "report/report_picture.h"

namespace {

int append(void* sink, const unsigned char* data, size_t size) {
  try {
    static_cast<std::vector<unsigned char>*>(sink)->insert(
        static_cast<std::vector<unsigned char>*>(sink)->end(), data, data + size);
    return 0;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int not_drawn(const ReportJob& job) {
  diagnose(std::string("the report picture was not drawn: ") + job.error);
  return fail(message::report_not_drawn, -1);
}

// The drawn pixels as a libgd image reduced to a palette (without
// dithering, which would speckle flat areas), encoded as a GIF. The pixels
// are released before encoding, as the fixed-cell style's image is.
int encode_gif(std::unique_ptr<uint32_t[]> pixels, int width, int height, EncodedPicture& encoded) {
  Picture picture(gdImageCreateTrueColor(width, height));
  if (picture == nullptr) return fail(message::no_memory_for_picture, -1);
  constexpr uint32_t rgb = 0x00FFFFFF;  // libgd's top bits are transparency
  const uint32_t* from = pixels.get();
  for (int y = 0; y < height; ++y, from += width) {
    int* row = picture->tpixels[y];
    for (int x = 0; x < width; ++x) row[x] = static_cast<int>(from[x] & rgb);
  }
  pixels.reset();
  if (!gdImageTrueColorToPalette(picture.get(), 0, gdMaxColors)) {
    return fail(message::no_memory_for_picture, -1);
  }
  return encode_picture(picture.get(), OutputFormat::gif, encoded);
}

}  // namespace

int draw_report(const PicturePlan& plan, const CurveList& curves, const Legend& legend,
                const PlotOptions& o, EncodedPicture& encoded) {
  ReportJob job;
  job.plan = &plan, job.curves = &curves, job.legend = &legend, job.options = &o;
  job.format = o.format;
  try {
    // Not cleared: the renderer paints every pixel first.
    std::unique_ptr<uint32_t[]> pixels;
    if (vector_format(o.format)) {
      job.write = append;
      job.sink = &encoded.own;
    } else {
      pixels = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(o.size_x) *
                                                          static_cast<size_t>(o.size_y));
      job.pixels = pixels.get();
    }
    if (draw_report_picture(job) < 0) return not_drawn(job);
    if (o.format == OutputFormat::gif)
      return encode_gif(std::move(pixels), o.size_x, o.size_y, encoded);
    if (o.format == OutputFormat::png &&
        encode_rgb_png(pixels.get(), o.size_x, o.size_y, encoded.own) < 0) {
      return fail(message::not_encoded, -1);
    }
    return 0;
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_picture, -1);
  }
}
