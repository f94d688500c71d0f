#include "engine/calc.h"

namespace zod {

void Calculate(State&) {}
void CheckGirderLt(State&) {}
void CalcStresses(State&) {}

}  // namespace zod
