#pragma once

#include <cairo.h>

// A raster picture may be drawn in bands, the whole drawing once per band
// moved up by whole pixels. What cannot reach a band's rows is left out of
// it, so that a band costs about its own share of the drawing. Whether
// rows `top` to `bottom` of user space can mark the surface: on a vector
// surface, or with the rows turned, always.
bool rows_show(cairo_t* cr, double top, double bottom);
