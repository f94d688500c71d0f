// Arbitrary bytes as a case database input file, read on a point or a comma
// system (chosen by the first byte). The reader must refuse or accept them
// without crashing, and a table it accepts must survive a write and a read:
// the second read gives the first table with each number as its written text
// reads back, and a third read changes nothing more. Seeds begin with "P"
// (point system) or "C" (comma system).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "database/core/database.h"
#include "engine/format.h"
#include "mainwindow/core/readnum.h"

namespace {

float zod::DbRow::*const kNumbers[] = {
    &zod::DbRow::ufb,  &zod::DbRow::cylr, &zod::DbRow::l,    &zod::DbRow::t,    &zod::DbRow::e,
    &zod::DbRow::fyp,  &zod::DbRow::s,    &zod::DbRow::lt,   &zod::DbRow::fys,  &zod::DbRow::cyll,
    &zod::DbRow::gilt, &zod::DbRow::fyg,  &zod::DbRow::sigx, &zod::DbRow::sigy, &zod::DbRow::tau,
    &zod::DbRow::pd,   &zod::DbRow::nn,   &zod::DbRow::m1a,  &zod::DbRow::m2a,  &zod::DbRow::m1b,
    &zod::DbRow::m2b,  &zod::DbRow::k1,   &zod::DbRow::k2};

std::vector<zod::DbRow> Rows(const zod::State& z) {
  return {z.dbtab.begin(), z.dbtab.begin() + *z.dbrows + 1};
}

std::vector<zod::DbRow> WrittenAndRead(zod::State& z) {
  std::stringstream file;
  zod::WriteDbFile(z, file);
  zod::ReadDbFile(z, file);  // a table the program wrote must read
  return Rows(z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zod::State* z = [] {
    auto* s = new zod::State;
    s->bfprof.n = 2;
    s->bfprof.v[0] = {0, 120, 6, 17, 5, 931};
    s->bfprof.v[1] = {0, 200, 10, 28, 8, 2560};
    s->bfprof.v[2] = {0, 200, 10, 28, 8, 2560};
    return s;
  }();
  if (size == 0) return 0;
  const bool comma = data[0] & 1;
  z->commadec = comma ? -1 : 0;
  z->decsep = comma ? ',' : '.';
  z->dbtab.clear();
  z->dbrows.reset();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    zod::ReadDbFile(*z, in);
  } catch (const zod::DbFileError&) {
    if (zod::HasDbTable(*z)) std::abort();  // a failed read replaced the table
    return 0;
  }
  if (!zod::HasDbTable(*z) || !zod::IsClosingRow(z->dbtab[static_cast<std::size_t>(*z->dbrows)]))
    std::abort();

  std::vector<zod::DbRow> expected = Rows(*z);
  for (zod::DbRow& r : expected) {
    if (r.iscomment) continue;
    for (auto m : kNumbers) {
      std::string text = zod::NumText(r.*m, z->decsep);
      r.*m = zod::ReadNum(text, z->commadec);
    }
  }
  const std::vector<zod::DbRow> second = WrittenAndRead(*z);
  if (second != expected) std::abort();
  if (WrittenAndRead(*z) != second) std::abort();
  return 0;
}
