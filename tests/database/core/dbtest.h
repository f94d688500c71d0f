// Shared set-up of the case database tests: a state with the shipped tables
// and a calculated default case, a few ways to build tables, and the fields
// of a file as a spreadsheet reads them.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/core/database.h"
#include "engine/calc.h"
#include "engine/state.h"
#include "engine/tables.h"

namespace zod {

// Failures show the row's kind, text and project, not its bytes.
inline void PrintTo(const DbRow& r, std::ostream* os) {
  *os << "{" << r.iscomment << " \"" << r.rowtext << "\" \"" << r.proj << "\" " << r.dbstiffprof << "}";
}

}  // namespace zod

namespace zod::dbtest {

inline void Prepare(State& z) {
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  Calculate(z);
}

// A table of a comment row, the given number of data rows (the current case,
// identified "case 1", "case 2", ...) and the closing row.
inline void MakeTable(State& z, int dataRows) {
  NewDatabase(z, "Comment");
  for (int i = 2; i <= dataRows; ++i) {
    z.ident = "case " + std::to_string(i);
    AddToDatabase(z);
  }
  z.dbtab[1].ident = z.dbtab[1].rowtext = "case 1";
}

inline std::string Written(const State& z) {
  std::ostringstream out;
  WriteDbFile(z, out);
  return out.str();
}

inline void ReadText(State& z, const std::string& text) {
  std::istringstream in(text);
  ReadDbFile(z, in);
}

// The lines of a file as a spreadsheet or Python's csv module reads them:
// ";" between fields; a field that begins with a double quote runs to the
// quote that is not doubled, holds ";" and line breaks, and has its doubled
// quotes made one; text after that closing quote is added to the field; a
// quote anywhere else is kept.
inline std::vector<std::vector<std::string>> SpreadsheetRows(std::string_view file) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row(1);
  bool start = true;    // at the start of a field
  bool quoted = false;  // inside a field's quotes
  for (std::size_t i = 0; i < file.size(); ++i) {
    const char c = file[i];
    const bool atStart = std::exchange(start, false);
    if (quoted) {
      if (c != '"')
        row.back() += c;
      else if (i + 1 < file.size() && file[i + 1] == '"')
        row.back() += file[++i];
      else
        quoted = false;
    } else if (c == '"' && atStart) {
      quoted = true;
    } else if (c == ';') {
      row.emplace_back();
      start = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
      rows.push_back(std::exchange(row, std::vector<std::string>(1)));
      start = true;
    } else {
      row.back() += c;
    }
  }
  if (!start || row.size() > 1) rows.push_back(row);
  return rows;
}

}  // namespace zod::dbtest
