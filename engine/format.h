// Number texts: the digit-placeholder patterns of the displays and reports,
// and the plain text of a number.
#pragma once

#include <string>
#include <string_view>

namespace zod {

// Formats v by a pattern such as "#00", "##0.000", "0.00E+0": "0" is a digit
// always shown, "#" one shown only when needed, "." stands for the decimal
// separator `dec`, "E+0" an exponent with sign. Rounds half away from zero.
std::string Format(double v, std::string_view pattern, char dec = '.');

// Plain text of a single-precision value: the shortest text with at most
// seven significant digits, exponent form for very large and very small
// magnitudes (9.5 -> "9.5", 1E+08 -> "1E+08").
std::string NumText(float v, char dec = '.');

}  // namespace zod
