#include "engine/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zod {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatTest, Examples) {
  // clang-format off
  const struct { double v; const char *pattern, *text; char dec = '.'; } cases[] = {
      // digit places
      {5, "#00", "05"}, {8, "#00", "08"}, {1500.4, "#00", "1500"}, {95, "#000", "095"}, {50, "#000", "050"},
      {355.4, "###", "355"}, {2879.6, "##0", "2880"}, {0, "##0", "0"}, {0, "#", ""}, {0.4, "#", ""},
      {0.5, "#", "1"}, {7, "00", "07"}, {20, "#0.0", "20.0"}, {-1000, "#0.0", "-1000.0"},
      {99.96, "##0.0", "100.0"},
      {1, "0.00", "1.00"}, {1.15, "#0.00", "1.15"}, {1234.5678, "#0.000", "1234.568"}, {0.85, "##.00", ".85"},
      {-0.85, "##.00", "-.85"}, {-0.3, "##0.000", "-0.300"}, {1, "0.##", "1."}, {1.5, "0.##", "1.5"},
      {0.85, "0.##", "0.85"}, {0.999, "0.00", "1.00"}, {1e20, "0", "100000000000000000000"},
      {1e-300, "0.00", "0.00"},
      // exponent patterns: the mantissa gets as many integer digits as the pattern has places
      {210000, "0.00E+0", "2.10E+5"}, {-210000, "0.00E+0", "-2.10E+5"}, {210000, "00.0E+0", "21.0E+4"},
      {0.5, "0.000E+0", "5.000E-1"}, {3.5e6, "0.000E+0", "3.500E+6"}, {1.5e-7, "0.000E+0", "1.500E-7"},
      {9.9996, "0.000E+0", "1.000E+1"}, {0, "0.00E+0", "0.00E+0"}, {12345, "0.00E-0", "1.23E4"},
      {0.00123, "0.00E-00", "1.23E-03"}, {std::numeric_limits<double>::max(), "0.000E+0", "1.798E+308"},
      {std::numeric_limits<double>::denorm_min(), "0.0E+0", "4.9E-324"},
      // ties round away from zero on the decimal value as typed
      {0.125, "0.00", "0.13"}, {-2.5, "0", "-3"}, {2.5, "0", "3"}, {0.15, "0.0", "0.2"},
      {2.675, "0.00", "2.68"}, {1.005, "0.00", "1.01"}, {-1.25, "0.0", "-1.3"}, {1.2345e5, "0.000E+0", "1.235E+5"},
      // zero after rounding has no minus
      {-0.001, "0.00", "0.00"}, {-0.4, "0", "0"}, {-0.4, "#", ""}, {-0.0, "0.0", "0.0"},
      {2.5, "0.00", "2,50", ','}, {1, "0.##", "1,", ','}, {210000, "0.00E+0", "2,10E+5", ','},
      {kInf, "0.00", "inf"}, {-kInf, "0.00E+0", "-inf"}, {std::nan(""), "#00", "nan"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern, c.dec), c.text) << c.v << " by " << c.pattern;
}

// At most seven significant digits; fixed from 1E-4 to below 1E+7 after rounding.
TEST(NumTextTest, Examples) {
  // clang-format off
  const struct { float v; const char* text; char dec = '.'; } cases[] = {
      {0, "0"}, {-0.0f, "0"}, {9.5f, "9.5"}, {0.1f, "0.1"}, {0.5f, "0.5"}, {-0.3f, "-0.3"},
      {123.456f, "123.456"}, {210000, "210000"}, {1.0f / 3, "0.3333333"},
      {9999999, "9999999"}, {1e-4f, "0.0001"}, {std::nextafter(1e-4f, 0.0f), "9.999999E-05"}, {1e7f, "1E+07"},
      {12345678, "1.234568E+07"}, {12345665, "1.234567E+07"}, {1.5e-5f, "1.5E-05"}, {-1e-30f, "-1E-30"},
      {std::numeric_limits<float>::max(), "3.402823E+38"},
      {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
      {9.5f, "9,5", ','}, {1.5e-5f, "1,5E-05", ','},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(NumText(c.v, c.dec), c.text) << c.v;
}

}  // namespace
}  // namespace zod
