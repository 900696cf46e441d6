#pragma once

#include "core/curve.h"
#include "core/plot_options.h"

// The curves in the units asked for and normalised, in place:
// - UNITS= takes each curve from its own units (own_units) to UNITS=' to:
//   it multiplies each amplitude by (2 pi f)^(order(own) - order(to)) and
//   adds 90 degrees for each order to each phase (velocity to
//   acceleration: divided by 2 pi f, 90 degrees less); a computed phase is
//   then anchored again (anchor_phases). Points at a frequency at or below
//   0, which no such factor reaches, are left out. A curve of unknown units
//   stays as it is.
// - NORM=f divides each curve's amplitudes by its own amplitude at f: a
//   computed response's value there, a measured one's interpolated in log
//   frequency and log amplitude; phases stay.
// Returns 0, or -1 with the reason in last_error when a curve has no data
// around f (its key and path follow the message) or no point left.
int convert_responses(CurveList& curves, const PlotOptions& options);

// -dB: each amplitude as 20 log10 of itself; points at or below 0 are left
// out, with a note on standard error. Returns 0, or -1 as
// convert_responses does when a curve has no point left.
int to_decibels(CurveList& curves, const PlotOptions& options);
