#pragma once

#include <complex>
#include <string>
#include <vector>

#include "response/channel_response.h"

// One stage made ready for evaluation at many frequencies: everything that
// does not depend on the frequency is worked out once, here.
struct PreparedStage {
  int number = 0;
  StageKind kind = StageKind::gain_only;
  double dt = 0;  // the input sample interval of a digital stage, seconds
  // Pole-zero stages: A0 (recomputed where the stage states its gain at
  // another frequency than A0's normalisation frequency).
  double a0 = 1;
  std::vector<std::complex<double>> zeros, poles;
  // FIR: every coefficient (symmetric halves unfolded, normalised); IIR:
  // numerators and denominators in powers of exp(-i w dt).
  std::vector<double> numerators, denominators;
  bool zero_phase = false;  // a symmetric FIR: the real cosine sum
  double centre = 0;        // FIR: (N - 1) dt / 2, the delay its coefficients stand for
  double shift = 0;         // FIR: the net time advance exp(i w shift) applied, seconds
  const std::vector<ListPoint>* list = nullptr;  // a response list, in the stage itself
  double value = 1;  // a polynomial stage's gain (its coefficient of degree 1)
};

// Makes `stage` ready: 0, or -1 with `why` (a stage kind or shape that
// cannot be evaluated). Notes for the user (FIR coefficients normalised)
// are added to `notes`. `estimated_delay` takes a FIR's delay field for its
// time shift instead of the correction it states was applied.
int prepare_stage(const Stage& stage, bool estimated_delay, PreparedStage& out,
                  std::vector<std::string>& notes, std::string& why);

// The stage's transfer function at frequency f (Hz), its gain not applied.
// A response list is interpolated between its listed frequencies; `inside`
// turns false where f lies outside them.
std::complex<double> stage_value(const PreparedStage& stage, double f, bool& inside);

// Pole-zero product A0 prod(x - z) / prod(x - p) at x.
std::complex<double> pole_zero_value(double a0, const std::vector<std::complex<double>>& zeros,
                                     const std::vector<std::complex<double>>& poles,
                                     std::complex<double> x);

// The point where a pole-zero stage is evaluated at f: i 2 pi f (rad/s),
// i f (Hz) or exp(i 2 pi f dt) (digital).
std::complex<double> pole_zero_point(StageKind kind, double dt, double f);

// FIR and IIR stages (coefficient_stage.cpp).
int prepare_coefficients(const Stage& stage, bool estimated_delay, PreparedStage& out,
                         std::vector<std::string>& notes, std::string& why);
std::complex<double> coefficients_value(const PreparedStage& stage, double f);

// Response lists (list_stage.cpp): amplitude interpolated linearly, phase
// linearly along the shorter way round; false outside the listed range.
bool list_value(const std::vector<ListPoint>& list, double f, std::complex<double>& h);
