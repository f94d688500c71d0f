#include "engine/calc.h"

namespace zod {

void GirdSection(State&, std::int16_t) {}

}  // namespace zod
