// The program without its windows, for the engine and report tests: a state
// with the shipped tables, drawing on a recording view.
#pragma once

#include "engine/recording.h"
#include "engine/state.h"
#include "engine/tables.h"

namespace zod::test {

struct Session {
  State z;
  RecordingView view;
  explicit Session(char dec = '.') {
    z.setView(&view);
    z.decsep = dec;
    z.commadec = dec == ',';
    z.apppath = ZOD_DATA_DIR;
    ReadTables(z);
  }
};

}  // namespace zod::test
