// The ids cairo counts through a process's life, renumbered as a run alone
// writes them; every other text of the SVG is left as it was.

#include "report/svg_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SvgIds, RenumberedAsARunAlone) {
  const struct {
    std::string svg, expected;
  } cases[] = {
      // A run alone: nothing to do.
      {"<g id=\"surface1\">\n<use xlink:href=\"#image2\"/>", ""},
      // A later document: its own surface becomes 1, the others follow it.
      {"<image id=\"image9\" width=\"4\"/>\n<g id=\"surface7\">\n<use xlink:href=\"#image9\"/>"
       "<use xlink:href=\"#surface8\"/>",
       "<image id=\"image3\" width=\"4\"/>\n<g id=\"surface1\">\n<use xlink:href=\"#image3\"/>"
       "<use xlink:href=\"#surface2\"/>"},
      // Counted per document: untouched.
      {"<g id=\"surface12\" clip-path=\"url(#clip3)\"><use xlink:href=\"#glyph0-12\"/>",
       "<g id=\"surface1\" clip-path=\"url(#clip3)\"><use xlink:href=\"#glyph0-12\"/>"},
      // The words in other places, and no document surface at all.
      {"<title>surface12 image40</title>", ""},
      {"<g id=\"surface4000000000\"><title>surface4000000001</title>",
       "<g id=\"surface1\"><title>surface4000000001</title>"},
  };
  for (const auto& c : cases) {
    std::string svg = c.svg;
    renumber_svg_ids(svg);
    EXPECT_EQ(c.expected.empty() ? c.svg : c.expected, svg);
  }
}

}  // namespace
