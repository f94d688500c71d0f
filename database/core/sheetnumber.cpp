#include "database/core/sheetnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/format.h"

namespace zod {
namespace {

// A spreadsheet keeps 15 significant digits; a longer text could show other
// digits there.
constexpr int kMaxDigits = 15;
constexpr size_t kLongest = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int SignificantDigits(std::string_view text) {
  int n = 0;
  for (const char c : text) {
    if (c == 'E' || c == 'e') break;
    if (IsDigit(c) && (n > 0 || c != '0')) ++n;
  }
  return n;
}

// The pattern of plain number text as this text has it: "0.0E+00" for
// "1.5E-05", "0" for "355".
std::string ShapeOf(std::string_view text, char dec) {
  size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  std::string shape;
  const size_t intStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  shape += i > intStart ? '0' : '#';
  if (i < text.size() && text[i] == dec) {
    shape += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i) shape += '0';
  }
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    shape += text[i++];
    const bool sign = i < text.size() && (text[i] == '+' || text[i] == '-');
    shape += sign ? '+' : '-';  // "E-": no sign before a positive exponent
    for (i += sign ? 1 : 0; i < text.size() && IsDigit(text[i]); ++i) shape += '0';
  }
  return shape;
}

// The number format that shows `v` as `text`, which the formatter wrote by
// `p`; nothing where spreadsheets would show it otherwise.
std::optional<std::string> SheetFormat(const NumberPattern& p, double v, std::string_view text, char dec) {
  // A point with no decimals after it: one spreadsheet shows it, another
  // drops it.
  if (p.point) {
    const size_t at = text.find(dec);
    if (at == std::string_view::npos || at + 1 >= text.size() || !IsDigit(text[at + 1])) return std::nullopt;
  }
  std::string f;
  if (!p.exp) {
    f = p.intZeros > 0 ? std::string(static_cast<size_t>(p.intZeros), '0') : "#";
  } else {
    const int places = p.intPlaces + p.fracPlaces == 0 ? 1 : p.intPlaces;
    if (places < 1) return std::nullopt;
    if (v == 0) {
      // zero shows its integer places only where each is a "0"
      if (p.intZeros != places) return std::nullopt;
    } else if (places > 1) {
      // Spreadsheets give a mantissa of several integer places an exponent
      // that is a multiple of their number (21.0E+4, but 02.1E+6 where the
      // formatter writes 21.0E+5): only such a text shows alike.
      int e = 0;
      std::string_view digits = text.substr(text.find_last_of("Ee") + 1);
      if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
      std::from_chars(digits.data(), digits.data() + digits.size(), e);
      if (e % places != 0) return std::nullopt;
    }
    f.assign(static_cast<size_t>(places), '0');
  }
  if (p.point) {
    f += '.';
    f.append(static_cast<size_t>(p.fracZeros), '0');
    f.append(static_cast<size_t>(p.fracPlaces - p.fracZeros), '#');
  }
  if (p.exp) {
    f += p.expLetter;
    f += p.expPlus ? '+' : '-';
    f.append(static_cast<size_t>(std::max(1, p.expZeros)), '0');
  }
  return f;
}

}  // namespace

std::optional<SheetNumber> ToSheetNumber(std::string_view text, std::string_view pattern, char dec) {
  if (text.empty() || text.size() > kLongest || SignificantDigits(text) > kMaxDigits) return std::nullopt;
  char buf[kLongest];
  std::replace_copy(text.begin(), text.end(), buf, dec, '.');
  double v = 0;
  const char* end = buf + text.size();
  const auto [stop, ec] = std::from_chars(buf, end, v);
  if (ec != std::errc() || stop != end || !std::isfinite(v)) return std::nullopt;
  // Only a text the formatter writes for this value is taken for it: that
  // rules out a foreign separator, blanks, a plus sign, digits it would not
  // show.
  const std::string shape = pattern.empty() ? ShapeOf(text, dec) : std::string(pattern);
  const NumberPattern p(shape);
  if (Format(v, p, dec) != text) return std::nullopt;
  std::optional<std::string> format = SheetFormat(p, v, text, dec);
  if (!format) return std::nullopt;
  return SheetNumber{v, std::move(*format)};
}

}  // namespace zod
