#pragma once

#include "core/plot_options.h"

// The report style's sizes are those of an 800 x 600 picture: a larger
// picture draws the same layout, text and lines magnified.
constexpr double report_reference_x = 800;
constexpr double report_reference_y = 600;

// A report picture's device size and the device pixels per layout unit.
struct ReportCanvas {
  int width;
  int height;
  double scale;
};

// Turns the options' picture size into layout units, in place, and returns
// the device size they had.
ReportCanvas use_report_units(PlotOptions& options);
