#include "qc/chain_checks.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "qc/channel_rate.h"
#include "qc/finding.h"
#include "response/unit_chain.h"
#include "response/units.h"

namespace {

// Rates are written with a few digits (a ratio of samples to seconds);
// one part in 10^4 is beyond that rounding and below any real mistake.
constexpr double rate_limit = 1e-4;
constexpr char units_limit[] = "same units";

bool states_units(const Stage& s) {
  return !s.input_units.empty() && !s.output_units.empty();
}

bool same_rate(double a, double b) {
  return std::abs(a / b - 1) <= rate_limit;
}

std::string word(const std::string& units) {
  return std::string(units_word(units));
}

// The sensitivity's units against the chain's ends; "" when they agree.
std::string sensitivity_units(const ChannelResponse& r, const Stage& first, const Stage& last) {
  if (!same_units(r.sensitivity_input_units, first.input_units))
    return "the sensitivity takes " + word(r.sensitivity_input_units) + " but stage " +
           std::to_string(first.number) + " takes " + word(first.input_units);
  if (!same_units(r.sensitivity_output_units, last.output_units))
    return "the sensitivity puts out " + word(r.sensitivity_output_units) + " but stage " +
           std::to_string(last.number) + " puts out " + word(last.output_units);
  return "";
}

}  // namespace

QcFinding check_units_chain(const ChannelResponse& r) {
  const char* id = "units-chain";
  const Stage* first = nullptr;
  const Stage* last = nullptr;
  for (const Stage& s : r.stages) {
    if (!states_units(s)) continue;
    if (first == nullptr) first = &s;
    last = &s;
  }
  if (first == nullptr) return not_checked(id, units_limit, "no stage states its units");
  std::string why;
  if (check_unit_chain(r.stages, 0, r.stages.size(), why) != 0)
    return qc_finding(id, QcResult::fail, "", units_limit, why);
  bool sensitivity_units_stated = r.has_sensitivity && !r.derived_from_stages &&
                                  !r.sensitivity_input_units.empty() &&
                                  !r.sensitivity_output_units.empty();
  if (!sensitivity_units_stated)
    return qc_finding(id, QcResult::pass, "", units_limit,
                      "the stages chain; no sensitivity units to compare");
  why = sensitivity_units(r, *first, *last);
  if (!why.empty()) return qc_finding(id, QcResult::fail, "", units_limit, why);
  return qc_finding(id, QcResult::pass, "", units_limit,
                    word(first->input_units) + " to " + word(last->output_units) +
                        ", stage to stage and as the sensitivity states");
}

QcFinding check_decimation_chain(const ChannelResponse& r) {
  const char* id = "decimation-chain";
  const std::string limit = qc_number(rate_limit * 100, "%");
  const Stage* before = nullptr;
  char text[200];
  for (const Stage& s : r.stages) {
    if (!s.has_decimation || !(s.input_sample_rate > 0) || s.decimation_factor < 1) continue;
    if (before != nullptr &&
        !same_rate(s.input_sample_rate, before->input_sample_rate / before->decimation_factor)) {
      snprintf(text, sizeof text, "stage %d puts out %g Hz but stage %d takes %g Hz",
               before->number, before->input_sample_rate / before->decimation_factor, s.number,
               s.input_sample_rate);
      return qc_finding(id, QcResult::fail, "", limit, text);
    }
    before = &s;
  }
  if (before == nullptr) return not_checked(id, limit, "no stage states a decimation");
  const double rate = stated_rate(r);
  double out = before->input_sample_rate / before->decimation_factor;
  if (!(rate > 0)) {
    snprintf(text, sizeof text,
             "the stages chain to %g Hz, but the channel states no sample rate of its own", out);
    return not_checked(id, limit, text);
  }
  snprintf(text, sizeof text, "stage %d: %g Hz / %d = %g Hz; the channel samples at %g Hz",
           before->number, before->input_sample_rate, before->decimation_factor, out, rate);
  return qc_finding(id, pass_if(same_rate(out, rate)), qc_number(out, "Hz"), limit, text);
}
