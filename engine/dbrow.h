// One row of the case database: a design case, a comment or the closing row.
// It is the stored form of a design case, kept here beside the program state
// that holds the table. A plain record: how the table is read, written and
// calculated is the database core's business, and no calculation uses it, so
// the engine stays independent of the database.
#pragma once

#include <cstdint>
#include <string>

namespace zod {

// Rows 0..kDbLastRow: at most 1001 rows, the closing row included.
constexpr std::int16_t kDbLastRow = 1000;

// Numbers are single precision, codes and switches 16-bit; iscomment is a
// Boolean held as -1 (true) or 0 (false). Texts are UTF-8 in memory and
// Windows-1252 in the files. Dimension fields a profile kind does not use keep
// what the row held before.
struct DbRow {
  std::int16_t iscomment = 0;  // -1: comment or closing row; 0: data row
  std::string rowtext;         // the list's text: comment, "End", or the identification
  std::string proj;            // project name
  std::string ident;           // identification of the case
  std::int16_t dmethod = 0;    // DesignMethod
  float ufb = 0;               // allowable (LRFD) or basic (WSD) usage factor
  std::int16_t cylinder = 0;   // CylinderType
  std::int16_t outside = 0;    // stiffening on the outside, 0/1
  std::int16_t ringch = 0;     // ring-frame check, 0/1
  std::int16_t checkih = 0;    // special calculation of Ih, 0/1
  float cylr = 0, l = 0, t = 0, e = 0, fyp = 0, s = 0, lt = 0;
  // stiffener: kind 1 L, 3 T, 5 flat bar, 6 bulb flat, 7 RHS, 8 trapezoid,
  // 9 I (0 when a file's profile word was not recognised)
  std::int16_t dbstifftype = 0;
  std::int16_t dbstiffhp = 0;  // bulb-flat table row (kind 6)
  float dbstiffh = 0, dbstiffb = 0, dbstiffa = 0, dbstifftw = 0, dbstifftf = 0;
  float fys = 0;
  std::string dbstiffprof;  // designation, e.g. "L 200x90x9.0x12.0"
  float cyll = 0, gilt = 0, fyg = 0;
  // ring frame, as the stiffener
  std::int16_t dbgirdtype = 0;
  std::int16_t dbgirdhp = 0;
  float dbgirdh = 0, dbgirdb = 0, dbgirda = 0, dbgirdtw = 0, dbgirdtf = 0;
  std::int16_t ringfab = 0;  // RingFabrication
  std::int16_t hringch = 0;  // heavy ring-frame check, 0/1
  std::string dbgirdprof;
  float sigx = 0, sigy = 0, tau = 0, pd = 0;
  float nn = 0, m1a = 0, m2a = 0, m1b = 0, m2b = 0;
  float k1 = 0, k2 = 0;
  std::int16_t dmom = 0;  // DimMoment

  bool operator==(const DbRow&) const = default;
};

}  // namespace zod
