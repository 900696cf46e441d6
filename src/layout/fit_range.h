#pragma once

#include "core/curve.h"
#include "layout/nice_steps.h"

// The ranges of -fit: axes fitted to the data.

// The smallest and largest positive frequency of all curves. Returns false
// (and leaves lo and hi) when there is none.
bool data_frequency_range(const CurveList& curves, double& lo, double& hi);

// The frequency axis keeps its range when at least two labelled lines lie
// in it; otherwise it is widened outward to the nearest ones (to the lines
// either side of a single frequency, or of frequencies a few units in the
// last place apart). Returns the lines' rule.
TickRule fit_frequency_range(double& lo, double& hi, bool log);

// The amplitude range padded by 3 % of its span at each end (on log10, of
// its span in decades); a linear one is then widened outward to the nearest
// labelled lines, but not across zero from amplitudes of one sign. A
// constant amplitude, or one varying only in its last bits, gets the lines
// either side of it. A range whose span
// does not fit a double is left alone. Returns the lines' rule.
TickRule fit_amplitude_range(double& lo, double& hi, bool log);

// The labelled lines of a range used as given (Y_AXIS=): on log10 the
// decades, or finer multiples when fewer than two decades fall inside; on
// linear the nice steps. The range is not widened.
TickRule given_range_rule(double lo, double hi, bool log);
