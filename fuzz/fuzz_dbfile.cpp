// Arbitrary bytes as a case database input file, read on a point or a comma
// system (chosen by the first byte) over a table read before. The reader
// must refuse or accept them without crashing; a refusal leaves the earlier
// table and its closing index exactly as they were, and a table it accepts
// must survive a write and a read: the second read gives the first table
// with each number as its written text reads back, and a third read changes
// nothing more. Seeds begin with "P" (point system) or "C" (comma system).
// A table the program wrote reads again, unless its texts of zero bytes make
// the file look like UTF-16. Exempt from reading back unchanged are the
// tables whose written Windows-1252 file the reader takes for UTF-8, as it
// must take a spreadsheet's file without a byte-order mark: texts whose bytes
// above 127 all happen to form the UTF-8 of characters a table holds (such as
// "Ã©").
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "database/core/database.h"
#include "engine/format.h"
#include "gui/core/readnum.h"

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

// The table every input is read over: a comment, two data rows and the
// closing row, and rows above it that no read of a file leaves (a stale
// row), so that a failed read that touched any of them shows.
const std::vector<zod::DbRow>& Earlier(zod::State& z) {
  static const std::vector<zod::DbRow> tab = [&z] {
    std::istringstream in(
        "% Earlier;\r\n"
        "Tank;E1;0;1;2;0;1;0;210000;355;1500;3000;20;600;3000;L 200x90x9.0x12.0;355;6000;600;"
        "BF 200x10.0;355;0;0;-100;-10;40;-0.3;1;1;-1000;-200;-100;100;100; 0 \r\n"
        "Tank;E2;1;0.85;3;1;0;1;210000;355;1500;3000;20;600;3000;Fb 100x10.0;355;6000;600;"
        "RHS 200x90x9.0;355;1;1;-100;-10;40;-0.3;1;1.2;1.5E-05;1;2;3;4; 1 \r\n"
        "End;\r\n");
    zod::ReadDbFile(z, in);
    std::vector<zod::DbRow> t = z.dbtab;
    t[10].iscomment = -1;
    t[10].rowtext = "stale";
    return t;
  }();
  return tab;
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
  const std::vector<zod::DbRow>& earlier = Earlier(*z);
  const bool comma = data[0] & 1;
  z->commadec = comma ? -1 : 0;
  z->decsep = comma ? ',' : '.';
  z->dbtab = earlier;
  z->dbrows = 3;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    zod::ReadDbFile(*z, in);
  } catch (const zod::DbFileError&) {
    if (z->dbtab != earlier || z->dbrows != 3) std::abort();  // a failed read touched the table
    return 0;
  }
  if (!zod::HasDbTable(*z) || !zod::IsClosingRow(z->dbtab[static_cast<std::size_t>(*z->dbrows)]))
    std::abort();

  std::ostringstream written;
  zod::WriteDbFile(*z, written);
  const zod::DbCharset charset = zod::DbFileCharset(written.view());
  if (charset == zod::DbCharset::Utf16) return 0;

  std::vector<zod::DbRow> expected = Rows(*z);
  for (zod::DbRow& r : expected) {
    if (r.iscomment) continue;
    for (auto m : kNumbers) {
      std::string text = zod::NumText(r.*m, z->decsep);
      r.*m = zod::ReadNum(text, z->commadec);
    }
  }
  const std::vector<zod::DbRow> second = WrittenAndRead(*z);
  if (charset != zod::DbCharset::Windows1252) return 0;
  if (second != expected) std::abort();
  if (WrittenAndRead(*z) != second) std::abort();
  return 0;
}
