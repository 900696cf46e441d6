#pragma once

#include <gd.h>

#include <string>

// A decade label as both axes write it: the mantissa in font6x12 and the
// exponent in the smaller font5x8 right after it, raised by half its height,
// so that "10" and "-3" read as ten to the minus third.
struct PowerLabel {
  std::string mantissa;
  std::string exponent;

  int width() const;  // in pixels, mantissa and exponent together
};

// The label of the decade 10^e: 1, 10 or 100 written out, any other as 10
// with the raised exponent.
PowerLabel decade_label(int e);

// Draws the label with the mantissa's top-left corner at (left, top).
void draw_power_label(gdImagePtr image, int black, const PowerLabel& label, int left, int top);
