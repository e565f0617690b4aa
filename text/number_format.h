// The one number formatter of the program: every "%w.dlf" and "%d" that
// reaches the drawing or a text on the sheet goes through these functions.
#pragma once

#include <string>

namespace ps {

// Appends `value` with `decimals` digits after the point, right-aligned in a
// field of at least `width` characters (blank padded), like "%w.dlf" except
// for the rounding: the value's decimal expansion is first rounded correctly
// to 17 significant digits, and that decimal is then rounded half away from
// zero to the printed decimals (0.0625 -> "0.063", -12.5 -> "-13"). A
// negative value that rounds to zero keeps its sign ("-0.000"); infinities
// print as "inf" / "-inf" and NaN as "nan", whatever its sign bit, padded to
// the width.
void appendFixed(std::string& out, double value, int width, int decimals);

// The same text written to `out`, which has room for kShortFixedBytes, when
// it is short: a finite value below 10^(16 - decimals) with 0 to 3 decimals,
// a width below kShortFixedBytes, and a binary value that settles the
// rounding by itself. Returns the end of the text, or nullptr when the value
// needs appendFixed.
inline constexpr int kShortFixedBytes = 32;
char* writeShortFixed(char* out, double value, int width, int decimals);

// Appends a finite value with the fewest decimals, at least `minDecimals`,
// whose text reads back (correctly rounded, as strtod and the input readers
// read it) as the same double: 0.1 -> "0.1", 7.669 with 3 -> "7.669", 20
// with 3 -> "20.000". For the files the program writes to be read again.
void appendExact(std::string& out, double value, int minDecimals);

// Appends a decimal integer, like "%d".
void appendInt(std::string& out, long long value);

// Convenience forms that return the text.
std::string formatFixed(double value, int width, int decimals);
std::string formatInt(long long value);

}  // namespace ps
