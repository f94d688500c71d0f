#include "engine/format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
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

// The digits before the point (none for a value below one), padded with
// zeros to the pattern's "0" places; then the point and the decimals,
// trailing zeros dropped down to the "0" places.
void Digits(std::string& s, const Decimal& n, const NumberPattern& p, char dec) {
  const size_t start = s.size();
  if (!n.zero())
    for (int q = n.x; q >= 0; --q) s += n.at(q);
  const int intDigits = static_cast<int>(s.size() - start);
  if (intDigits < p.intZeros) s.insert(start, static_cast<size_t>(p.intZeros - intDigits), '0');
  if (p.point) {
    s += dec;
    std::string frac;
    for (int q = -1; q >= -p.fracPlaces; --q) frac += n.at(q);
    while (static_cast<int>(frac.size()) > p.fracZeros && frac.back() == '0') frac.pop_back();
    s += frac;
  }
}

// The value as its 15-digit decimal expansion, rounded digit by digit: right
// for every value, and the reference for the short cut below.
void AppendExact(std::string& s, double v, const NumberPattern& p, char dec) {
  Decimal n = ToDecimal(v);
  const size_t start = s.size();
  if (!p.exp) {
    RoundDigits(n, static_cast<long>(n.x) + p.fracPlaces + 1);
    Digits(s, n, p, dec);
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
    Digits(s, n, p, dec);
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
  // A value that rounds to zero is written without a minus sign: "-0.00"
  // would tell the reader of a result there is something negative where
  // nothing is.
  if (n.neg && !n.zero()) s.insert(start, 1, '-');
}

// The short cut: the value scaled to the pattern's last digit place in double
// arithmetic and rounded there. Scaling costs at most two roundings (a few
// 1E-16 relative) and the exact path first takes the value to 15 significant
// digits (up to 5E-15 relative), so the two agree unless the scaled value lies
// within 1E-14 of a rounding half; there, and where 15 digits or more are
// shown, the exact path decides.

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kPow10i[] = {
    1,         10,         100,         1000,         10000,         100000,         1000000,        10000000,
    100000000, 1000000000, 10000000000, 100000000000, 1000000000000, 10000000000000, 100000000000000};
constexpr int kMaxDigits = 14;  // the short cut shows at most this many digits
constexpr double kHalfMargin = 1e-14;

// a · 10^k with one or two roundings; false beyond the table's reach.
bool Scale(double a, int k, double& s) {
  if (k >= 0) {
    if (k <= 22)
      s = a * kPow10[k];
    else if (k <= 44)
      s = a * kPow10[22] * kPow10[k - 22];
    else
      return false;
  } else {
    if (k >= -22)
      s = a / kPow10[-k];
    else if (k >= -44)
      s = a / kPow10[22] / kPow10[-k - 22];
    else
      return false;
  }
  return true;
}

// Rounds a scaled value below 1E+14 half away from zero; false near a half.
bool RoundScaled(double s, std::uint64_t& n) {
  n = static_cast<std::uint64_t>(s);
  const double frac = s - static_cast<double>(n);
  if (std::fabs(frac - 0.5) <= kHalfMargin * s) return false;
  if (frac > 0.5) ++n;
  return true;
}

// "00" to "99", two digits at a time.
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of n with `frac` of them after the point, by the
// pattern's rules for leading zeros and trailing decimals.
char* WriteDigits(char* q, std::uint64_t n, int frac, const NumberPattern& p, char dec) {
  char tmp[24];
  char* const end = tmp + sizeof tmp;
  char* t = end;
  while (n >= 100) {
    const unsigned pair = static_cast<unsigned>(n % 100);
    n /= 100;
    t -= 2;
    t[0] = kPairs[2 * pair];
    t[1] = kPairs[2 * pair + 1];
  }
  if (n >= 10) {
    t -= 2;
    t[0] = kPairs[2 * n];
    t[1] = kPairs[2 * n + 1];
  } else if (n != 0) {
    *--t = static_cast<char>('0' + n);
  }
  while (end - t < frac) *--t = '0';  // a value below one
  const int intDigits = static_cast<int>(end - t) - frac;
  for (int z = intDigits; z < p.intZeros; ++z) *q++ = '0';
  for (int i = 0; i < intDigits; ++i) *q++ = t[i];
  if (p.point) {
    *q++ = dec;
    const char* f = t + intDigits;
    int m = frac;
    while (m > p.fracZeros && f[m - 1] == '0') --m;
    for (int i = 0; i < m; ++i) *q++ = f[i];
  }
  return q;
}

// The text of a finite v by the short cut, into buf; null where the exact
// path must decide.
char* FastFormat(char* q, double v, const NumberPattern& p, char dec) {
  if (p.fracPlaces > kMaxDigits - 1 || p.intZeros > 20 || p.expZeros > 8) return nullptr;
  const double a = std::fabs(v);
  const bool neg = std::signbit(v);
  std::uint64_t n = 0;
  if (!p.exp) {
    const double s = a * kPow10[p.fracPlaces];
    if (!(s < kPow10[kMaxDigits]) || !RoundScaled(s, n)) return nullptr;
    if (neg && n != 0) *q++ = '-';
    return WriteDigits(q, n, p.fracPlaces, p, dec);
  }

  const int places = p.intPlaces + p.fracPlaces == 0 ? 1 : p.intPlaces;
  const int digits = places + p.fracPlaces;
  if (digits > kMaxDigits) return nullptr;
  int x = 0;  // decimal exponent of the leading digit
  if (a != 0) {
    if (!(a >= 1e-300)) return nullptr;  // subnormals and the like
    // floor(log10 a) is this or one more
    x = static_cast<int>(std::floor((std::ilogb(a)) * 0.30102999566398120));
    double s;
    if (!Scale(a, digits - 1 - x, s)) return nullptr;
    if (s >= kPow10[digits] && !Scale(a, digits - 1 - ++x, s)) return nullptr;
    if (!RoundScaled(s, n)) return nullptr;
    if (n == kPow10i[digits]) {  // 9.9996 to four digits is 10.00
      n /= 10;
      ++x;
    }
    if (neg) *q++ = '-';
  }
  q = WriteDigits(q, n, p.fracPlaces, p, dec);
  const int e = a == 0 ? 0 : x - (places - 1);
  *q++ = p.expLetter;
  if (e < 0)
    *q++ = '-';
  else if (p.expPlus)
    *q++ = '+';
  unsigned ue = static_cast<unsigned>(e < 0 ? -e : e);
  char tmp[12];
  int k = 0;
  do {
    tmp[k++] = static_cast<char>('0' + ue % 10);
    ue /= 10;
  } while (ue != 0);
  for (int z = k; z < p.expZeros; ++z) *q++ = '0';
  while (k > 0) *q++ = tmp[--k];
  return q;
}

}  // namespace

void AppendFormat(std::string& out, double v, const NumberPattern& p, char dec) {
  if (std::isnan(v)) {
    out += "nan";
  } else if (std::isinf(v)) {
    out += v < 0 ? "-inf" : "inf";
  } else {
    char buf[64];
    if (const char* end = FastFormat(buf, v, p, dec))
      out.append(buf, static_cast<size_t>(end - buf));
    else
      AppendExact(out, v, p, dec);
  }
}

void FormatInto(std::string& out, double v, const NumberPattern& p, char dec) {
  out.clear();
  AppendFormat(out, v, p, dec);
}

std::string Format(double v, const NumberPattern& p, char dec) {
  std::string s;
  AppendFormat(s, v, p, dec);
  return s;
}

std::string Format(double v, std::string_view pattern, char dec) {
  return Format(v, NumberPattern(pattern), dec);
}

std::string FormatExact(double v, const NumberPattern& p, char dec) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  std::string s;
  AppendExact(s, v, p, dec);
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
