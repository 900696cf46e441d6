#pragma once

#include <cstddef>
#include <cstdint>

#include "core/curve.h"
#include "core/output_format.h"
#include "core/plot_options.h"
#include "layout/plan_picture.h"

// What the report renderer is handed: the run's plan and curves, and where
// the picture goes. cairo and FreeType are linked into the full binary
// only, so that the fast one never carries them.
//
// The picture is planned in layout units (plan->size_x by plan->size_y, at
// least 800 by 600 of them) and drawn plan->scale device pixels to the
// unit, so that text and lines grow with the picture; its device size is
// the one asked for, options->size_x by options->size_y.
struct ReportJob {
  const PicturePlan* plan = nullptr;
  const CurveList* curves = nullptr;
  const Legend* legend = nullptr;
  const PlotOptions* options = nullptr;
  OutputFormat format = OutputFormat::png;
  // GIF and PNG: the caller's buffer of the device size, 0xXXRRGGBB pixels;
  // or, where band_done is set, of band_rows rows, drawn a band at a time
  // from the top and each handed to band_done(sink, ...) as it is finished.
  uint32_t* pixels = nullptr;
  int band_rows = 0;
  int (*band_done)(void* sink, const uint32_t* pixels, int top, int rows) = nullptr;
  int band_top = 0;  // the band being drawn
  // A band is drawn with this many rows more above and below it, inside
  // the picture, which are not handed over: where a surface's edge cuts a
  // curve, cairo can draw the row at the edge a level apart from the
  // picture drawn whole (seen in bands of 6 rows at 10000x10000).
  static constexpr int band_margin = 2;
  int drawn_top = 0, drawn_rows = 0;  // the rows of the band's surface
  // SVG and PDF: the file's bytes, handed over as they are made.
  int (*write)(void* sink, const unsigned char* data, size_t size) = nullptr;
  void* sink = nullptr;
  char error[200] = {};  // why the picture was not drawn
};
