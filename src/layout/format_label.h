#pragma once

#include <string>

// Label texts as the Windows C runtime prints them. Its %g writes the
// exponent with a sign and at least three digits (1e+002), where glibc
// writes two; everything else is the same.

// printf("%*.*g", width, precision, v) with three-digit exponents.
std::string format_g(double v, int precision, int width = 0);

// printf("%d", v).
std::string format_int(int v);
