#pragma once

// A point alone, in a run of its own, is drawn in both styles as a small
// slanted cross reaching this far each way (pixels, or layout units): one
// pixel would hardly be seen, and an upright cross could hide in the grid.
constexpr int lone_point_arm = 3;
