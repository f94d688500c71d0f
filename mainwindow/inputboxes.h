// The 27 input boxes of the main window: their design names, display
// formats, Enter behaviour, fields and limits, as one table that the window's
// focus and key handling walks.
#pragma once

#include "engine/state.h"

namespace zod {

namespace box {
enum Id : int {
  icylr,
  il,
  it,
  ie,
  ifyp,
  ifys,
  ifyg,
  is1,
  ilt,
  icyll,
  igilt,
  icolL,
  ik1,
  ik2,
  inn,
  ip,
  im1a,
  im1b,
  im2a,
  im2b,
  isigx,
  isigy,
  itau,
  ipp,
  iufb,
  iproj,
  iident,
  kCount
};
}  // namespace box

// What Enter does in a box besides moving the focus on.
enum class EnterKind {
  MovesOn,             // the leave handling commits the value
  ParsesStores,        // read, store and write back first
  ParsesStoresChecks,  // read, store, write back and check first; a failed check keeps the focus
  StoresText,          // the two text boxes
};

struct Violation {
  const char* text = nullptr;  // the message; null when the value is within its limits
  bool refocusOnLeave = true;  // false: leaving lets the focus go (on Enter it always stays)
};

struct InputBox {
  const char* name;
  const char* pattern;  // display format after a commit; null for the text boxes
  EnterKind enter;
  void (*store)(State&, float);
  double (*value)(const State&);
  Violation (*check)(const State&);  // null: no limits
};

const InputBox& BoxDef(int id);

}  // namespace zod
