#include "database/core/sheetnumber.h"

#include <gtest/gtest.h>

#include <ostream>

// Number texts of the detailed result table as spreadsheet numbers: the value
// each shows and the number format that shows it as the same text, or the
// text kept where no format is sure to.
namespace zod {
namespace {

struct SheetCase {
  const char* text;
  const char* pattern;  // "" for plain number text
  char dec;
  double value;
  const char* format;  // null: the cell stays a text
};

void PrintTo(const SheetCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" by \"" << c.pattern << "\" with '" << c.dec << "'";
}

const SheetCase kCases[] = {
    // what the table's columns write
    {"0.85", "0.00", '.', 0.85, "0.00"},
    {"0,85", "0.00", ',', 0.85, "0.00"},
    {"-22.5", "0.0", '.', -22.5, "0.0"},
    {"-22,5", "0.0", ',', -22.5, "0.0"},
    {"6000", "0", '.', 6000, "0"},
    {"0.850", "0.000", '.', 0.85, "0.000"},
    {"355", "", '.', 355, "0"},
    {"0,5", "", ',', 0.5, "0.0"},
    {"0.0001234567", "", '.', 0.0001234567, "0.0000000000"},
    {"1.159E+07", "", '.', 1.159e7, "0.000E+00"},
    {"1,5E-05", "", ',', 1.5e-5, "0.0E+00"},
    {"1E+08", "", '.', 1e8, "0E+00"},
    // other patterns of the formatter
    {".85", "#.00", '.', 0.85, "#.00"},
    {"-.85", "#.00", '.', -0.85, "#.00"},
    {".00", "#.00", '.', 0, "#.00"},
    {"22.50", "#.00", '.', 22.5, "#.00"},
    {"007", "#000", '.', 7, "000"},
    {"1.5", "0.0#", '.', 1.5, "0.0#"},
    {"1.159E+7", "0.000E+0", '.', 1.159e7, "0.000E+0"},
    {"21.0E+4", "00.0E+0", '.', 210000, "00.0E+0"},
    {"21,0E-6", "00.0E+0", ',', 2.1e-5, "00.0E+0"},
    {"2.1E5", "0.0E-0", '.', 210000, "0.0E-0"},
    {"2.1E-5", "0.0E-0", '.', 2.1e-5, "0.0E-0"},
    {"5.0E-1", "#.0E+0", '.', 0.5, "0.0E+0"},
    {"0.0E+0", "0.0E+0", '.', 0, "0.0E+0"},
    {"8.50e-1", "#.00e+0", '.', 0.85, "0.00e+0"},
    // shown otherwise by spreadsheets: 02.1E+6, 1.2E+4, 0.0E+0, "5" or "5."
    {"21.0E+5", "00.0E+0", '.', 0, nullptr},
    {"12.3E+3", "#0.0E+0", '.', 0, nullptr},
    {".0E+0", "#.0E+0", '.', 0, nullptr},
    {"5.", "0.##", '.', 0, nullptr},
    // texts, or not what the pattern writes
    {"N/A", "0.00", '.', 0, nullptr},
    {"calculation stopped", "0.00", '.', 0, nullptr},
    {"inf", "0.00", '.', 0, nullptr},
    {"nan", "", '.', 0, nullptr},
    {"0.85", "0.00", ',', 0, nullptr},
    {"0,85", "0.00", '.', 0, nullptr},
    {" 0.85", "0.00", '.', 0, nullptr},
    {"+0.85", "0.00", '.', 0, nullptr},
    {"0.850", "0.00", '.', 0, nullptr},
    {"0x1p3", "", '.', 0, nullptr},
    // more digits than a spreadsheet keeps
    {"123456789012346000.0", "0.0", '.', 0, nullptr},
    {"12345678901234.5", "0.0", '.', 12345678901234.5, "0.0"},
};

class SheetNumberTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(SheetNumberTest, ShowsTheSameText) {
  const SheetCase& c = GetParam();
  const std::optional<SheetNumber> n = ToSheetNumber(c.text, c.pattern, c.dec);
  if (!c.format) {
    EXPECT_FALSE(n) << n->format;
    return;
  }
  ASSERT_TRUE(n);
  EXPECT_EQ(n->value, c.value);
  EXPECT_EQ(n->format, c.format);
}

INSTANTIATE_TEST_SUITE_P(Cases, SheetNumberTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace zod
