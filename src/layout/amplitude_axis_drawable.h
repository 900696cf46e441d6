#pragma once

#include <string>

// Whether an amplitude axis can be drawn over [lo, hi] on a log10 (`log`)
// or linear scale, checked as the plan and the fitted axis would check it
// later, so that a range given on the command line can be refused at once.
// Returns true, or false with the reason in `why` (words for a message):
// a bound that is not a finite number, a reversed or empty range, a bound
// at or below 0 on log10, a span of decades or of values beyond a double,
// or a span too narrow for two labels that read differently.
bool amplitude_axis_drawable(double lo, double hi, bool log, std::string& why);
