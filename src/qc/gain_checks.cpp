#include "qc/gain_checks.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "qc/finding.h"
#include "response/stage_response.h"

namespace {

// Where stage gains and the stated sensitivity part, one of them is wrong:
// the same 5 % the evaluation warns at.
constexpr double sensitivity_limit = 0.05;
// A0 is printed to a few digits in metadata; 2 % is far beyond that
// rounding and catches an A0 computed at another frequency or in other units.
constexpr double a0_limit = 0.02;

bool any_gain(const ChannelResponse& r) {
  for (const Stage& s : r.stages) {
    if (s.has_gain) return true;
  }
  return false;
}

// The stage's gain moved from its own frequency to f; as stated, and
// `moved` false, where its response is unknown at either.
double gain_at(const Stage& s, double f, bool& moved) {
  PreparedStage p;
  std::vector<std::string> notes;
  std::string why;
  moved = false;
  if (prepare_stage(s, false, p, notes, why) < 0) return s.gain;
  bool inside_f, inside_g;
  double ratio =
      std::abs(stage_value(p, f, inside_f)) / std::abs(stage_value(p, s.gain_frequency, inside_g));
  moved = inside_f && inside_g && std::isfinite(ratio) && ratio > 0;
  return moved ? s.gain * ratio : s.gain;
}

bool is_pole_zero(const Stage& s) {
  return s.kind == StageKind::laplace_rad || s.kind == StageKind::laplace_hz ||
         s.kind == StageKind::digital_pz;
}

}  // namespace

QcFinding check_sensitivity_gain(const ChannelResponse& r) {
  const char* id = "sensitivity-gain";
  const std::string limit = qc_number(sensitivity_limit * 100, "%");
  // A negative sensitivity is stated too (a reversed polarity): its size is compared.
  if (!r.has_sensitivity || r.sensitivity == 0)
    return not_checked(id, limit, "the file states no overall sensitivity");
  if (!any_gain(r)) return not_checked(id, limit, "no stage states a gain");
  // What the product could not hold as asked is said beside the finding.
  double g = 1;
  std::string left;
  for (const Stage& s : r.stages) {
    std::string stage = "; stage " + std::to_string(s.number);
    bool moved = true;
    if (!s.has_gain) left += stage + " states no gain (taken as 1)";
    if (s.has_gain) g *= gain_at(s, r.sensitivity_frequency, moved);
    if (!moved)
      left += stage + ": gain as stated, its response unknown at the sensitivity frequency";
  }
  double off = std::abs(std::abs(g / r.sensitivity) - 1);
  char text[200];
  snprintf(text, sizeof text,
           "the stage gains multiply to %g at %g Hz; the stated sensitivity is %g", g,
           r.sensitivity_frequency, r.sensitivity);
  return qc_finding(id, pass_if(off < sensitivity_limit), qc_number(off * 100, "%"), limit,
                    text + left);
}

QcFinding check_a0_normalisation(const ChannelResponse& r) {
  const char* id = "a0-normalisation";
  const std::string limit = qc_number(a0_limit * 100, "%");
  double worst = -1;
  std::string failed, skipped;
  bool any = false;
  for (const Stage& s : r.stages) {
    if (!is_pole_zero(s)) continue;
    any = true;
    std::string stage = "stage " + std::to_string(s.number);
    double dt = s.has_decimation && s.input_sample_rate > 0 ? 1 / s.input_sample_rate : 0;
    if (s.kind == StageKind::digital_pz && dt == 0) {
      skipped += "; " + stage + ": digital, with no sample rate";
      continue;
    }
    double h =
        std::abs(pole_zero_value(1, s.zeros, s.poles, pole_zero_point(s.kind, dt, s.a0_frequency)));
    if (!(h > 0) || !std::isfinite(h)) {
      skipped += "; " + stage + ": no response at its normalisation frequency";
      continue;
    }
    // A polarity may be stated by a negative A0: its size normalises.
    double off = std::abs(std::abs(s.a0) * h - 1);
    worst = std::max(worst, off);
    if (off < a0_limit) continue;
    char text[160];
    snprintf(text, sizeof text, "; %s: A0 %g, but 1/|H(%g Hz)| is %g", stage.c_str(), s.a0,
             s.a0_frequency, 1 / h);
    failed += text;
  }
  if (!any) return not_checked(id, limit, "no pole-zero stage");
  if (worst < 0) return not_checked(id, limit, skipped.substr(2));
  if (!failed.empty())
    return qc_finding(id, QcResult::fail, qc_number(worst * 100, "%"), limit,
                      failed.substr(2) + skipped);
  return qc_finding(id, QcResult::pass, qc_number(worst * 100, "%"), limit,
                    "each pole-zero stage's A0 normalises it at its frequency" + skipped);
}
