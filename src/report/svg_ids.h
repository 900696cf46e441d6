#pragma once

#include <string>

// cairo names an SVG's surfaces and images by a count that runs through
// the process's life, so that a process drawing its second SVG writes other
// ids than a run alone. Renumbers those ids in `svg` as a run alone writes
// them: the document's own surface, which it creates first, becomes 1 and
// the others keep their distance from it. The ids cairo counts per
// document (clips, glyphs, patterns) are left as they are.
void renumber_svg_ids(std::string& svg);
