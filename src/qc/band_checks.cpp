#include "qc/band_checks.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "qc/finding.h"
#include "response/evaluate_response.h"

namespace {

// The passband's edge, as a filter's corner is defined.
constexpr double passband_db = 3;
// Below the Nyquist frequency the search for the passband's level spans
// the band of any seismic sensor, a 1000 s corner at 1 Hz sampling included.
constexpr double band_decades = 6;
constexpr int points_per_decade = 20;

std::vector<double> band(const ChannelResponse& r, double nyquist) {
  std::vector<double> f = listed_frequencies(r, {}, 0, nyquist);
  if (!f.empty()) return f;
  const int n = static_cast<int>(band_decades * points_per_decade);
  for (int i = 0; i <= n; ++i) f.push_back(nyquist * std::pow(10, -band_decades * (n - i) / n));
  return f;
}

}  // namespace

QcFinding check_evaluate(const ChannelResponse& r) {
  const char* id = "evaluate";
  double probe = r.has_sensitivity && r.sensitivity_frequency > 0 ? r.sensitivity_frequency : 1;
  std::vector<double> at = listed_frequencies(r, {}, 0, HUGE_VAL);
  if (at.empty()) at = {probe};
  std::vector<std::complex<double>> h;
  std::vector<std::string> notes;
  std::string why;
  if (r.stages.empty()) return qc_finding(id, QcResult::fail, "", "", "the channel has no stage");
  if (evaluate_response(r, {}, {at.front()}, h, notes, why) < 0)
    return qc_finding(id, QcResult::fail, "", "", why);
  return qc_finding(id, QcResult::pass, "", "", "the response can be computed");
}

QcFinding check_sensitivity_frequency(const ChannelResponse& r) {
  const char* id = "sensitivity-frequency";
  const std::string limit = qc_number(passband_db, "dB");
  const double fs = r.sensitivity_frequency;
  if (!r.has_sensitivity || !(fs > 0))
    return not_checked(id, limit, "the file states no sensitivity frequency");
  if (!(r.sample_rate > 0)) return not_checked(id, limit, "the channel states no sample rate");
  const double nyquist = r.sample_rate / 2;
  char text[200];
  if (fs >= nyquist) {
    snprintf(text, sizeof text, "quoted at %g Hz, at or above the Nyquist frequency %g Hz", fs,
             nyquist);
    return qc_finding(id, QcResult::fail, qc_number(fs, "Hz"), limit, text);
  }
  std::vector<double> f = band(r, nyquist);
  f.push_back(fs);
  std::vector<std::complex<double>> h;
  std::vector<std::string> notes;
  std::string why;
  if (evaluate_response(r, {}, f, h, notes, why) < 0)
    return not_checked(id, limit, "the response cannot be evaluated: " + why);
  double peak = 0;
  for (const auto& x : h) {
    if (std::isfinite(std::abs(x))) peak = std::max(peak, std::abs(x));
  }
  double drop = 20 * std::log10(std::abs(h.back()) / peak);
  if (!std::isfinite(drop))
    return not_checked(id, limit, "no amplitude at the sensitivity frequency");
  snprintf(text, sizeof text, "%g Hz lies %.3g dB below the largest amplitude under %g Hz", fs,
           -drop, nyquist);
  return qc_finding(id, pass_if(-drop <= passband_db), qc_number(drop, "dB"), limit, text);
}
