#pragma once

#include <gd.h>

#include <string>

#include "fonts/fonts.h"

// gdImageString for our constant fonts and std::string texts.
inline void draw_text(gdImagePtr image, const gdFont& font, int x, int y, const std::string& text,
                      int color) {
  gdImageString(image, font_ptr(font), x, y,
                reinterpret_cast<unsigned char*>(const_cast<char*>(text.c_str())), color);
}
