#include "engine/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zod {
namespace {

// A decimal number as significant digits: value = 0.d[0]d[1]... * 10^(x+1),
// that is d[0] has the weight 10^x. No trailing zeros; zero has no digits.
struct Decimal {
  bool neg = false;
  std::string d;
  int x = 0;

  bool zero() const { return d.empty(); }
  // The digit with the weight 10^p.
  char at(int p) const {
    long i = static_cast<long>(x) - p;
    return i >= 0 && i < static_cast<long>(d.size()) ? d[static_cast<size_t>(i)] : '0';
  }
};

void TrimZeros(Decimal& n) {
  while (!n.d.empty() && n.d.back() == '0') n.d.pop_back();
}

// The value rounded to 15 significant digits first: a double such as 2.675
// is really 2.67499999..., yet it was typed as 2.675 and must round as that.
Decimal ToDecimal(double v) {
  Decimal n;
  n.neg = std::signbit(v);
  if (v == 0) return n;
  // to_chars, unlike printf, ignores the C locale the window toolkit may set
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
  *r.ptr = '\0';  // d.dddddddddddddde+XX
  n.d += buf[0];
  const char* p = buf + 2;
  while (*p >= '0' && *p <= '9') n.d += *p++;
  n.x = *p == 'e' ? std::atoi(p + 1) : 0;
  TrimZeros(n);
  return n;
}

// Keeps k significant digits, rounding the magnitude half away from zero.
void RoundDigits(Decimal& n, long k) {
  if (n.zero() || k >= static_cast<long>(n.d.size())) return;
  if (k < 0 || (k == 0 && n.d[0] < '5')) {
    n.d.clear();
    return;
  }
  bool up = n.d[static_cast<size_t>(k)] >= '5';
  n.d.resize(static_cast<size_t>(k));
  if (up) {
    size_t i = n.d.size();
    while (i > 0 && n.d[i - 1] == '9') n.d[--i] = '0';
    if (i == 0) {
      n.d.insert(n.d.begin(), '1');
      ++n.x;
    } else {
      ++n.d[i - 1];
    }
  }
  TrimZeros(n);
}

struct Pattern {
  int intPlaces = 0;  // "0" and "#" before the point
  int intZeros = 0;   // "0" before the point
  bool point = false;
  int fracPlaces = 0;  // "0" and "#" after the point
  int fracZeros = 0;   // the places up to the last "0" after the point: always written
  bool exp = false;
  char expLetter = 'E';
  bool expPlus = true;  // "E+": sign always; "E-": only a minus
  int expZeros = 0;
};

Pattern Parse(std::string_view s) {
  Pattern p;
  enum { kInt, kFrac, kExp } part = kInt;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if ((c == 'E' || c == 'e') && part != kExp && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      p.exp = true;
      p.expLetter = c;
      p.expPlus = s[++i] == '+';
      part = kExp;
    } else if (c == '.' && part == kInt) {
      p.point = true;
      part = kFrac;
    } else if (c == '0' || c == '#') {
      if (part == kInt) {
        ++p.intPlaces;
        if (c == '0') ++p.intZeros;
      } else if (part == kFrac) {
        ++p.fracPlaces;
        if (c == '0') p.fracZeros = p.fracPlaces;
      } else if (c == '0') {
        ++p.expZeros;
      }
    }
    // any other character has no place in a number pattern and is passed over
  }
  return p;
}

// The digits before the point (none for a value below one), padded with
// zeros to the pattern's "0" places; then the point and the decimals,
// trailing zeros dropped down to the "0" places.
std::string Digits(const Decimal& n, const Pattern& p, char dec) {
  std::string s;
  if (!n.zero())
    for (int q = n.x; q >= 0; --q) s += n.at(q);
  if (static_cast<int>(s.size()) < p.intZeros) s.insert(0, static_cast<size_t>(p.intZeros) - s.size(), '0');
  if (p.point) {
    s += dec;
    std::string frac;
    for (int q = -1; q >= -p.fracPlaces; --q) frac += n.at(q);
    while (static_cast<int>(frac.size()) > p.fracZeros && frac.back() == '0') frac.pop_back();
    s += frac;
  }
  return s;
}

}  // namespace

// A value that rounds to zero is written without a minus sign: "-0.00" would
// tell the reader of a result there is something negative where nothing is.
std::string Format(double v, std::string_view pattern, char dec) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  Pattern p = Parse(pattern);
  Decimal n = ToDecimal(v);
  std::string s;
  if (!p.exp) {
    RoundDigits(n, static_cast<long>(n.x) + p.fracPlaces + 1);
    s = Digits(n, p, dec);
  } else {
    int places = p.intPlaces;
    if (places + p.fracPlaces == 0) places = 1;
    int e = 0;
    if (!n.zero()) {
      RoundDigits(n, static_cast<long>(places) + p.fracPlaces);
      // the mantissa gets as many integer digits as the pattern has places
      e = n.x - (places - 1);
      n.x = places - 1;
    }
    s = Digits(n, p, dec);
    s += p.expLetter;
    if (e < 0)
      s += '-';
    else if (p.expPlus)
      s += '+';
    std::string ed = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(ed.size()) < p.expZeros)
      ed.insert(0, static_cast<size_t>(p.expZeros) - ed.size(), '0');
    s += ed;
  }
  if (n.neg && !n.zero()) s.insert(0, 1, '-');
  return s;
}

std::string NumText(float v, char dec) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  Decimal n = ToDecimal(static_cast<double>(v));
  RoundDigits(n, 7);
  if (n.zero()) return "0";
  std::string s = n.neg ? "-" : "";
  if (n.x >= -4 && n.x <= 6) {
    if (n.x >= 0) {
      for (int q = n.x; q >= 0; --q) s += n.at(q);
      if (static_cast<int>(n.d.size()) > n.x + 1) s += dec + n.d.substr(static_cast<size_t>(n.x) + 1);
    } else {
      s += '0';
      s += dec;
      s.append(static_cast<size_t>(-n.x - 1), '0');
      s += n.d;
    }
  } else {
    s += n.d[0];
    if (n.d.size() > 1) s += dec + n.d.substr(1);
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", n.x < 0 ? '-' : '+', n.x < 0 ? -n.x : n.x);
    s += buf;
  }
  return s;
}

}  // namespace zod
