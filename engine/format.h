// Number texts: the digit-placeholder patterns of the displays and reports,
// and the plain text of a number.
#pragma once

#include <string>
#include <string_view>

namespace zod {

// Formats v by a pattern such as "#00", "##0.000", "0.00E+0": "0" is a digit
// always shown, "#" one shown only when needed, "." stands for the decimal
// separator `dec`, "E+0" an exponent with sign ("E-0": a sign only when
// negative); the mantissa of an exponent pattern has as many integer digits
// as the pattern has places before the point ("00.0E+0": 210000 as 21.0E+4).
// Rounds half away from zero on the value taken to 15 significant digits, so
// 2.675 by "0.00" is 2.68. A value that rounds to zero has no minus sign.
// Characters outside this grammar are passed over; inf and NaN give "inf",
// "-inf", "nan".
std::string Format(double v, std::string_view pattern, char dec = '.');

// Plain text of a single-precision value: the shortest text with at most
// seven significant digits (rounded half away from zero), fixed for
// 1E-4 <= |v| < 1E+7 after rounding, otherwise exponent form with at least
// two exponent digits (9.5 -> "9.5", 0.5 -> "0.5", 1E+08 -> "1E+08",
// 1.5E-05 -> "1.5E-05").
std::string NumText(float v, char dec = '.');

}  // namespace zod
