#pragma once

#include <complex>
#include <string>
#include <vector>

#include "response/channel_response.h"

struct EvaluateOptions {
  // Stages first..last inclusive, by their numbers (STAGES=a[,b]); 0 for
  // first: every stage; 0 for last: stage `first` alone.
  int first_stage = 0, last_stage = 0;
  // -1: the response's own units (its first stage's input); else 0
  // displacement, 1 velocity, 2 acceleration (DIS, VEL, ACC).
  int units = -1;
  bool estimated_delay = false;  // DELAY=estimated: FIR stages shift by their estimated delay
  bool stated_gain = false;      // GAIN=stated: the stated sensitivity, not the stage gains
};

// The complex response at each of `frequencies` (Hz) into `h`: the product
// of the selected stages times their gains, converted to the asked units.
// Returns 0, or -1 with `why` (a stage kind it cannot evaluate, units that
// do not chain, a polynomial of degree above 1, a frequency outside a
// response list). Lines for standard error go to `notes`: FIR coefficients
// normalised, stage gains and stated sensitivity 5 % or more apart, the
// sensitivity quoted above the Nyquist frequency, units not converted.
//
// Gains: the product of the selected stages' own gains; where no selected
// stage states one, the stated sensitivity when every stage is selected.
// A part of the chain (STAGES=) never takes the stated sensitivity, which
// belongs to the whole chain.
int evaluate_response(const ChannelResponse& r, const EvaluateOptions& o,
                      const std::vector<double>& frequencies, std::vector<std::complex<double>>& h,
                      std::vector<std::string>& notes, std::string& why);

// A response list dictates where the response is known: the frequencies
// of the first selected list stage inside [f_min, f_max]; empty when the
// selected stages hold no list.
std::vector<double> listed_frequencies(const ChannelResponse& r, const EvaluateOptions& o,
                                       double f_min, double f_max);
