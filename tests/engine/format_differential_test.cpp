// Format (appending to a string) takes a short cut for most values; here it
// is held to the full decimal expansion on millions of values where a short
// cut goes wrong first: halves at the last digit place and their neighbours, values just
// below a power of ten, decimals as typed, single-precision values, over
// 1E-25 to 1E+25, with every pattern and both separators.
//
// ZOD_FORMAT_VALUES=100000000 runs a longer comparison locally.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/format.h"

namespace zod {
namespace {

// clang-format off
const char* const kPatterns[] = {
    "0.0", "0.00", "0.000E+0", "0", "00", "#000", "#0.0",                      // nearly every call
    "#00", "##0", "##0.0", "##0.000", "0.00E+0", "0.0E+0", "00.0E+0",          // others in use
    "0.00E-00", "##.00", "0.##", "#", "0.0000000", "0.000000000000E+0"};       // the rest of the grammar
// clang-format on
constexpr int kNumPatterns = std::size(kPatterns);

struct Rng : std::mt19937_64 {
  std::uint64_t next() { return (*this)(); }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
};

double Pow10(int k) { return std::pow(10.0, k); }

// Digits shown by a pattern for a value of magnitude 10^x: fixed patterns
// round at 10^-fracPlaces, exponent patterns after `places` leading digits.
double LastPlace(const NumberPattern& p, int x) {
  if (!p.exp) return Pow10(-p.fracPlaces);
  const int places = p.intPlaces + p.fracPlaces == 0 ? 1 : p.intPlaces;
  return Pow10(x - (places + p.fracPlaces - 1));
}

// One value of the given kind, near where pattern p rounds.
double Value(Rng& r, const NumberPattern& p, int kind) {
  const int x = r.below(51) - 25;  // decimal magnitude 1E-25..1E+25
  const double place = LastPlace(p, x), sign = r.below(2) ? -1 : 1;
  double v = Pow10(x);
  switch (kind) {
    case 0:  // any double of the range
      return sign * std::ldexp(1 + r.unit(), r.below(167) - 83);
    case 1:  // a half at the last place shown, moved by parts in 1E+15 or by a few ulps
      v = (std::floor(v / place * (1 + 9 * r.unit())) + 0.5) * place;
      if (r.below(2)) return sign * v * (1 + (r.below(41) - 20) * 1e-15);
      for (int j = r.below(4); j > 0; --j) v = std::nextafter(v, r.below(2) ? 1e300 : 0.0);
      return sign * v;
    case 2:  // just below where rounding reaches a power of ten, or just below the power
      if (const int j = r.below(3); j > 0)
        return sign *
               (j == 1 ? v * (1 - r.below(200) * 1e-16) : v - place * (0.5 + (r.below(21) - 10) * 1e-13));
      for (int j = r.below(64); j > 0; --j) v = std::nextafter(v, 0.0);
      return sign * v;
    case 3:  // a decimal as typed, such as 2.675
      return sign * static_cast<double>(r.next() % 100000000) / Pow10(r.below(7));
    case 4:  // a single-precision value, as many results are held
      return sign * static_cast<float>(std::ldexp(1 + r.unit(), r.below(100) - 50));
    default:  // halves and quarters that binary holds exactly
      return sign * std::ldexp(static_cast<double>(r.next() % 100000), -r.below(6));
  }
}

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr long kValues = 300000;  // the sanitizer build runs ten times slower
#else
constexpr long kValues = 5000000;
#endif

TEST(FormatDifferential, ShortCutAgreesWithFullExpansion) {
  std::vector<NumberPattern> patterns(std::begin(kPatterns), std::end(kPatterns));
  Rng r;
  const char* env = std::getenv("ZOD_FORMAT_VALUES");
  const long n = env ? std::atol(env) : kValues;
  for (long i = 0, failures = 0; i < n && failures < 20; ++i) {
    const int pi = static_cast<int>(i % kNumPatterns);
    const char dec = (i / kNumPatterns) % 2 ? ',' : '.';
    const double v = Value(r, patterns[pi], static_cast<int>((i / (2 * kNumPatterns)) % 6));
    // appending keeps what the string holds, also where a minus sign goes
    // in front of digits already written
    std::string fast = "ab";
    AppendFormat(fast, v, patterns[pi], dec);
    const std::string exact = "ab" + FormatExact(v, patterns[pi], dec);
    if (fast != exact && ++failures)
      ADD_FAILURE() << std::hexfloat << v << std::defaultfloat << " (" << v << ") by " << kPatterns[pi]
                    << ": " << fast << " instead of " << exact;
  }
}

}  // namespace
}  // namespace zod
