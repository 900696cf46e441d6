#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <vector>

#include "core/computed_response.h"
#include "core/response_point.h"

// A response given by its roots, as pole-zero files hold it:
// H(s) = constant * prod(s - zero) / prod(s - pole), s = 2 pi i f, in rad/s.
struct PoleZero {
  std::vector<std::complex<double>> zeros, poles;
  double constant = 1;
};

// The most roots of one kind a file may hold: far beyond any instrument,
// and a bound on the work of evaluating it.
constexpr int most_roots = 1000;

// What a pole-zero file responds to, as UNITS= counts: displacement.
constexpr int pole_zero_units = 0;

// Whether the text's first line that is neither blank nor a comment ("*"
// first, or "#" anywhere: the rest of the line) begins with ZEROS, POLES or
// CONSTANT (any letter case). A UTF-8 byte-order mark before it is skipped.
bool is_pole_zero(std::string_view text);

// Reads "ZEROS n", "POLES m" (each followed by up to n or m lines "re im";
// the roots not listed lie at the origin) and "CONSTANT c", with "*"
// comment lines, "#" comments (to the end of a line) and blank lines
// anywhere, numbers separated by spaces or tabs, after an optional UTF-8
// byte-order mark. Returns 0, or -1 with `line` (from 1) and `why` telling what is
// wrong: more roots listed than counted, a count missing or out of range, a
// section given twice, text where a number must be, or neither a root nor
// a constant.
int parse_pole_zero(std::string_view text, PoleZero& pz, int& line, std::string& why);

// |H| and arg H in degrees at f Hz, the angle the sum of the roots' own
// (so continuous in f while no root lies on or right of the imaginary
// axis). A frequency at a zero gives amplitude 0.
void pole_zero_at(const PoleZero& pz, double f, double& amplitude, double& degrees);

// |H| and arg H in degrees (within -180 ... 180) at each of `frequencies`.
void evaluate_pole_zero(const PoleZero& pz, const std::vector<double>& frequencies,
                        PointList& amplitudes, PointList& phases);

// The band that shows every corner: a decade below the lowest root and a
// decade above the highest (roots at the origin aside). Returns false, and
// leaves lo and hi, when no root gives one.
bool pole_zero_band(const PoleZero& pz, double& lo, double& hi);

// The response as one computed where it is used, in displacement.
ComputedResponse pole_zero_response(PoleZero pz);
