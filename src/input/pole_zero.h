#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <vector>

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

// Whether the text's first line that is neither blank nor a "*" comment
// begins with ZEROS, POLES or CONSTANT (any letter case).
bool is_pole_zero(std::string_view text);

// Reads "ZEROS n", "POLES m" (each followed by up to n or m lines "re im";
// the roots not listed lie at the origin) and "CONSTANT c", with "*"
// comment lines and blank lines anywhere, numbers separated by spaces or
// tabs. Returns 0, or -1 with `line` (from 1) and `why` telling what is
// wrong: more roots listed than counted, a count missing or out of range, a
// section given twice, text where a number must be, or neither a root nor
// a constant.
int parse_pole_zero(std::string_view text, PoleZero& pz, int& line, std::string& why);

// |H| and arg H in degrees (within -180 ... 180) at each of `frequencies`.
// A frequency at a zero gives amplitude 0.
void evaluate_pole_zero(const PoleZero& pz, const std::vector<double>& frequencies,
                        PointList& amplitudes, PointList& phases);
