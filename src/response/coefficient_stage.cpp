#include <cmath>
#include <cstdio>
#include <numbers>

#include "response/stage_response.h"

namespace {

constexpr double two_pi = 2 * std::numbers::pi;

// FIR coefficients are meant to sum to 1 (unit gain at zero frequency);
// further off than this they are taken as unnormalised and scaled.
constexpr double fir_sum_tolerance = 0.02;

// sum a_k x^k by Horner's rule.
std::complex<double> polynomial_at(const std::vector<double>& a, std::complex<double> x) {
  std::complex<double> sum = 0;
  for (size_t k = a.size(); k-- > 0;) sum = sum * x + a[k];
  return sum;
}

// The whole filter from the half a symmetric one lists: ODD repeats all but
// the centre coefficient, EVEN all of them.
std::vector<double> unfolded(const Stage& s) {
  std::vector<double> all = s.numerators;
  if (s.symmetry == FirSymmetry::none || all.empty()) return all;
  size_t mirrored = s.symmetry == FirSymmetry::odd ? all.size() - 1 : all.size();
  all.reserve(all.size() + mirrored);
  for (size_t k = mirrored; k-- > 0;) all.push_back(all[k]);
  return all;
}

void normalise(const Stage& s, std::vector<double>& a, std::vector<std::string>& notes) {
  double sum = 0;
  for (double c : a) sum += c;
  if (sum == 0 || std::abs(sum - 1) <= fir_sum_tolerance) return;
  for (double& c : a) c /= sum;
  char text[128];
  snprintf(text, sizeof text, "stage %d: FIR coefficients sum to %g, not 1; normalised", s.number,
           sum);
  notes.push_back(text);
}

}  // namespace

int prepare_coefficients(const Stage& s, bool estimated_delay, PreparedStage& out,
                         std::vector<std::string>& notes, std::string& why) {
  if (s.numerators.empty()) {
    why = "stage " + std::to_string(s.number) + ": a coefficient stage without numerators";
    return -1;
  }
  if (s.kind == StageKind::iir) {
    out.numerators = s.numerators, out.denominators = s.denominators;
    if (out.denominators.empty()) out.denominators = {1};
    return 0;
  }
  out.numerators = unfolded(s);
  normalise(s, out.numerators, notes);
  out.zero_phase = s.symmetry != FirSymmetry::none;
  out.centre = static_cast<double>(out.numerators.size() - 1) * out.dt / 2;
  // The filter's own linear phase is taken out (the centre) and the stated
  // time shift put in: by default the correction the data logger applied,
  // which nets exp(i w correction); else the estimated delay.
  out.shift = estimated_delay ? out.centre + s.delay : s.correction;
  return 0;
}

std::complex<double> coefficients_value(const PreparedStage& s, double f) {
  const double w = two_pi * f;
  const std::complex<double> z = std::polar(1.0, -w * s.dt);
  std::complex<double> sum = polynomial_at(s.numerators, z);
  if (s.kind == StageKind::iir) return sum / polynomial_at(s.denominators, z);
  if (s.zero_phase) return (sum * std::polar(1.0, w * s.centre)).real();
  return sum * std::polar(1.0, w * s.shift);
}
