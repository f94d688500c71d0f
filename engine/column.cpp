#include "engine/calc.h"

namespace zod {

void CalcColumnBuckling(State&) {}

}  // namespace zod
