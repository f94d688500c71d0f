// The detailed result table handed on as a spreadsheet: an .xlsx workbook
// with the headers in row 1, one row per item from row 2, item texts in
// column A (centred) and columns A to H as wide as their texts.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "database/summary.h"

namespace zod {

// Writes the workbook to `path`, replacing it. Throws zod::Error
// ("can't save file - " and the path) when it cannot be written.
void WriteWorkbook(const SummaryTable& t, const std::string& path);

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
// " (3)" ... before the extension when that name is taken: an export never
// replaces a file. The content reaches the disk under a temporary name
// first. Returns the path; throws zod::Error when nothing could be saved.
QString ExportWorkbook(const SummaryTable& t, const QString& folder, const QString& base);

}  // namespace zod
