// Arbitrary bytes as a project file, read over the shipped tables so that
// the stiffener's row searches run: the reader refuses or accepts, never
// crashes or reads out of bounds; what it accepts is a case that writes and
// reads back to itself, text and value, and whose codes the program can use.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/shippedtables.h"
#include "mainwindow/core/projectfile.h"

namespace {

std::string Write(const zod::DesignCase& c) {
  std::ostringstream out;
  zod::WriteProject(out, c);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zod::State& z = zod::fuzz::ShippedTables();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::int16_t ver = 0;
  zod::DesignCase c;
  try {
    c = zod::ReadProject(in, z, z, ver);
  } catch (const zod::Error&) {
    return 0;
  }
  if (c.resv1 != 1 || c.cylinder < 0 || c.cylinder > 3 || c.stifftype < 0 || c.stifftype > 9 ||
      c.girdtype < 0 || c.girdtype > 9 || c.matp < 0 || c.matp > z.mat.nmat)
    __builtin_trap();
  const std::string text = Write(c);
  std::istringstream again(text);
  std::int16_t ver2 = 0;
  zod::DesignCase back;
  try {
    back = zod::ReadProject(again, z, z, ver2);
  } catch (const zod::Error&) {
    __builtin_trap();  // a case the program holds is always saved so that it opens again
  }
  if (ver2 != zod::kProjectVersion || !(back == c) || Write(back) != text) __builtin_trap();
  return 0;
}
