#pragma once

#include <string_view>

// What a response's units measure, as far as converting between ground
// motions goes: displacement, velocity, acceleration, or anything else
// (volts, counts, pascals, degrees Celsius, teslas), which is never converted.
enum class MotionKind { displacement = 0, velocity = 1, acceleration = 2, other = 3 };

struct UnitsInfo {
  MotionKind kind = MotionKind::other;
  double metres = 1;  // the unit's length in metres: 1e-9 for "NM/S"; 1 when not a motion
};

// Reads units as station metadata write them ("M/S", "NM/S**2", "CM",
// "M/S/S", "COUNTS", "V"), in any letter case; text after the first blank
// ("M/S - Velocity in Meters Per Second") is ignored.
UnitsInfo read_units(std::string_view units);

// Whether two stages' units name the same thing: the first words compare
// without regard to ASCII letter case.
bool same_units(std::string_view a, std::string_view b);

// The first word of the units, as the unit chain and messages name them.
std::string_view units_word(std::string_view units);
