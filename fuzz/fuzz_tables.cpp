// Arbitrary bytes as each of the data files: a damaged file ends in
// zod::Error whose message names the file and the row; the whole rows before
// that row are kept and nothing else; every value kept is a finite number,
// and the yield strengths and profile dimensions are above 0; nothing is
// written past a table.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "engine/checked.h"
#include "engine/tables.h"

namespace {

// The rows a reader must have kept: all when the file was read, those before
// the row its message names otherwise. -2 when the message names no row.
int KeptRows(const std::string& bytes, const std::string& file, auto read) {
  std::istringstream in(bytes);
  try {
    read(in);
  } catch (const zod::Error& e) {
    const std::string msg = e.what();
    const std::string head = "Error in databasefile " + file + ", row ";
    if (msg.compare(0, head.size(), head) != 0) return -2;
    std::size_t i = head.size();
    int row = 0;
    while (i < msg.size() && msg[i] >= '0' && msg[i] <= '9' && row < 100000)
      row = row * 10 + (msg[i++] - '0');
    if (row < 1 || msg.compare(i, 7, " (line ") != 0) return -2;
    return row - 1;
  }
  return -1;  // all
}

template <typename Table>
void Profiles(const std::string& bytes) {
  Table p;
  const int kept =
      KeptRows(bytes, "fuzz.dat", [&p](std::istream& in) { zod::ReadProfiles(p, in, "fuzz.dat"); });
  if (kept == -2 || (kept >= 0 && p.n != kept - 1) || (kept == -1 && p.n < 0)) __builtin_trap();
  if (p.n < -1 || p.n >= Table::kRows) __builtin_trap();
  for (int i = 0; i < Table::kRows; ++i)
    for (int j = 0; j <= Table::kCols; ++j) {
      const float v = p.v[i][j];
      const bool stored = i <= p.n && j >= 1;
      if (stored ? !(std::isfinite(v) && v > 0) : v != 0) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    zod::MaterialTable m;
    const int kept =
        KeptRows(bytes, "ZODmat.dat", [&m](std::istream& in) { zod::ReadMat(m, in, "ZODmat.dat"); });
    // a usable file holds at least the material of a new case, the third row
    if (kept == -2 || (kept >= 0 && m.nmat != kept - 1) || (kept == -1 && m.nmat < 2)) __builtin_trap();
    if (m.nmat < -1 || m.nmat >= zod::MaterialTable::kRows) __builtin_trap();
    for (int i = 0; i < zod::MaterialTable::kRows; ++i)
      for (int j = 0; j <= 13; ++j) {
        const float v = m.mattab[i][j];
        const bool stored = i <= m.nmat && j >= 1;
        if (stored ? !std::isfinite(v) || (j % 2 == 1 && !(v > 0)) : v != 0) __builtin_trap();
      }
  }
  Profiles<zod::LProfTable>(bytes);
  Profiles<zod::FProfTable>(bytes);
  Profiles<zod::BfProfTable>(bytes);
  return 0;
}
