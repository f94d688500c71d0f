#include "engine/tables.h"

#include "engine/state.h"

namespace zod {

void ReadMat(State&) {}
void ReadBfProf(State&) {}
void ReadLProf(State&) {}
void ReadTProf(State&) {}
void ReadFProf(State&) {}
void ReadTables(State& z) {
  ReadMat(z);
  ReadBfProf(z);
  ReadLProf(z);
  ReadTProf(z);
  ReadFProf(z);
}
void GetFyp(State&, std::int16_t) {}
void GetFys(State&, std::int16_t) {}
void GetFyg(State&, std::int16_t) {}

}  // namespace zod
