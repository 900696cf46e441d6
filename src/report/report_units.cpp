#include "report/report_units.h"

#include <algorithm>
#include <cmath>

ReportCanvas use_report_units(PlotOptions& o) {
  ReportCanvas canvas{o.size_x, o.size_y, 1};
  canvas.scale = std::min(o.size_x / report_reference_x, o.size_y / report_reference_y);
  o.size_x = static_cast<int32_t>(std::lround(o.size_x / canvas.scale));
  o.size_y = static_cast<int32_t>(std::lround(o.size_y / canvas.scale));
  return canvas;
}
