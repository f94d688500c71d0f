// The number texts of the detailed result table as spreadsheet numbers, so
// that a column can be summed or plotted: the value a text shows and a number
// format under which a spreadsheet shows that value as the very same text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zod {

struct SheetNumber {
  double value = 0;
  // A spreadsheet number format code. It writes the decimal separator as
  // '.', whatever the table used: the spreadsheet shows the separator of the
  // desktop's language, which is where the program took its own from.
  std::string format;
};

// `text` as a spreadsheet number, when it is what the formatter writes by
// `pattern` (plain number text, such as "1.5E-05", when `pattern` is empty)
// with `dec` as its decimal separator, and a number format makes the
// spreadsheets show its value as exactly that text. Nothing otherwise: the
// cell stays a text ("N/A", "calculation stopped", a text with more digits
// than a spreadsheet keeps, or a form that spreadsheets show in different
// ways).
std::optional<SheetNumber> ToSheetNumber(std::string_view text, std::string_view pattern, char dec);

}  // namespace zod
