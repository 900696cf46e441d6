#pragma once

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/plot_options.h"

// The units of a curve's amplitudes as UNITS= counts them (0 displacement,
// 1 velocity, 2 acceleration), -1 unknown: a computed response's own; for
// a text file its IN_UNITS= (IN2_UNITS= ...), else UNITS=' from, else the
// one word of UNITS=to (the file is in those already).
int own_units(const Curve& curve, const PlotOptions& options);

// The units it is drawn in: UNITS=' to where its own are known, else its
// own (-1 unknown: drawn as given).
int drawn_units(const Curve& curve, const PlotOptions& options);

// The powers of 2 pi f that take the curve from its own units to UNITS='
// to: 0 when either is unknown.
int conversion_order(const Curve& curve, const PlotOptions& options);

// One warning for each further curve whose drawn units are known and not
// those of the first, which -diff compares it with.
std::vector<std::string> unit_mismatches(const CurveList& curves, const PlotOptions& options);
