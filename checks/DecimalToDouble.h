#pragma once
// A decimal number's nearest double, as the C library's strtod gives it, without the C
// library's reader: mingw's (gdtoa, with hexadecimal, NaN and rounding modes) is 23 KB of a
// program that reads a few version parts.
#include <string_view>

// `number` is digits with an optional decimal point and digits, then optionally "e" or "E", an
// optional sign and digits, with at least one digit before the exponent; no sign, no blanks.
// The result is the double nearest to its value, ties to the even one: infinity when the value
// is too large for a double, 0 when it is nearer 0 than to the smallest double above it.
double DecimalToDouble(std::string_view number);
