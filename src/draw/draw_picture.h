#pragma once

#include "core/curve.h"
#include "core/plot_options.h"
#include "draw/picture.h"
#include "layout/plan_picture.h"

// Draws the planned picture (plan_picture) of plan.size_x by plan.size_y
// pixels: the titles, the framed areas with their grids and labels, the
// curves in list order and colour, and last, over everything, the legend. With the phase panel each
// curve's phases are drawn below in the curve's colour. `curves` is taken by value and each curve's
// points are released once drawn. Touches no file. Returns 0, or -1 with the reason in last_error
// when memory runs out.
int draw_picture(const PicturePlan& plan, CurveList curves, const Legend& legend,
                 const PlotOptions& options, Picture& picture);
