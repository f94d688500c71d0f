#include "engine/calc.h"

namespace zod {

void StiffSection(State&, std::int16_t) {}

}  // namespace zod
