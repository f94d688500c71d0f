#include "engine/format.h"

#include <cstdio>

namespace zod {

std::string Format(double v, std::string_view, char) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

std::string NumText(float v, char) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
  return buf;
}

}  // namespace zod
