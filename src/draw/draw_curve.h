#pragma once

#include <gd.h>

#include <span>

#include "layout/pixel_point.h"

// Joins the vertices in list order with lines of colour `color`, as one
// gdImageLine per consecutive pair would.
void draw_curve(gdImagePtr im, std::span<const PixelPoint> v, int color);
