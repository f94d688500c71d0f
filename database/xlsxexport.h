// The detailed result table handed on as a spreadsheet: an .xlsx workbook
// with the headers in row 1, one row per item from row 2, item texts in
// column A (centred) and columns A to H as wide as their texts. A number the
// table shows is a number there, in a format that shows the same text.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "database/summary.h"

namespace zod {

// The widths, in the spreadsheet's character units, that fit columns A to H
// (as many as the table has) to their longest text, header included.
std::vector<double> FittedWidths(const SummaryTable& t);

// Where a workbook goes: the database file's folder when the name has one
// that exists, otherwise `fallback`.
QString ExportFolder(const QString& dbfile, const QString& fallback);
// The workbook's name stem after the database file: "Tank" for
// ".../Tank_in.csv"; "Database" without a file name.
QString ExportBaseName(const QString& dbfile);

// Saves the workbook in `folder` as base + "_summary.xlsx", or with " (2)",
// " (3)" ... before the extension when that name is taken in any form (a
// file, a folder, a link, even to nowhere): an export never replaces
// anything. The workbook goes through the safe save and is read back before
// it takes its name. Returns its path and the save's warning (its folder not
// flushed); throws zod::Error ("can't save file - " and the workbook's name)
// when it could not be saved.
struct ExportedWorkbook {
  QString path;
  QString warning;
};
ExportedWorkbook ExportWorkbook(const SummaryTable& t, const QString& folder, const QString& base);

}  // namespace zod
