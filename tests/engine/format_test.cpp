#include "engine/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zod {
namespace {

struct FormatCase {
  double v;
  const char* pattern;
  const char* text;
};

TEST(FormatTest, PatternsWriteTheirDigitPlaces) {
  const FormatCase cases[] = {
      {5, "#00", "05"},
      {8, "#00", "08"},
      {1500.4, "#00", "1500"},
      {50, "#000", "050"},
      {2879.6, "##0", "2880"},
      {123, "###", "123"},
      {0, "##0", "0"},
      {0, "#", ""},
      {0.4, "#", ""},
      {0.5, "#", "1"},
      {7, "00", "07"},
      {20, "#0.0", "20.0"},
      {-1000, "#0.0", "-1000.0"},
      {99.96, "##0.0", "100.0"},
      {1, "0.00", "1.00"},
      {1.15, "#0.00", "1.15"},
      {0.85, "##.00", ".85"},
      {-0.85, "##.00", "-.85"},
      {-0.3, "##0.000", "-0.300"},
      {1234.5678, "#0.000", "1234.568"},
      {1, "0.##", "1."},
      {1.5, "0.##", "1.5"},
      {0.85, "0.##", "0.85"},
      {0.999, "0.00", "1.00"},
      {1e20, "0", "100000000000000000000"},
      {1e-300, "0.00", "0.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern, '.'), c.text) << c.v << " by " << c.pattern;
}

TEST(FormatTest, ExponentPatternsNormaliseTheMantissa) {
  const FormatCase cases[] = {
      {210000, "0.00E+0", "2.10E+5"},
      {-210000, "0.00E+0", "-2.10E+5"},
      {210000, "00.0E+0", "21.0E+4"},
      {0.5, "0.000E+0", "5.000E-1"},
      {3.5e6, "0.000E+0", "3.500E+6"},
      {9.9996, "0.000E+0", "1.000E+1"},  // the carry moves into the exponent
      {0, "0.00E+0", "0.00E+0"},
      {1.5e-7, "0.000E+0", "1.500E-7"},
      {12345, "0.00E-0", "1.23E4"},
      {0.00123, "0.00E-00", "1.23E-03"},
      {std::numeric_limits<double>::max(), "0.000E+0", "1.798E+308"},
      {std::numeric_limits<double>::denorm_min(), "0.0E+0", "4.9E-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern, '.'), c.text) << c.v << " by " << c.pattern;
}

TEST(FormatTest, TiesRoundAwayFromZeroOnTheDecimalValue) {
  const FormatCase cases[] = {
      {0.125, "0.00", "0.13"}, {-2.5, "0", "-3"},
      {2.5, "0", "3"},         {2.675, "0.00", "2.68"},
      {1.005, "0.00", "1.01"}, {0.15, "0.0", "0.2"},
      {-1.25, "0.0", "-1.3"},  {1.2345e5, "0.000E+0", "1.235E+5"},
  };
  for (const auto& c : cases) EXPECT_EQ(Format(c.v, c.pattern, '.'), c.text) << c.v << " by " << c.pattern;
}

TEST(FormatTest, ZeroAfterRoundingHasNoMinus) {
  EXPECT_EQ(Format(-0.001, "0.00"), "0.00");
  EXPECT_EQ(Format(-0.4, "0"), "0");
  EXPECT_EQ(Format(-0.4, "#"), "");
  EXPECT_EQ(Format(-0.0, "0.0"), "0.0");
}

TEST(FormatTest, DecimalSeparatorIsTheGivenOne) {
  EXPECT_EQ(Format(2.5, "0.00", ','), "2,50");
  EXPECT_EQ(Format(1, "0.##", ','), "1,");
  EXPECT_EQ(Format(210000, "0.00E+0", ','), "2,10E+5");
}

TEST(FormatTest, NonFiniteValuesGivePlainText) {
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.00"), "inf");
  EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "0.00E+0"), "-inf");
  EXPECT_EQ(Format(std::nan(""), "#00"), "nan");
}

struct NumTextCase {
  float v;
  const char* text;
};

TEST(NumTextTest, SevenSignificantDigitsFixedOrExponent) {
  const NumTextCase cases[] = {
      {0, "0"},
      {-0.0f, "0"},
      {9.5f, "9.5"},
      {0.1f, "0.1"},
      {-0.3f, "-0.3"},
      {0.5f, "0.5"},
      {210000, "210000"},
      {123.456f, "123.456"},
      {1.0f / 3, "0.3333333"},
      {9999999, "9999999"},
      {1e-4f, "0.0001"},  // 9.99999975e-5, rounded up into the fixed range
      {std::nextafter(1e-4f, 0.0f), "9.999999E-05"},
      {1e7f, "1E+07"},
      {12345678, "1.234568E+07"},
      {12345665, "1.234567E+07"},  // an exact tie goes away from zero
      {1.5e-5f, "1.5E-05"},
      {-1e-30f, "-1E-30"},
      {std::numeric_limits<float>::max(), "3.402823E+38"},
      {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumText(c.v, '.'), c.text) << c.v;
}

TEST(NumTextTest, DecimalSeparatorIsTheGivenOne) {
  EXPECT_EQ(NumText(9.5f, ','), "9,5");
  EXPECT_EQ(NumText(1.5e-5f, ','), "1,5E-05");
}

}  // namespace
}  // namespace zod
