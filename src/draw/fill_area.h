#pragma once

#include <gd.h>

// The same pixels as gdImageFilledRectangle with a plain colour on a palette
// image: the rectangle between two corners, both included, clipped to the
// image. libgd sets such a fill pixel by pixel, which cost half the time of
// a typical run; the rows of a palette image are plain bytes.
void fill_area(gdImagePtr im, int x1, int y1, int x2, int y2, int color);
