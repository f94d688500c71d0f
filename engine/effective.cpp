#include "engine/calc.h"

namespace zod {

void StiffEffective(State&) {}
void GirdEffective(State&) {}
void StiffTorsion(State&) {}
void GirdTorsion(State&) {}

}  // namespace zod
