#pragma once

#include <cairo.h>

#include <utility>

#include "core/curve.h"
#include "layout/plot_area.h"
#include "report/trace_curve.h"

// A dense curve's raster (see stroke_curve), plotted by the first band of
// a picture that shows it and painted by every band.
class DenseMask {
 public:
  DenseMask() = default;
  DenseMask(DenseMask&& other) noexcept : surface(std::exchange(other.surface, nullptr)) {}
  DenseMask& operator=(DenseMask&&) = delete;
  ~DenseMask() {
    if (surface != nullptr) cairo_surface_destroy(surface);
  }
  cairo_surface_t* surface = nullptr;
};

// Strokes a traced curve inside the area, anti-aliased, in `color`; a lone
// point is drawn as a small slanted cross. A curve thinning could not
// reduce (frequencies out of order) is drawn without anti-aliasing on a
// raster of `pixels` per layout unit, in bounded time and file size, kept
// in `mask` for the picture's other bands. `vector`: the surface is a
// vector file's. `width`: layout units.
void stroke_curve(cairo_t* cr, const PlotArea& area, const TracedCurve& curve, const Rgb& color,
                  double pixels, bool vector, double width, DenseMask& mask);

// Layout units, unless LW= is given: 1.5 pt at 800 x 600, as a plotting
// library's defaults draw.
constexpr double report_curve_width = 2;
