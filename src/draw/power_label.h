#pragma once

#include <gd.h>

#include "layout/tick_labels.h"

// Draws the label with the mantissa's top-left corner at (left, top): the
// mantissa in font6x12, the exponent in the smaller font5x8 right after it,
// raised by half its height.
void draw_power_label(gdImagePtr image, int black, const PowerLabel& label, int left, int top);
