#include "qc/band_checks.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "qc/channel_rate.h"
#include "qc/finding.h"
#include "response/evaluate_response.h"
#include "response/units.h"

namespace {

// The passband's edge, as a filter's corner is defined.
constexpr double passband_db = 3;
// Below the Nyquist frequency the search for the passband's level spans
// the band of any seismic sensor, a 1000 s corner at 1 Hz sampling included.
constexpr double band_decades = 6;
constexpr int points_per_decade = 20;
constexpr int own_units = -1;  // as EvaluateOptions::units names them

// A first-order filter's amplitude changes by 3 dB over the octave
// centred on its corner: a response changing less there is flat, in its
// passband, whatever peak a lightly damped resonance raises elsewhere.
const double half_octave = std::sqrt(2.0);

// The units the response is looked at in for flatness: its own, and for
// one stated in displacement velocity and acceleration too (older metadata
// state seismometers flat in velocity in displacement). Other motions are
// not tried: a first-order skirt is flat in the next motion.
std::vector<int> passband_units(const ChannelResponse& r) {
  std::vector<int> units = {own_units};
  const std::string& input =
      r.stages.empty() ? r.sensitivity_input_units : r.stages.front().input_units;
  if (read_units(input).kind != MotionKind::displacement) return units;
  for (MotionKind k : {MotionKind::velocity, MotionKind::acceleration})
    units.push_back(static_cast<int>(k));
  return units;
}

const char* units_name(int units) {
  static const char* const motions[] = {"displacement", "velocity", "acceleration"};
  return units >= 0 && units < static_cast<int>(MotionKind::other) ? motions[units]
                                                                   : "its own units";
}

// How much the amplitude changes over the octave centred on f (cut at the
// Nyquist frequency); NaN where it cannot be evaluated there.
double octave_change_db(const ChannelResponse& r, int units, double f, double nyquist) {
  EvaluateOptions o;
  o.units = units;
  std::vector<std::complex<double>> h;
  std::vector<std::string> notes;
  std::string why;
  if (evaluate_response(r, o, {f / half_octave, std::min(f * half_octave, nyquist)}, h, notes,
                        why) < 0)
    return NAN;
  return std::abs(20 * std::log10(std::abs(h[1]) / std::abs(h[0])));
}

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
  const double rate = channel_rate(r);
  if (!(rate > 0)) return not_checked(id, limit, "the channel states no sample rate");
  const double nyquist = rate / 2;
  char text[240];
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
  if (-drop <= passband_db) {
    snprintf(text, sizeof text, "%g Hz lies %.3g dB below the largest amplitude under %g Hz", fs,
             -drop, nyquist);
    return qc_finding(id, QcResult::pass, qc_number(drop, "dB"), limit, text);
  }
  for (int units : passband_units(r)) {
    double change = octave_change_db(r, units, fs, nyquist);
    if (!(change <= passband_db)) continue;
    snprintf(text, sizeof text,
             "%g Hz lies %.3g dB below the largest amplitude under %g Hz, but where the response "
             "is flat (%s: %.2g dB over the octave around it)",
             fs, -drop, nyquist, units_name(units), change);
    return qc_finding(id, QcResult::pass, qc_number(change, "dB"), limit, text);
  }
  snprintf(text, sizeof text,
           "%g Hz lies %.3g dB below the largest amplitude under %g Hz, where the response is "
           "not flat",
           fs, -drop, nyquist);
  return qc_finding(id, QcResult::fail, qc_number(drop, "dB"), limit, text);
}
