#pragma once

#include "qc/qc_row.h"
#include "response/channel_response.h"

// `pole-zero-roots`: poles strictly in the left half-plane (Laplace stages)
// or inside the unit circle (digital ones), and complex poles and zeros in
// conjugate pairs, each within 1e-4 of its partner relative to its size.
QcFinding check_pole_zero_roots(const ChannelResponse& r);

// `fir-normalised`: each FIR stage's coefficients sum to 1 within 2 %, a
// symmetric half counted as the whole filter it stands for.
QcFinding check_fir_normalised(const ChannelResponse& r);
