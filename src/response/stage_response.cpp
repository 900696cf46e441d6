#include "response/stage_response.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double two_pi = 2 * std::numbers::pi;

std::string stage_name(const Stage& s) {
  return "stage " + std::to_string(s.number);
}

bool is_digital(StageKind kind) {
  return kind == StageKind::digital_pz || kind == StageKind::fir || kind == StageKind::iir;
}

int prepare_pole_zero(const Stage& s, PreparedStage& out, std::string& why) {
  out.zeros = s.zeros, out.poles = s.poles, out.a0 = s.a0;
  // A gain quoted at another frequency than A0's: A0 is set anew so that the
  // stage's amplitude is 1 where its gain is quoted.
  if (s.has_gain && s.gain_frequency != s.a0_frequency) {
    double m = std::abs(pole_zero_value(1, out.zeros, out.poles,
                                        pole_zero_point(s.kind, out.dt, s.gain_frequency)));
    if (!(m > 0) || !std::isfinite(m)) {
      why = stage_name(s) + ": its amplitude at the gain frequency " +
            std::to_string(s.gain_frequency) + " Hz is zero or infinite";
      return -1;
    }
    out.a0 = 1 / m;
  }
  return 0;
}

// Degree 1 is a gain (its coefficient of degree 1); trailing zeros do not count.
int prepare_polynomial(const Stage& s, PreparedStage& out, std::string& why) {
  size_t degree = s.polynomial.size();
  while (degree > 0 && s.polynomial[degree - 1] == 0) --degree;
  if (degree != 2) {
    why = stage_name(s) + ": a polynomial of degree " +
          std::to_string(degree == 0 ? 0 : degree - 1) + "; only degree 1 (a gain) is evaluated";
    return -1;
  }
  out.value = s.polynomial[1];
  return 0;
}

}  // namespace

std::complex<double> pole_zero_value(double a0, const std::vector<std::complex<double>>& zeros,
                                     const std::vector<std::complex<double>>& poles,
                                     std::complex<double> x) {
  std::complex<double> num = a0, den = 1;
  for (const auto& z : zeros) num *= x - z;
  for (const auto& p : poles) den *= x - p;
  return num / den;
}

std::complex<double> pole_zero_point(StageKind kind, double dt, double f) {
  if (kind == StageKind::laplace_hz) return {0, f};
  if (kind == StageKind::digital_pz) return std::polar(1.0, two_pi * f * dt);
  return {0, two_pi * f};
}

int prepare_stage(const Stage& s, bool estimated_delay, PreparedStage& out,
                  std::vector<std::string>& notes, std::string& why) {
  out = PreparedStage{};
  out.number = s.number, out.kind = s.kind;
  if (is_digital(s.kind)) {
    if (!(s.input_sample_rate > 0) || !std::isfinite(s.input_sample_rate)) {
      why = stage_name(s) + ": a digital stage without its input sample rate";
      return -1;
    }
    out.dt = 1 / s.input_sample_rate;
  }
  switch (s.kind) {
    case StageKind::laplace_rad:
    case StageKind::laplace_hz:
    case StageKind::digital_pz:
      return prepare_pole_zero(s, out, why);
    case StageKind::fir:
    case StageKind::iir:
      return prepare_coefficients(s, estimated_delay, out, notes, why);
    case StageKind::list:
      if (s.list.empty()) {
        why = stage_name(s) + ": a response list without frequencies";
        return -1;
      }
      out.list = &s.list;
      return 0;
    case StageKind::polynomial:
      return prepare_polynomial(s, out, why);
    case StageKind::gain_only:
      return 0;
  }
  why = stage_name(s) + ": a stage of unknown kind";
  return -1;
}

std::complex<double> stage_value(const PreparedStage& s, double f, bool& inside) {
  inside = true;
  switch (s.kind) {
    case StageKind::laplace_rad:
    case StageKind::laplace_hz:
    case StageKind::digital_pz:
      return pole_zero_value(s.a0, s.zeros, s.poles, pole_zero_point(s.kind, s.dt, f));
    case StageKind::fir:
    case StageKind::iir:
      return coefficients_value(s, f);
    case StageKind::list: {
      std::complex<double> h;
      inside = list_value(*s.list, f, h);
      return h;
    }
    case StageKind::polynomial:
      return s.value;
    case StageKind::gain_only:
      break;
  }
  return 1;
}
