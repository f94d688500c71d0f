// Shared set-up of the case database tests: a state with the shipped tables
// and a calculated default case, and a few ways to build tables.
#pragma once

#include <ostream>
#include <sstream>
#include <string>

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

}  // namespace zod::dbtest
