#include "compare/verdict.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/messages.h"

namespace {

// The deviation of largest magnitude inside [x.min, x.max]; false if none.
bool largest(const PointList& deviation, const AxisScale& x, double& value, double& at) {
  bool found = false;
  for (const ResponsePoint& p : deviation) {
    if (!(x.min <= p.x && p.x <= x.max)) continue;
    if (!found || std::fabs(p.y) > std::fabs(value)) value = p.y, at = p.x;
    found = true;
  }
  return found;
}

// The key without its equals sign: "IN2".
std::string_view key_name(int input) {
  std::string_view key = input_keys[input].in_key;
  return key.substr(0, key.size() - 1);
}

}  // namespace

std::vector<Verdict> judge(const CurveList& curves, const AxisScale& x, const PlotOptions& o) {
  std::vector<Verdict> verdicts;
  for (size_t i = 1; i < curves.size(); ++i) {
    Verdict v{curves[i].input};
    v.measured = largest(curves[i].deviation, x, v.db, v.db_at);
    v.within = v.measured && std::fabs(v.db) <= o.tol_db;
    v.phase_wanted = o.phase;
    v.phase = o.phase && largest(curves[i].phase_deviation, x, v.deg, v.deg_at);
    bool phase_met = !o.tol_deg_given || (v.phase && std::fabs(v.deg) <= o.tol_deg);
    if (o.phase && !phase_met) v.within = false;
    verdicts.push_back(v);
  }
  return verdicts;
}

std::string verdict_line(const Verdict& v) {
  char text[200];
  std::string_view key = key_name(v.input);
  int k = static_cast<int>(key.size());
  if (!v.measured) {
    snprintf(text, sizeof text, message::verdict_unmeasured, k, key.data());
    return text;
  }
  int n = snprintf(text, sizeof text, message::verdict_amplitude, k, key.data(), std::fabs(v.db),
                   v.db_at);
  if (v.phase) {
    n += snprintf(text + n, sizeof text - n, message::verdict_phase, std::fabs(v.deg), v.deg_at);
  } else if (v.phase_wanted) {
    n += snprintf(text + n, sizeof text - n, message::verdict_no_phase);
  }
  snprintf(text + n, sizeof text - n, message::verdict_end,
           v.within ? message::within : message::outside);
  return text;
}
