// Arbitrary bytes as a project file: the reader must refuse or accept them,
// never crash or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "mainwindow/core/projectfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zod::State* z = [] {
    auto* s = new zod::State;
    s->mat.nmat = 3;
    s->lprof.n = 1;
    s->lprof.v[1] = {0, 200, 90, 9, 12};
    s->bfprof.n = 0;
    return s;
  }();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::int16_t ver = 0;
  try {
    zod::DesignCase c = zod::ReadProject(in, *z, *z, ver);
    std::ostringstream out;
    zod::WriteProject(out, c);
  } catch (const zod::Error&) {
  }
  return 0;
}
