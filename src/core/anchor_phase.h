#pragma once

#include "core/curve.h"

// The frequency a computed phase is anchored at: `norm_f` (NORM=) when the
// curve's points reach it, else the middle of its passband: the geometric
// middle of the lowest and highest frequency whose amplitude lies within
// 3 dB of the curve's largest. 0 when the curve has no frequency above 0.
double phase_anchor(const Curve& curve, double norm_f);

// Shifts a computed phase (curve.computed_phases; unwrapped, in frequency
// order) by whole turns so that its value at phase_anchor is the principal
// one, within (-180, 180]: a response then reads as a textbook draws it
// (a velocity geophone from +180 degrees below its corner to 0 above),
// whatever turns its roots or a change of units added. Other phases stay.
void anchor_phases(Curve& curve, double norm_f);
