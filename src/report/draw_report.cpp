#include "report/draw_report.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/messages.h"
#include "draw/picture.h"
#include "encode/band_palette.h"
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

// A raster is drawn in bands, each handed on as it is finished: the
// kernel's fresh pages cost a picture more than drawing on them, and each
// band of about this many bytes is drawn in the pages of the one before
// (an 800x600 picture in 8 bands faults in 370 pages fewer, and runs 10 %
// faster). A band draws only what reaches it, but what does (a panel's
// grid, text it crosses) is drawn again: a tall picture is drawn in at
// most `most_bands`. PNG and GIF are cut the same way, so that a GIF is
// the PNG's picture reduced to a palette, pixel for pixel (cairo can draw
// the rows near a band's edge a level apart from another cut).
constexpr size_t band_bytes = size_t{256} << 10;
constexpr size_t most_bands = 16;

void cut_into_bands(ReportJob& job, int width, int height) {
  size_t row_bytes = sizeof(uint32_t) * static_cast<size_t>(width);
  size_t rows =
      std::max(band_bytes / row_bytes, (static_cast<size_t>(height) + most_bands - 1) / most_bands);
  job.band_rows = static_cast<int>(std::clamp(rows, size_t{1}, static_cast<size_t>(height)));
}

// A band's surface: its rows and its margins.
std::unique_ptr<uint32_t[]> band_buffer(const ReportJob& job, int width, int height) {
  int rows = std::min(height, job.band_rows + 2 * ReportJob::band_margin);
  return std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width) *
                                                    static_cast<size_t>(rows));
}

int count_band(void* sink, const uint32_t* pixels, int, int rows) {
  auto* palette = static_cast<BandPalette*>(sink);
  palette->count(pixels, static_cast<size_t>(palette->width()) * static_cast<size_t>(rows));
  return 0;
}

int map_band(void* sink, const uint32_t* pixels, int top, int rows) {
  static_cast<BandPalette*>(sink)->map(pixels, top, rows);
  return 0;
}

struct WholePicture {
  uint32_t* pixels;
  size_t width;
};

int keep_band(void* sink, const uint32_t* pixels, int top, int rows) {
  auto* whole = static_cast<WholePicture*>(sink);
  size_t at = static_cast<size_t>(top) * whole->width;
  memcpy(whole->pixels + at, pixels, static_cast<size_t>(rows) * whole->width * sizeof *pixels);
  return 0;
}

// A GIF's true colour up to this many bytes is kept whole, so that it is
// drawn once; a larger one (10000x10000 would be 400 MB) is drawn twice,
// once to count its colours, then, its palette chosen, again to map them.
constexpr size_t gif_whole_bytes = size_t{16} << 20;

// The picture reduced to a palette as libgd reduces it (without dithering,
// which would speckle flat areas), encoded as a GIF.
int draw_gif(ReportJob& job, int width, int height, EncodedPicture& encoded) {
  BandPalette palette;
  palette.start(width, height);
  cut_into_bands(job, width, height);
  auto band = band_buffer(job, width, height);
  job.pixels = band.get();
  size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (pixels * sizeof(uint32_t) <= gif_whole_bytes) {
    auto whole = std::make_unique_for_overwrite<uint32_t[]>(pixels);
    WholePicture kept{whole.get(), static_cast<size_t>(width)};
    job.band_done = keep_band;
    job.sink = &kept;
    if (draw_report_picture(job) < 0) return not_drawn(job);
    palette.count(whole.get(), pixels);
    if (!palette.choose()) return fail(message::no_memory_for_picture, -1);
    palette.map(whole.get(), 0, height);
  } else {
    job.band_done = count_band;
    job.sink = &palette;
    if (draw_report_picture(job) < 0) return not_drawn(job);
    if (!palette.choose()) return fail(message::no_memory_for_picture, -1);
    job.band_done = map_band;
    if (draw_report_picture(job) < 0) return not_drawn(job);
  }
  band.reset();
  Picture picture = palette.take();
  return encode_gif_releasing(picture.get(), encoded);
}

struct PngSink {
  RgbPngRows* png;
  bool out_of_memory;
};

int encode_band(void* sink, const uint32_t* pixels, int, int rows) {
  auto* png = static_cast<PngSink*>(sink);
  try {
    png->png->add(pixels, rows);
    return 0;
  } catch (const std::bad_alloc&) {
    png->out_of_memory = true;
    return -1;
  }
}

int draw_png(ReportJob& job, int width, int height, EncodedPicture& encoded) {
  cut_into_bands(job, width, height);
  // Not cleared: the renderer paints every pixel first.
  auto band = band_buffer(job, width, height);
  job.pixels = band.get();
  job.band_done = encode_band;
  try {
    RgbPngRows png(encoded.own, width, height);
    PngSink sink{&png, false};
    job.sink = &sink;
    if (draw_report_picture(job) < 0) {
      return sink.out_of_memory ? fail(message::not_encoded, -1) : not_drawn(job);
    }
    png.finish();
    return 0;
  } catch (const std::bad_alloc&) {
    return fail(message::not_encoded, -1);
  }
}

}  // namespace

int draw_report(const PicturePlan& plan, const CurveList& curves, const Legend& legend,
                const PlotOptions& o, EncodedPicture& encoded) {
  ReportJob job;
  job.plan = &plan, job.curves = &curves, job.legend = &legend, job.options = &o;
  job.format = o.format;
  try {
    if (o.format == OutputFormat::gif) return draw_gif(job, o.size_x, o.size_y, encoded);
    if (o.format == OutputFormat::png) return draw_png(job, o.size_x, o.size_y, encoded);
    job.write = append;
    job.sink = &encoded.own;
    if (draw_report_picture(job) < 0) return not_drawn(job);
    return 0;
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_picture, -1);
  }
}
