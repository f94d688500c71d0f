// Format takes a short cut for most values; here it is held to the full
// decimal expansion on millions of values where a short cut goes wrong
// first: halves at the last digit place and their neighbours, values just
// below a power of ten, decimals as typed, single-precision values, over
// 1E-25 to 1E+25, with every pattern and both separators.
//
// ZOD_FORMAT_VALUES=100000000 runs a longer comparison locally.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
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
constexpr int kNumPatterns = sizeof kPatterns / sizeof kPatterns[0];

struct Rng {
  std::uint64_t x = 0x9e3779b97f4a7c15ull;
  std::uint64_t next() {  // splitmix64
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
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

// One value of the kind i picks, near where pattern p rounds.
double Value(Rng& r, const NumberPattern& p, int kind) {
  const int x = r.below(51) - 25;  // decimal magnitude 1E-25..1E+25
  double v = 0;
  switch (kind) {
    case 0:  // any double of the range
      v = std::ldexp(1 + r.unit(), r.below(167) - 83);
      break;
    case 1: {  // a half at the last place shown, moved by a few ulps or by parts in 1E+15
      const double place = LastPlace(p, x);
      const double m = std::floor(Pow10(x) / place * (1 + 9 * r.unit()));
      v = (m + 0.5) * place;
      if (r.below(2) == 0) {
        for (int j = r.below(4); j > 0; --j) v = std::nextafter(v, r.below(2) ? 1e300 : 0.0);
      } else {
        v *= 1 + (r.below(41) - 20) * 1e-15;
      }
      break;
    }
    case 2: {  // just below a power of ten, or just below where rounding reaches it
      v = Pow10(x);
      const int j = r.below(3);
      if (j == 0)
        for (int k = r.below(64); k > 0; --k) v = std::nextafter(v, 0.0);
      else if (j == 1)
        v *= 1 - r.below(200) * 1e-16;
      else
        v -= LastPlace(p, x) * (0.5 + (r.below(21) - 10) * 1e-13);
      break;
    }
    case 3:  // a decimal as typed, such as 2.675
      v = static_cast<double>(r.next() % 100000000) / Pow10(r.below(7));
      break;
    case 4:  // a single-precision value, as many results are held
      v = static_cast<float>(std::ldexp(1 + r.unit(), r.below(100) - 50));
      break;
    default:  // halves and quarters that binary holds exactly
      v = std::ldexp(static_cast<double>(r.next() % 100000), -r.below(6));
      break;
  }
  return r.below(2) ? -v : v;
}

long Count() {
  if (const char* s = std::getenv("ZOD_FORMAT_VALUES")) return std::atol(s);
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
  return 300000;  // the sanitizer build runs ten times slower
#else
  return 5000000;
#endif
}

TEST(FormatDifferential, ShortCutAgreesWithFullExpansion) {
  std::vector<NumberPattern> patterns;
  for (const char* s : kPatterns) patterns.emplace_back(s);
  Rng r;
  const long n = Count();
  long failures = 0;
  for (long i = 0; i < n && failures < 20; ++i) {
    const int pi = static_cast<int>(i % kNumPatterns);
    const char dec = (i / kNumPatterns) % 2 ? ',' : '.';
    const double v = Value(r, patterns[pi], static_cast<int>((i / (2 * kNumPatterns)) % 6));
    // appended to text already there, as the panels build their lines; Format
    // is the same with nothing in front
    std::string fast = "ab";
    AppendFormat(fast, v, patterns[pi], dec);
    const std::string exact = "ab" + FormatExact(v, patterns[pi], dec);
    if (fast != exact) {
      ++failures;
      ADD_FAILURE() << std::hexfloat << v << std::defaultfloat << " (" << v << ") by " << kPatterns[pi]
                    << ": " << fast << " instead of " << exact;
    }
  }
}

// Appending keeps what the string holds, also where a minus sign is put in
// front of digits already written.
TEST(FormatDifferential, AppendKeepsWhatIsThere) {
  // clang-format off
  const struct { double v; const char *pattern, *text; } cases[] = {
      {-2.675, "0.00", "ab-2.68"}, {-2.5, "0.00", "ab-2.50"}, {-1.25, "0.0", "ab-1.3"},
      {-123456789012345.6, "0", "ab-123456789012346"}, {-0.001, "0.00", "ab0.00"}, {-210000, "0.00E+0", "ab-2.10E+5"}};
  // clang-format on
  for (const auto& c : cases) {
    std::string s = "ab";
    AppendFormat(s, c.v, NumberPattern(c.pattern));
    EXPECT_EQ(s, c.text) << c.v << " by " << c.pattern;
  }
}

}  // namespace
}  // namespace zod
