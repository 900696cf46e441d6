#pragma once

#include <cstddef>

// The report style's TrueType fonts, carried in the binary so that the same
// command line draws the same text on every machine, whatever fonts it has.
struct FontData {
  const unsigned char* data;
  size_t size;
};
FontData sans_font();
FontData sans_bold_font();
