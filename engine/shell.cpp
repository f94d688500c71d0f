#include "engine/calc.h"

namespace zod {

void CalcShellBuckling(State&) {}
void CalcPanelBuckling(State&) {}

}  // namespace zod
