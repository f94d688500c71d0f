// Shared set-up of the case database tests: a state with the shipped tables
// and a calculated default case, and a few ways to build tables.
#pragma once

#include <sstream>
#include <string>

#include "database/core/database.h"
#include "engine/calc.h"
#include "engine/tables.h"

namespace zod::dbtest {

inline void Prepare(State& z) {
  z.apppath = ZOD_DATA_DIR;
  ReadTables(z);
  Calculate(z);
}

// A table of a comment row, two data rows of the current case and the
// closing row (at 3).
inline void MakeTable(State& z) {
  NewDatabase(z, "Comment");
  AddToDatabase(z);
}

inline DbRow Comment(const std::string& text) {
  DbRow r;
  r.iscomment = -1, r.rowtext = text;
  return r;
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
