#include "qc/stage_checks.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "qc/finding.h"

namespace {

using Root = std::complex<double>;

// Roots are printed to five or six digits; a partner further off than
// that rounding is a typing mistake, and the response is no longer real.
constexpr double conjugate_limit = 1e-4;
// As the evaluation's own FIR normalisation: a sum further from 1 than
// 2 % is a filter whose gain lies in its coefficients.
constexpr double fir_limit = 0.02;

bool is_real(Root x) {
  return std::abs(x.imag()) <= conjugate_limit * std::abs(x);
}

// Whether every complex root has its own partner near its conjugate.
bool paired(const std::vector<Root>& roots) {
  std::vector<bool> used(roots.size(), false);
  for (size_t i = 0; i < roots.size(); ++i) {
    if (used[i] || is_real(roots[i])) continue;
    used[i] = true;
    bool found = false;
    for (size_t j = 0; j < roots.size() && !found; ++j) {
      if (used[j] || is_real(roots[j])) continue;
      found = std::abs(roots[j] - std::conj(roots[i])) <= conjugate_limit * std::abs(roots[i]);
      if (found) used[j] = true;
    }
    if (!found) return false;
  }
  return true;
}

// Why the stage's roots are wrong; "" when they are not.
std::string roots_fault(const Stage& s) {
  const bool digital = s.kind == StageKind::digital_pz;
  for (Root p : s.poles) {
    bool stable = digital ? std::abs(p) < 1 : p.real() < 0;
    if (stable) continue;
    char text[160];
    snprintf(text, sizeof text, "stage %d: pole %g%+gi lies %s", s.number, p.real(), p.imag(),
             digital ? "on or outside the unit circle" : "outside the left half-plane");
    return text;
  }
  if (!paired(s.poles))
    return "stage " + std::to_string(s.number) + ": a complex pole without its conjugate";
  if (!paired(s.zeros))
    return "stage " + std::to_string(s.number) + ": a complex zero without its conjugate";
  return "";
}

// The sum of the whole filter a FIR stage's coefficients stand for.
double fir_sum(const Stage& s) {
  double listed = 0;
  for (double c : s.numerators) listed += c;
  if (s.symmetry == FirSymmetry::none || s.numerators.empty()) return listed;
  // ODD lists the centre coefficient last, once; EVEN has none.
  double centre = s.symmetry == FirSymmetry::odd ? s.numerators.back() : 0;
  return 2 * listed - centre;
}

}  // namespace

QcFinding check_pole_zero_roots(const ChannelResponse& r) {
  const char* id = "pole-zero-roots";
  char limit[64];
  snprintf(limit, sizeof limit, "stable; pairs within %g", conjugate_limit);
  int checked = 0;
  for (const Stage& s : r.stages) {
    if (s.kind != StageKind::laplace_rad && s.kind != StageKind::laplace_hz &&
        s.kind != StageKind::digital_pz)
      continue;
    ++checked;
    std::string fault = roots_fault(s);
    if (!fault.empty()) return qc_finding(id, QcResult::fail, "", limit, fault);
  }
  if (checked == 0) return not_checked(id, limit, "no pole-zero stage");
  return qc_finding(id, QcResult::pass, "", limit,
                    std::to_string(checked) + " pole-zero stage" + (checked > 1 ? "s" : "") +
                        ": poles stable, complex roots in conjugate pairs");
}

QcFinding check_fir_normalised(const ChannelResponse& r) {
  const char* id = "fir-normalised";
  const std::string limit = qc_number(fir_limit * 100, "%");
  double worst = -1;
  std::string failed;
  for (const Stage& s : r.stages) {
    if (s.kind != StageKind::fir || s.numerators.empty()) continue;
    double sum = fir_sum(s);
    double off = std::abs(sum - 1);
    worst = std::max(worst, off);
    if (off <= fir_limit) continue;
    char text[96];
    snprintf(text, sizeof text, "; stage %d: coefficients sum to %g", s.number, sum);
    failed += text;
  }
  if (worst < 0) return not_checked(id, limit, "no FIR stage");
  if (!failed.empty())
    return qc_finding(id, QcResult::fail, qc_number(worst * 100, "%"), limit, failed.substr(2));
  return qc_finding(id, QcResult::pass, qc_number(worst * 100, "%"), limit,
                    "every FIR stage's coefficients sum to 1");
}
