#include "layout/axis_names.h"

std::vector<UprightName> upright_names(const PlotOptions& o, const PicturePlan& plan) {
  std::vector<UprightName> names;
  if (!o.phase && !o.diff) {
    names.push_back({o.dim_y, 0, plan.size_y, false});
  } else {
    names.push_back({o.dim_y, plan.amplitude.top, plan.amplitude.bottom, plan.clipped});
  }
  if (o.phase) names.push_back({o.dim_p, plan.phase.top, plan.phase.bottom, plan.clipped});
  if (o.diff) names.push_back({o.dim_d, plan.deviation.top, plan.deviation.bottom, true});
  if (o.diff && o.phase) {
    names.push_back({o.dim_dp, plan.phase_deviation.top, plan.phase_deviation.bottom, true});
  }
  std::erase_if(names, [](const UprightName& n) { return n.text[0] == '\0'; });
  return names;
}
