#pragma once

#include <gd.h>

#include "layout/pixel_point.h"

// Joins the vertices in list order with lines of colour `color`, as one
// gdImageLine per consecutive pair would.
void draw_curve(gdImagePtr im, const VertexList& v, int color);
