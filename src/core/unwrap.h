#pragma once

#include "core/response_point.h"

// Removes every jump of more than 180 degrees between consecutive phase
// points (in list order) by adding whole turns to the later points, so
// that -170, 175 reads -170, -185.
void unwrap_phase(PointList& phases);
