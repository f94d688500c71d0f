#include "mainwindow/core/readnum.h"

#include <gtest/gtest.h>

#include <string>

namespace zod {
namespace {

struct ReadCase {
  const char* in;
  float value;
  const char* after;  // the text as ReadNum leaves it
};

TEST(ReadNumTest, PointSystemReadsTheLeadingNumber) {
  const ReadCase cases[] = {
      {"  12,5", 12.5f, "12.5"},
      {"1,234.5", 1.234f, "1.234.5"},
      {"", 0, ""},
      {"   ", 0, ""},
      {"abc", 0, "abc"},
      {"-0.3", -0.3f, "-0.3"},
      {"3E2", 300, "3E2"},
      {"12x", 12, "12x"},
      {"0.1", 0.1f, "0.1"},
      {"+5", 5, "+5"},
      {"-.5", -0.5f, "-.5"},
      {"5.", 5, "5."},
      {".", 0, "."},
      {"-", 0, "-"},
      {"3E", 3, "3E"},
      {"3e-1x", 0.3f, "3e-1x"},
      {"1 2", 1, "1 2"},
      {"&H10", 0, "&H10"},
      {"1e-50", 0, "1e-50"},
      {"1e-400", 0, "1e-400"},
      {"0.0001e-400", 0, "0.0001e-400"},
      {"0e999999", 0, "0e999999"},
      {"3.4028235e38", 3.4028235e38f, "3.4028235e38"},
  };
  for (const auto& c : cases) {
    std::string t = c.in;
    EXPECT_EQ(ReadNum(t, 0), c.value) << '"' << c.in << '"';
    EXPECT_EQ(t, c.after) << '"' << c.in << '"';
  }
}

TEST(ReadNumTest, CommaSystemReadsTheWholeText) {
  const ReadCase cases[] = {
      {"12.5", 12.5f, "12,5"}, {"12,5", 12.5f, "12,5"}, {"  -0,3  ", -0.3f, "-0,3  "}, {"3E2", 300, "3E2"},
      {",5", 0.5f, ",5"},      {"1e-50", 0, "1e-50"},   {"0.1", 0.1f, "0,1"},          {"+2", 2, "+2"},
  };
  for (const auto& c : cases) {
    std::string t = c.in;
    EXPECT_EQ(ReadNum(t, -1), c.value) << '"' << c.in << '"';
    EXPECT_EQ(t, c.after) << '"' << c.in << '"';
  }
}

TEST(ReadNumTest, CommaSystemRejectsWhatIsNotANumber) {
  for (const char* in : {"", "  ", "abc", "12x", "1.234,5", "1 2", "-", ",", "3E", "+-1", "1e5e5", "&H10"}) {
    std::string t = in;
    EXPECT_THROW(ReadNum(t, -1), InputMismatch) << '"' << in << '"';
  }
}

TEST(ReadNumTest, BeyondSinglePrecisionIsAMismatchInBothSystems) {
  const std::string big(400, '9');
  for (const std::string in :
       {"1e39", "-1e39", "1e400", "0.001e99999", "1e99999999999999999999", big.c_str()}) {
    for (std::int16_t commadec : {0, -1}) {
      std::string t = in;
      EXPECT_THROW(ReadNum(t, commadec), InputMismatch) << '"' << in << "\" commadec " << commadec;
    }
  }
}

TEST(ReadNumTest, MismatchIsTheCoreErrorWithItsMessage) {
  std::string t = "x";
  try {
    ReadNum(t, 1);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Input string mismatch ");
  }
}

TEST(ReadNumTest, DecSepFlagComparesWithOnePointOne) {
  EXPECT_EQ(DecSepFlag("1.1"), 0);
  EXPECT_EQ(DecSepFlag("1,1"), -1);
  EXPECT_EQ(DecSepFlag("1/1"), 1);
}

}  // namespace
}  // namespace zod
