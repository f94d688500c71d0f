// A program state with the material and profile tables that ship with the
// program, read once for the whole run of a fuzz target.
#pragma once

#include "engine/state.h"
#include "engine/tables.h"

namespace zod::fuzz {

inline State& ShippedTables() {
  static State* z = [] {
    auto* s = new State;
    s->apppath = ZOD_DATA_DIR;
    ReadTables(*s);
    return s;
  }();
  return *z;
}

}  // namespace zod::fuzz
