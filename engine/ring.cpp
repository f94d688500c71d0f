#include "engine/calc.h"

namespace zod {

void CalcRingBuckling(State&) {}
void CalcIhSpecial(State&) {}
void CalcHeavyRing(State&) {}

}  // namespace zod
