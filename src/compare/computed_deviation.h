#pragma once

#include "core/curve.h"

// A computed curve compared with a measured first curve deviates only at
// the measured frequencies (which its points hold exactly): between them
// the measured curve is an interpolation, and its error no deviation of
// the instrument. Keeps each such curve's deviations (amplitude and phase)
// at the first curve's frequencies, and of its points not judged only
// those; every other curve's stay as they are.
// Returns 0, or -1 with the reason in last_error when out of memory.
int keep_measured_deviations(CurveList& curves);
