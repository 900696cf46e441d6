#pragma once

#include <gd.h>

#include <cstddef>
#include <string>

#include "fonts/fonts.h"

// gdImageString for our constant fonts and std::string texts.
inline void draw_text(gdImagePtr image, const gdFont& font, int x, int y, const std::string& text,
                      int color) {
  gdImageString(image, font_ptr(font), x, y,
                reinterpret_cast<unsigned char*>(const_cast<char*>(text.c_str())), color);
}

// `text` cut to at most `most` characters, its end replaced by "..." where
// it was cut, so that a reader sees it goes on.
inline std::string shortened(const std::string& text, size_t most) {
  constexpr size_t ellipsis = 3;
  if (text.size() <= most) return text;
  if (most <= ellipsis) return std::string(most, '.');
  return text.substr(0, most - ellipsis) + "...";
}
