#include "report/report_picture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <numbers>
#include <string>
#include <vector>

#include "core/run_together.h"
#include "layout/axis_names.h"
#include "layout/guide_lines.h"
#include "layout/layout_size.h"
#include "layout/report_room.h"
#include "layout/sensitivity_mark.h"
#include "report/band_view.h"
#include "report/report_axes.h"
#include "report/report_curves.h"
#include "report/report_legend.h"
#include "report/report_surface.h"
#include "report/report_text.h"
#include "report/trace_curve.h"

namespace {

constexpr TextStyle caption_style{report_caption_size, true};
constexpr TextStyle name_style{report_name_size};
// Curves are thinned for a raster this much finer than the device's: a
// vector file may be magnified, a raster one never is, and its own columns
// keep each column's extremes.
constexpr double vector_columns = 4, raster_columns = 1;
constexpr double dash[] = {4, 3};

// Unhinted outlines and grey anti-aliasing whatever the machine's settings.
void set_text_options(cairo_t* cr) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

struct Drawing {
  cairo_t* cr;
  const ReportFonts& fonts;
  const ReportJob& job;
  const PlotOptions& o;
  const PicturePlan& plan;
  const ReportMetrics& metrics;
};

// Centred on `middle`, kept inside the picture.
void centred_text(const Drawing& d, TextStyle style, const char* text, double middle,
                  double baseline) {
  if (!text_shows(d.cr, d.fonts, style.size, baseline, baseline)) return;
  std::string shown = fitted_text(d.cr, d.fonts, style, valid_text(text), d.plan.size_x);
  double width = text_width(d.cr, d.fonts, style, shown);
  double left = std::clamp(middle - width / 2, 0.0, d.plan.size_x - width);
  show_text(d.cr, d.fonts, style, left, baseline, shown);
}

// An axis name upright, centred between rows `top` and `bottom`.
void upright_name(const Drawing& d, const char* name, double top, double bottom) {
  // Turned, a glyph's ink before its origin or past its advance lies
  // below or above the rows.
  double reach = d.fonts.reach_across() * name_style.size;
  if (name[0] == '\0' || !rows_show(d.cr, top - reach, bottom + reach)) return;
  std::string shown = fitted_text(d.cr, d.fonts, name_style, valid_text(name), bottom - top);
  double width = text_width(d.cr, d.fonts, name_style, shown);
  cairo_save(d.cr);
  cairo_translate(d.cr, report_name_column(d.metrics), (top + bottom + width) / 2);
  cairo_rotate(d.cr, -M_PI / 2);
  show_text(d.cr, d.fonts, name_style, 0, 0, shown);
  cairo_restore(d.cr);
}

// The lowest panel's bottom row.
int plot_bottom(const PicturePlan& plan) {
  return std::max({plan.amplitude.bottom, plan.phase.bottom, plan.deviation.bottom,
                   plan.phase_deviation.bottom});
}

void draw_titles(const Drawing& d) {
  cairo_set_source_rgb(d.cr, 0, 0, 0);
  const PlotArea& a = d.plan.amplitude;
  if (d.o.caption[0] != '\0') {
    centred_text(d, caption_style, d.o.caption, d.plan.size_x / 2.0,
                 report_caption_baseline(d.metrics));
  }
  if (d.o.dim_x[0] != '\0') {
    centred_text(d, name_style, d.o.dim_x, (a.left + a.right) / 2.0,
                 report_x_name_baseline(d.plan, d.metrics));
  }
  // Every name is fitted to its rows: the proportional text is cut to
  // what fits, not by cells. The rows are the panels', never the frequency
  // labels' below them. Where the tick labels took the names' room, there
  // are none.
  if (!d.plan.upright_names) return;
  for (const UprightName& n : upright_names(d.o, d.plan)) {
    upright_name(d, n.text, std::max(n.top, a.top), std::min(n.bottom, plot_bottom(d.plan)));
  }
}

TickRule x_rule(const PicturePlan& plan) {
  return plan.fit_x ? plan.x_rule : range_rule(plan.amplitude.x);
}

// A stated sensitivity as a ring on its curve, inside the area only.
void ring_sensitivity(cairo_t* cr, const PlotArea& area, ResponsePoint mark, const Rgb& c) {
  double x = along(area.x, mark.x), y = along(area.y, mark.y);
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (x < 0 || x > area.width || y < 0 || y > area.height) return;
  cairo_save(cr);
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
  cairo_set_line_width(cr, 1);
  cairo_new_sub_path(cr);
  cairo_arc(cr, area.left + x, area.bottom - y, sensitivity_mark_radius, 0, 2 * std::numbers::pi);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// A panel's curves as traced, and the masks of those drawn dense.
struct PanelCurves {
  std::vector<TracedCurve> traced;
  std::vector<DenseMask> masks;
};

// Each curve's points of `list`, from `first` on, traced for the area.
void trace_panel(const Drawing& d, const PlotArea& area, PointList Curve::*list, size_t first,
                 PanelCurves& panel) {
  const CurveList& curves = *d.job.curves;
  std::vector<TracedCurve>& traced = panel.traced;
  traced.assign(curves.size(), TracedCurve());
  panel.masks.resize(curves.size());
  bool vector = vector_format(d.job.format);
  for (size_t i = first; i < curves.size(); ++i) {
    trace_curve(curves[i].*list, area, (vector ? vector_columns : raster_columns) * d.plan.scale,
                traced[i]);
  }
}

// One panel: grid, labels and, from `first` on, each curve as traced.
void draw_panel(const Drawing& d, const PlotArea& area, const TickRule& y_rule, bool x_labels,
                PointList Curve::*list, size_t first, int sub_grid_y, PanelCurves& panel) {
  draw_report_grid(d.cr, area, x_rule(d.plan), y_rule, d.o.sub_grid_x, sub_grid_y);
  draw_report_labels(d.cr, d.fonts, area, x_rule(d.plan), y_rule, x_labels, d.plan.size_x);
  const CurveList& curves = *d.job.curves;
  bool vector = vector_format(d.job.format);
  for (size_t i = first; i < curves.size(); ++i) {
    // A dense curve in a vector file is a raster twice as fine as the picture.
    stroke_curve(d.cr, area, panel.traced[i], curves[i].color, (vector ? 2 : 1) * d.plan.scale,
                 vector, curve_line_width(d.o, d.plan.scale, report_curve_width), panel.masks[i]);
    if (list == &Curve::points && curves[i].sensitivity) {
      ring_sensitivity(d.cr, area, *curves[i].sensitivity, curves[i].color);
    }
  }
}

size_t phase_points(const CurveList& curves) {
  size_t n = 0;
  for (const Curve& c : curves) n += c.phases.size();
  return n;
}

// The amplitude and the phase curves, traced at once on two threads when
// the phases are many: below this a thread's start (about 0.1 ms, some 10^4
// points' tracing) costs more than it saves.
constexpr size_t trace_apart_from = size_t{1} << 16;

// Every panel's curves, traced once for all the bands of a picture.
struct TracedPanels {
  PanelCurves amplitude, phase, deviation, phase_deviation;
};

void trace_two_panels(const Drawing& d, bool phase_panel, PanelCurves& amplitude,
                      PanelCurves& phase) {
  auto trace_amplitude = [&] { trace_panel(d, d.plan.amplitude, &Curve::points, 0, amplitude); };
  auto trace_phase = [&] {
    if (phase_panel) trace_panel(d, d.plan.phase, &Curve::phases, 0, phase);
  };
  if (phase_panel && phase_points(*d.job.curves) >= trace_apart_from) {
    run_together(trace_amplitude, trace_phase);
  } else {
    trace_amplitude();
    trace_phase();
  }
}

void dashed_line(cairo_t* cr, const Rgb& c, double x0, double y0, double x1, double y1) {
  cairo_save(cr);
  cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
  cairo_set_line_width(cr, 1);
  cairo_set_dash(cr, dash, 2, 0);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void trace_all(const Drawing& d, TracedPanels& t) {
  trace_two_panels(d, d.o.phase && d.plan.phase_drawable, t.amplitude, t.phase);
  if (d.o.diff) trace_panel(d, d.plan.deviation, &Curve::deviation, 1, t.deviation);
  if (d.o.diff && d.o.phase) {
    trace_panel(d, d.plan.phase_deviation, &Curve::phase_deviation, 1, t.phase_deviation);
  }
}

void draw_deviation(const Drawing& d, const PlotArea& area, const TickRule& rule,
                    PointList Curve::*list, double tolerance, bool x_labels, PanelCurves& panel) {
  draw_panel(d, area, rule, x_labels, list, 1, 0, panel);
  for (double v : {0.0, -tolerance, tolerance}) {
    double row = area.bottom - along(area.y, v);
    if (!(area.top <= row && row <= area.bottom)) continue;
    if (v == 0) {
      cairo_set_source_rgb(d.cr, 0, 0, 0);
      cairo_set_line_width(d.cr, 0.8);
      cairo_move_to(d.cr, area.left, row);
      cairo_line_to(d.cr, area.right, row);
      cairo_stroke(d.cr);
    } else if (tolerance > 0) {
      dashed_line(d.cr, tolerance_color, area.left, row, area.right, row);
    }
  }
}

void draw_nyquist(const Drawing& d) {
  double f = d.o.nyquist / 2;
  const PlotArea& a = d.plan.amplitude;
  if (!(a.x.min <= f && f <= a.x.max)) return;
  double column = a.left + along(a.x, f);
  for (const PlotArea* area : {&a, &d.plan.phase, &d.plan.deviation, &d.plan.phase_deviation}) {
    if (area->width > 0) dashed_line(d.cr, nyquist_color, column, area->top, column, area->bottom);
  }
  const char* name = d.o.nyquist_name;
  constexpr double inset = 3;
  double width = text_width(d.cr, d.fonts, {label_size}, name);
  double left = column + inset;
  if (left + width > a.right) left = column - inset - width;
  const Rgb& c = nyquist_color;
  cairo_set_source_rgb(d.cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
  show_text(d.cr, d.fonts, {label_size}, left, a.top + inset + cap_height * label_size, name);
}

void draw_all(const Drawing& d, TracedPanels& t) {
  cairo_set_source_rgb(d.cr, 1, 1, 1);
  cairo_paint(d.cr);
  draw_titles(d);
  const PicturePlan& plan = d.plan;
  const PlotOptions& o = d.o;
  TickRule y_rule = plan.fit_y ? plan.y_rule : range_rule(plan.amplitude.y);
  draw_panel(d, plan.amplitude, y_rule, !o.phase && !o.diff, &Curve::points, 0, o.sub_grid_y,
             t.amplitude);
  if (o.phase) {
    // Phases that cannot be placed leave their panel without curves, but
    // with its labels: the frequencies' may be the picture's only ones.
    size_t first = plan.phase_drawable ? 0 : d.job.curves->size();
    draw_panel(d, plan.phase, plan.phase_rule, !o.diff, &Curve::phases, first, 0, t.phase);
  }
  if (o.diff) {
    draw_deviation(d, plan.deviation, plan.deviation_rule, &Curve::deviation, tolerance_db(o),
                   !o.phase, t.deviation);
    if (o.phase) {
      draw_deviation(d, plan.phase_deviation, plan.phase_deviation_rule, &Curve::phase_deviation,
                     tolerance_deg(o), true, t.phase_deviation);
    }
  }
  if (o.nyquist > 0) draw_nyquist(d);
  // Last: nothing is drawn over the legend.
  draw_report_legend(d.cr, d.fonts, plan.amplitude, *d.job.legend, *d.job.curves,
                     t.amplitude.traced, curve_line_width(o, plan.scale, report_curve_width),
                     o.legend_corner);
}

int failed(ReportJob& job, const char* why) {
  snprintf(job.error, sizeof job.error, "%s", why);
  return -1;
}

// What the bands of a picture share: its areas, placed again for the
// labels as the font measures them, and its curves traced for them.
struct Prepared {
  bool ready = false;
  PicturePlan plan;
  ReportMetrics metrics;
  TracedPanels traced;
};

// The picture, or the job's band of it, drawn with the open fonts; the
// first band prepares what the others share.
int draw_once(ReportJob& job, const ReportFonts& fonts, Prepared& prep) {
  double scale;
  std::string svg;
  Surface surface = open_surface(job, svg, scale);
  Context cr(cairo_create(surface.get()));
  // A band is the picture moved up by whole pixels: the same pixels.
  cairo_translate(cr.get(), 0, -job.drawn_top);
  cairo_scale(cr.get(), scale, scale);
  set_text_options(cr.get());
  Drawing d{cr.get(), fonts, job, *job.options, prep.plan, prep.metrics};
  if (!prep.ready) {
    prep.plan = *job.plan;
    prep.metrics = report_metrics(cr.get(), fonts);
    plan_report_room(prep.plan, *job.options, prep.metrics);
    prep.metrics.label_width = nullptr;  // it measures with this band's context
    trace_all(d, prep.traced);
    prep.ready = true;
  }
  draw_all(d, prep.traced);
  cairo_status_t status = cairo_status(cr.get());
  cr.reset();
  cairo_surface_finish(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS) return failed(job, cairo_status_to_string(status));
  if (job.format == OutputFormat::svg && write_svg(job, svg) < 0) {
    return failed(job, "out of memory");
  }
  return 0;
}

}  // namespace

int draw_report_picture(ReportJob& job) {
  try {
    ReportFonts fonts;
    if (fonts.open() < 0) return failed(job, "the bundled font cannot be read");
    Prepared prep;
    if (job.band_done == nullptr) return draw_once(job, fonts, prep);
    const int height = job.options->size_y;
    for (job.band_top = 0; job.band_top < height; job.band_top += job.band_rows) {
      job.drawn_top = std::max(0, job.band_top - ReportJob::band_margin);
      job.drawn_rows =
          std::min(height, job.band_top + job.band_rows + ReportJob::band_margin) - job.drawn_top;
      if (draw_once(job, fonts, prep) < 0) return -1;
      int rows = std::min(job.band_rows, height - job.band_top);
      const uint32_t* band = job.pixels + static_cast<size_t>(job.band_top - job.drawn_top) *
                                              static_cast<size_t>(job.options->size_x);
      if (job.band_done(job.sink, band, job.band_top, rows) < 0) {
        return failed(job, "out of memory");
      }
    }
    return 0;
  } catch (const std::bad_alloc&) {
    return failed(job, "out of memory");
  }
}
