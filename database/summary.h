// The contents of the detailed result table: which columns the seven
// column-group switches show, every data row loaded and calculated with its
// cells, and the row's largest usage factor. Text only, so that the window,
// the spreadsheet export and the benchmarks share one build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/core/database.h"
#include "engine/state.h"

namespace zod {

struct SummaryTable {
  std::vector<std::string> headers;
  // Per column, the formatter's pattern that wrote its numbers ("" for plain
  // number text); none for a column of texts (identification, profiles).
  std::vector<std::optional<std::string>> patterns;
  char decsep = '.';  // the decimal separator of the number texts
  // One item per row 0..dbrows-1: the item's text first, then its sub-items.
  // A comment row is its text alone.
  std::vector<std::vector<std::string>> items;
  // Per item, the column drawn bold ("UFmax ="), or -1.
  std::vector<int> boldColumn;
  // What the calculations said, for one message after the build.
  DbBatchReport report;
};

// Every column's width: 0.95 of the list's width shared by the divisor, the
// number of columns after the first (25 with every group shown, 7 with none),
// halves to the even neighbour.
int SummaryColumnWidth(int listWidth, int divisor);

// Whether usage-factor text a sorts before b. Two number texts (point or
// comma) compare by their values, so that 10.2 is larger than 9.1; anything
// else compares as text.
bool UsageFactorBefore(const std::string& a, const std::string& b);

// Builds the table from the switches and the case table, loading and
// calculating every data row in a DbBatch: the user's case is as before
// afterwards. Without a table: the headers and no rows.
SummaryTable ResultSummary(State& z);

}  // namespace zod
