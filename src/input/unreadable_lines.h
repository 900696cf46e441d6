#pragma once

#include <string_view>

#include "core/response_point.h"

// The lines of a point file that begin with a usable frequency but give no
// point: an amplitude beyond the double range, the -1 that the reading
// takes for a number missing, or, with `words`, a "nan" or "inf" where
// the amplitude stands (read as a NaN): a verdict counts those, while a
// deviation panel keeps the lines it always drew. No picture draws
// them, as none ever did; a comparison must count them, never pass over
// them. Each comes back as (frequency, the amplitude read).
PointList unreadable_lines(std::string_view text, bool words);
