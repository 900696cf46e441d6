#include "core/log_table.h"

#include <algorithm>
#include <cmath>

#include "core/unwrap.h"

PointList in_frequency_order(const PointList& points) {
  PointList sorted;
  sorted.reserve(points.size());
  for (const ResponsePoint& p : points) {
    if (p.x > 0) sorted.push_back(p);
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const ResponsePoint& a, const ResponsePoint& b) { return a.x < b.x; });
  return sorted;
}

LogTable::LogTable(const PointList& points, TableValues values)
    : log_values_(values == TableValues::log_amplitude) {
  PointList sorted = in_frequency_order(points);
  if (!log_values_) unwrap_phase(sorted);
  for (const ResponsePoint& p : sorted) {
    if (log_values_ && !(p.y > 0)) continue;
    log_f_.push_back(std::log10(p.x));
    value_.push_back(log_values_ ? std::log10(p.y) : p.y);
  }
  left_out_ = points.size() - log_f_.size();
}

bool LogTable::covers(double f) const {
  if (log_f_.empty() || !(f > 0)) return false;
  double lf = std::log10(f);
  return log_f_.front() <= lf && lf <= log_f_.back();
}

double LogTable::at(double f) const {
  double lf = std::log10(f);
  auto hi = std::upper_bound(log_f_.begin(), log_f_.end(), lf);
  size_t j = static_cast<size_t>(hi - log_f_.begin());
  double v;
  if (j == 0) {
    v = value_.front();
  } else if (j == log_f_.size() || log_f_[j - 1] == lf) {
    v = value_[j - 1];
  } else {
    double w = (lf - log_f_[j - 1]) / (log_f_[j] - log_f_[j - 1]);
    v = value_[j - 1] + w * (value_[j] - value_[j - 1]);
  }
  return log_values_ ? std::pow(10.0, v) : v;
}
