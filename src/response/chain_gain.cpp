#include "response/chain_gain.h"

#include <cmath>
#include <cstdio>

namespace {

// Stage gains and the stated sensitivity this far apart are worth a note:
// one of them is likely wrong.
constexpr double sensitivity_mismatch = 0.05;

bool any_gain(const ChannelResponse& r, const StageSelection& sel) {
  for (size_t i = sel.begin; i < sel.end; ++i) {
    if (r.stages[i].has_gain) return true;
  }
  return false;
}

// The stage's gain moved from its own frequency to f by the ratio of its
// amplitudes there; the gain as stated where either amplitude is unknown.
double gain_at(const Stage& s, const PreparedStage& p, double f) {
  bool inside_f, inside_g;
  double at_f = std::abs(stage_value(p, f, inside_f));
  double at_g = std::abs(stage_value(p, s.gain_frequency, inside_g));
  if (!inside_f || !inside_g || !(at_g > 0) || !std::isfinite(at_g) ||
      !std::isfinite(at_f / at_g)) {
    return s.gain;
  }
  return s.gain * at_f / at_g;
}

// The sample rate the chain puts out: the channel's, else the last
// decimating stage's input rate over its factor; 0 when unknown.
double output_rate(const ChannelResponse& r) {
  if (r.sample_rate > 0) return r.sample_rate;
  for (size_t i = r.stages.size(); i-- > 0;) {
    const Stage& s = r.stages[i];
    if (s.has_decimation && s.input_sample_rate > 0 && s.decimation_factor > 0) {
      return s.input_sample_rate / s.decimation_factor;
    }
  }
  return 0;
}

}  // namespace

double chain_gain(const ChannelResponse& r, const StageSelection& sel, bool stated_gain) {
  if (sel.whole && r.has_sensitivity && (stated_gain || !any_gain(r, sel))) return r.sensitivity;
  double g = 1;
  for (size_t i = sel.begin; i < sel.end; ++i) {
    if (r.stages[i].has_gain) g *= r.stages[i].gain;
  }
  return g;
}

void check_sensitivity(const ChannelResponse& r, const StageSelection& sel,
                       std::vector<std::string>& notes) {
  if (!sel.whole || !r.has_sensitivity) return;
  char text[200];
  const double fs = r.sensitivity_frequency;
  if (any_gain(r, sel)) {
    double g = 1;
    for (size_t i = sel.begin; i < sel.end; ++i) {
      if (r.stages[i].has_gain) g *= gain_at(r.stages[i], sel.prepared[i - sel.begin], fs);
    }
    if (!(std::abs(g / r.sensitivity - 1) < sensitivity_mismatch)) {
      snprintf(text, sizeof text,
               "the stage gains multiply to %g at %g Hz, the stated sensitivity is %g", g, fs,
               r.sensitivity);
      notes.push_back(text);
    }
  }
  const double rate = output_rate(r);
  if (rate > 0 && fs > rate / 2) {
    snprintf(text, sizeof text,
             "the sensitivity is quoted at %g Hz, above the Nyquist frequency %g Hz", fs, rate / 2);
    notes.push_back(text);
  }
}
