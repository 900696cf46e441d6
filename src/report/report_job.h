#pragma once

#include <cstddef>
#include <cstdint>

#include "core/curve.h"
#include "core/output_format.h"
#include "core/plot_options.h"
#include "layout/plan_picture.h"

// What the report renderer, a module loaded only for report pictures, is
// handed: the module pulls in cairo and FreeType, whose loading would cost
// every other run several milliseconds. Both sides are built from one tree;
// `abi` guards against a module from another build.
constexpr int report_abi = 1;
constexpr char report_module_name[] = "afcdraw-report.so";
constexpr char report_entry_name[] = "afcdraw_render_report";

// The picture is planned in layout units, a picture of at least 800 by 600
// of them, and drawn `scale` device pixels to the unit, so that text and
// lines grow with the picture.
struct ReportJob {
  int abi = report_abi;
  const PicturePlan* plan = nullptr;
  const CurveList* curves = nullptr;
  const Legend* legend = nullptr;
  const PlotOptions* options = nullptr;  // in layout units
  int width = 0;                         // device pixels
  int height = 0;
  double scale = 1;
  OutputFormat format = OutputFormat::png;
  // GIF and PNG: the caller's width x height buffer of 0xXXRRGGBB pixels.
  uint32_t* pixels = nullptr;
  // SVG and PDF: the file's bytes, handed over as they are made.
  int (*write)(void* sink, const unsigned char* data, size_t size) = nullptr;
  void* sink = nullptr;
  char error[200] = {};  // why the picture was not drawn
};

// The module's entry: draws the job's picture. Returns 0, or -1 with the
// reason in job->error.
using RenderReport = int (*)(ReportJob* job);
