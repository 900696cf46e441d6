#pragma once

#include <vector>

#include "core/plot_options.h"
#include "layout/plan_picture.h"

// An upright axis name left of the plot, centred between rows `top` and
// `bottom`. `keep_to_rows`: cut where longer than those rows, so that the
// names of stacked panels never overlap.
struct UprightName {
  const char* text;
  int top;
  int bottom;
  bool keep_to_rows;
};

// The upright names of the picture, alike in both styles: with one panel
// the Y axis name along the whole height; with more, each panel's name
// along its own rows (the amplitude's, the phase's, and with -diff the
// deviations' from DIMD= and DIMDP=), kept to them in a fitted picture.
// Names left empty are left out.
std::vector<UprightName> upright_names(const PlotOptions& options, const PicturePlan& plan);
