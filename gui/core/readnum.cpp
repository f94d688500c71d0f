#include "gui/core/readnum.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace zod {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest number at the start of s: optional sign, digits with at most
// one separator `sep`, and an exponent when one follows with at least one
// digit. Returns its length, 0 when s does not start with a number.
size_t NumberLength(std::string_view s, char sep) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == sep) {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// The value of a number that NumberLength accepted, stored in single
// precision. The text is read to the nearest double first and that is
// narrowed, as the Windows version reads it: a number typed or stored in a
// file then gives the same single in both, bit for bit, where a direct read
// to single precision can land one unit apart. A magnitude beyond the single
// range is no value that could be stored.
float Value(std::string_view num, char sep) {
  std::string t(num);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (sep != '.')
    for (char& c : t)
      if (c == sep) c = '.';
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // beyond a double either way: large when the leading digit's place plus
    // the exponent is positive, otherwise a magnitude too small to tell from 0
    size_t i = t[0] == '-' ? 1 : 0;
    size_t intEnd = std::min(t.find_first_not_of("0123456789", i), t.size());
    long weight = static_cast<long>(intEnd - i) - 1;  // of the first digit
    long lead = 0;
    bool found = false;
    for (; i < t.size() && (IsDigit(t[i]) || t[i] == '.'); ++i) {
      if (t[i] == '.') continue;
      if (!found && t[i] != '0') found = true, lead = weight;
      --weight;
    }
    if (!found) return 0.0f;
    long e = 0;
    if (i < t.size()) {  // the exponent
      bool neg = t[++i] == '-';
      if (t[i] == '+' || t[i] == '-') ++i;
      for (; i < t.size(); ++i) e = e > 100000 ? e : e * 10 + (t[i] - '0');
      if (neg) e = -e;
    }
    if (lead + e > 0) throw NumberOutOfRange();
    return 0.0f;
  }
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) throw InputMismatch();
  float f = static_cast<float>(v);
  if (!std::isfinite(f)) throw NumberOutOfRange();
  return f;
}

}  // namespace

// Blanks inside a number, radix prefixes and thousands separators are not
// part of a number in either reading.
float ReadNum(std::string& txt, std::int16_t commadec) {
  txt.erase(0, std::min(txt.find_first_not_of(' '), txt.size()));
  if (commadec == 0) {
    for (char& c : txt)
      if (c == ',') c = '.';
    size_t n = NumberLength(txt, '.');
    return n == 0 ? 0.0f : Value(std::string_view(txt).substr(0, n), '.');
  }
  for (char& c : txt)
    if (c == '.') c = ',';
  // the whole text must be the number, blanks around it aside
  size_t n = NumberLength(txt, ',');
  if (n == 0) throw InputMismatch();
  for (size_t i = n; i < txt.size(); ++i)
    if (txt[i] != ' ' && txt[i] != '\t') throw InputMismatch();
  return Value(std::string_view(txt).substr(0, n), ',');
}

std::int16_t DecSepFlag(const std::string& oneOne) {
  int c = oneOne.compare("1.1");
  return c == 0 ? 0 : (c < 0 ? -1 : 1);
}

}  // namespace zod
