#pragma once

#include <cstdint>

// Our own versions of the scanf conversions the tool's formats use. They read
// [p, end) without needing a terminating zero, take the full stop as the
// decimal point whatever the locale, and accept no infinity, NaN or
// hexadecimal spelling.

// "%lg": optional white space, optional sign, digits with at most one decimal
// point (at least one digit), optional exponent. An exponent marker without
// digits is consumed with its sign and adds nothing. A magnitude beyond the
// double range reads as an infinity, one below it as zero. Returns the
// position after the number, or nullptr when none starts at p.
const char* scan_double(const char* p, const char* end, double& value);

// "%lg%*c%lg": a number, exactly one character of any kind, a number. Each
// number is stored the moment it is read; returns how many were (0, 1, 2).
int scan_double_pair(const char* p, const char* end, double& first, double& second);

// "%d": optional white space, optional sign, decimal digits. A value outside
// the 32-bit range saturates at its limit. Returns nullptr without digits.
const char* scan_int(const char* p, const char* end, int32_t& value);

// "%d%*c%d", with the same storing and counting as scan_double_pair.
int scan_int_pair(const char* p, const char* end, int32_t& first, int32_t& second);

// The decimal conversion of atoi, saturating: 0 when no digits start the text.
int32_t decimal_value(const char* text);
