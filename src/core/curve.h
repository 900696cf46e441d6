#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/computed_response.h"
#include "core/response_point.h"

// A colour by its red, green and blue parts (0 to 255).
struct Rgb {
  int red;
  int green;
  int blue;
};

// Why a point of a further curve could not be compared with the first
// curve's, in the order they are looked for: a point gets the first.
enum class Unjudged : unsigned char {
  amplitude_not_positive,  // its amplitude <= 0
  amplitude_not_finite,
  beyond_reference,   // its frequency outside the first curve's
  reference_dead,     // the first curve has no usable amplitude around it
  no_phase,           // the phase shown, it has none
  no_reference_phase  // the phase shown, the first curve has none around it
};

// A point of a further curve that was not compared: its frequency, its
// place among the curve's points in frequency order, and why.
struct NotJudged {
  double f;
  size_t order;
  Unjudged why;
};

// One input's response as drawn: its amplitude points, in file order, its
// phase points (frequency, degrees; empty unless the phase is shown), the
// colour of its curves, and which input (input_keys) it was read from; with
// -diff, for a further input, its deviation from the first in frequency
// order (frequency, dB; frequency, degrees with the phase). The colour is
// allocated in the palette when the curve is drawn, unless the palette has
// it already. A computed response keeps what it was computed from, so that
// each stage can evaluate it where it needs to; its points are its values
// at the frequencies the picture and the comparison use.
struct Curve {
  PointList points;
  PointList phases;
  Rgb color;
  int input;
  PointList deviation;
  PointList phase_deviation;
  std::string about;  // what a FAP file's "#" line says of it besides its key and file
  std::shared_ptr<const ComputedResponse> computed = nullptr;  // null: measured
  bool computed_phases = false;  // the phases are the response's own, not a PHASE= file's
  // With -diff, the points of a further input that could not be compared;
  // its deviations hold a NaN at each, so that no line is drawn across it.
  std::vector<NotJudged> not_judged = {};
  // With -diff, the lines of a file whose frequency could be read and whose
  // amplitude could not be used (beyond the double range, or the -1 that
  // marks a number missing): never drawn, but evidence a comparison counts.
  PointList unreadable = {};
  // Station metadata's stated sensitivity (frequency, value), where it
  // refers to what the curve shows; marked on the amplitude curve.
  std::optional<ResponsePoint> sensitivity = std::nullopt;
};
using CurveList = std::vector<Curve>;

// One line of the legend: `name` beside a short line in the colour of
// curves[curve].
struct LegendEntry {
  const char* name;
  size_t curve;
};
using Legend = std::vector<LegendEntry>;
