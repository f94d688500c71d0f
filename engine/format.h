// Number texts: the digit-placeholder patterns of the displays and reports,
// and the plain text of a number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zod {

// A display pattern taken apart once, such as "#00", "##0.000", "0.00E+0":
// "0" is a digit always shown, "#" one shown only when needed, "." stands for
// the decimal separator, "E+0" an exponent with sign ("E-0": a sign only when
// negative); the mantissa of an exponent pattern has as many integer digits
// as the pattern has places before the point ("00.0E+0": 210000 as 21.0E+4).
// Characters outside this grammar are passed over. Code that formats by the
// same pattern again and again keeps one of these as a constant.
struct NumberPattern {
  int intPlaces = 0;  // "0" and "#" before the point
  int intZeros = 0;   // "0" before the point
  bool point = false;
  int fracPlaces = 0;  // "0" and "#" after the point
  int fracZeros = 0;   // the places up to the last "0" after the point: always written
  bool exp = false;
  char expLetter = 'E';
  bool expPlus = true;  // "E+": sign always; "E-": only a minus
  int expZeros = 0;

  constexpr explicit NumberPattern(std::string_view s) {
    enum { kInt, kFrac, kExp } part = kInt;
    for (size_t i = 0; i < s.size(); ++i) {
      const char c = s[i];
      if ((c == 'E' || c == 'e') && part != kExp && i + 1 < s.size() &&
          (s[i + 1] == '+' || s[i + 1] == '-')) {
        exp = true;
        expLetter = c;
        expPlus = s[++i] == '+';
        part = kExp;
      } else if (c == '.' && part == kInt) {
        point = true;
        part = kFrac;
      } else if (c == '0' || c == '#') {
        if (part == kInt) {
          ++intPlaces;
          if (c == '0') ++intZeros;
        } else if (part == kFrac) {
          ++fracPlaces;
          if (c == '0') fracZeros = fracPlaces;
        } else if (c == '0') {
          ++expZeros;
        }
      }
    }
  }
};

// "0.00"_pat: a pattern taken apart by the compiler.
consteval NumberPattern operator""_pat(const char* s, std::size_t n) {
  return NumberPattern(std::string_view(s, n));
}

// Formats v by a pattern, with `dec` as the decimal separator. Rounds half
// away from zero on the value taken to 15 significant digits, so 2.675 by
// "0.00" is 2.68. A value that rounds to zero has no minus sign. inf and NaN
// give "inf", "-inf", "nan".
std::string Format(double v, std::string_view pattern, char dec = '.');
std::string Format(double v, const NumberPattern& pattern, char dec = '.');
// The same text appended to `out`, which keeps its storage from run to run.
void AppendFormat(std::string& out, double v, const NumberPattern& pattern, char dec = '.');
// The same text in place of what `out` held, in its storage.
void FormatInto(std::string& out, double v, const NumberPattern& pattern, char dec = '.');

// Format always by way of the full decimal expansion, never the short cut
// that Format takes for most values; the reference the short cut is held to.
std::string FormatExact(double v, const NumberPattern& pattern, char dec = '.');

// Plain text of a single-precision value: the shortest text with at most
// seven significant digits (rounded half away from zero), fixed for
// 1E-4 <= |v| < 1E+7 after rounding, otherwise exponent form with at least
// two exponent digits (9.5 -> "9.5", 0.5 -> "0.5", 1E+08 -> "1E+08",
// 1.5E-05 -> "1.5E-05").
std::string NumText(float v, char dec = '.');

}  // namespace zod
