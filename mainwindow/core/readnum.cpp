#include "mainwindow/core/readnum.h"

#include <cstdlib>

namespace zod {

float ReadNum(std::string& txt, std::int16_t) { return static_cast<float>(std::atof(txt.c_str())); }

std::int16_t DecSepFlag(const std::string& oneOne) {
  int c = oneOne.compare("1.1");
  return c == 0 ? 0 : (c < 0 ? -1 : 1);
}

}  // namespace zod
