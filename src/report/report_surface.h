#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "report/report_job.h"

struct SurfaceCloser {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextCloser {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceCloser>;
using Context = std::unique_ptr<cairo_t, ContextCloser>;

// The surface of the job's format and `scale`, its device units per layout
// unit: the caller's pixels for GIF and PNG (the job's band of them), a PDF written to the job as
// it is made (no creation date: the same command line writes the same file), or an SVG gathered in
// `svg` for write_svg.
Surface open_surface(ReportJob& job, std::string& svg, double& scale);

// The finished SVG to the job, its ids as a run alone numbers them and its
// caption added as its title: cairo writes text as outlines, and the file
// should hold the text itself.
// Returns 0, or -1 when the job's writer fails.
int write_svg(ReportJob& job, std::string& svg);
