// Feeds arbitrary bytes to every table reader: a damaged data file must end
// in zod::Error, never in a crash or a read past a table, and the last-row
// index must always stay inside the table.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/checked.h"
#include "engine/tables.h"

namespace {

template <typename Table>
void Profiles(const std::string& bytes) {
  Table p;
  std::istringstream in(bytes);
  try {
    zod::ReadProfiles(p, in, "fuzz.dat");
  } catch (const zod::Error&) {
  }
  if (p.n < -1 || p.n >= Table::kRows) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    zod::MaterialTable m;
    std::istringstream in(bytes);
    try {
      zod::ReadMat(m, in, "ZODmat.dat");
    } catch (const zod::Error&) {
    }
    if (m.nmat < -1 || m.nmat >= zod::MaterialTable::kRows) __builtin_trap();
  }
  Profiles<zod::LProfTable>(bytes);
  Profiles<zod::FProfTable>(bytes);
  Profiles<zod::BfProfTable>(bytes);
  return 0;
}
