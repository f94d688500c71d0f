#include "engine/calc.h"

namespace zod {

void CalcStiffBuckling(State&) {}

}  // namespace zod
