#include "gui/core/readnum.h"

#include <gtest/gtest.h>

#include <string>

namespace zod {
namespace {

constexpr const char* kMismatch = "mismatch";
constexpr const char* kRange = "out of range";

// Point system (commadec 0): the leading number of the text, 0 when there is none.
// Comma system (non-zero): the whole text must be the number, else InputMismatch.
// Both: beyond single precision is out of range. `after` is the text as ReadNum leaves it.
TEST(ReadNumTest, BothSystems) {
  const std::string nines(400, '9');
  // clang-format off
  const struct { std::string in; std::int16_t commadec; float value; const char* after; } cases[] = {
      {"  12,5", 0, 12.5f, "12.5"}, {"1,234.5", 0, 1.234f, "1.234.5"}, {"", 0, 0, ""}, {"   ", 0, 0, ""},
      {"abc", 0, 0, "abc"}, {"-0.3", 0, -0.3f, "-0.3"}, {"3E2", 0, 300, "3E2"}, {"12x", 0, 12, "12x"},
      {"+5", 0, 5, "+5"}, {"-.5", 0, -0.5f, "-.5"}, {"5.", 0, 5, "5."}, {".", 0, 0, "."}, {"-", 0, 0, "-"},
      {"3E", 0, 3, "3E"}, {"3e-1x", 0, 0.3f, "3e-1x"}, {"1 2", 0, 1, "1 2"}, {"&H10", 0, 0, "&H10"},
      {"1e-50", 0, 0, "1e-50"}, {"1e-400", 0, 0, "1e-400"}, {"0.0001e-400", 0, 0, "0.0001e-400"},
      {"0e999999", 0, 0, "0e999999"}, {"3.4028235e38", 0, 3.4028235e38f, "3.4028235e38"},
      {"12.5", -1, 12.5f, "12,5"}, {"12,5", -1, 12.5f, "12,5"}, {"  -0,3  ", -1, -0.3f, "-0,3  "},
      {"3E2", -1, 300, "3E2"}, {",5", -1, 0.5f, ",5"}, {"1e-50", -1, 0, "1e-50"}, {"0.1", 1, 0.1f, "0,1"},
      {"+2", -1, 2, "+2"},
      {"", -1, 0, kMismatch}, {"  ", -1, 0, kMismatch}, {"abc", -1, 0, kMismatch}, {"12x", -1, 0, kMismatch},
      {"1.234,5", -1, 0, kMismatch}, {"1 2", -1, 0, kMismatch}, {"-", -1, 0, kMismatch},
      {",", -1, 0, kMismatch}, {"3E", -1, 0, kMismatch}, {"+-1", -1, 0, kMismatch},
      {"1e5e5", -1, 0, kMismatch}, {"&H10", 1, 0, kMismatch}, {"1e39", 0, 0, kRange},
      {"-1e39", -1, 0, kRange}, {"1e400", 0, 0, kRange}, {"0.001e99999", -1, 0, kRange},
      {"1e99999999999999999999", 0, 0, kRange}, {nines, 0, 0, kRange}, {nines, -1, 0, kRange},
      {"1e39x", -1, 0, kMismatch},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE('"' + c.in + "\" commadec " + std::to_string(c.commadec));
    std::string t = c.in;
    if (c.after == kMismatch) {
      EXPECT_THROW(ReadNum(t, c.commadec), InputMismatch);
      continue;
    }
    if (c.after == kRange) {
      EXPECT_THROW(ReadNum(t, c.commadec), NumberOutOfRange);
      continue;
    }
    EXPECT_EQ(ReadNum(t, c.commadec), c.value);
    EXPECT_EQ(t, c.after);
  }
  // the mismatch is the core's error, worded as the message box shows it
  std::string t = "x";
  try {
    ReadNum(t, 1);
    ADD_FAILURE();
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
