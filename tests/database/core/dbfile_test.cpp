#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "engine/format.h"
#include "mainwindow/core/readnum.h"
#include "tests/database/core/dbtest.h"

// The database input file: the exact text written, what every kind of line
// reads as, every failure leaving the previous table, and random tables
// surviving a write and a read on both kinds of system.
namespace zod {
namespace {

using namespace dbtest;
using Texts = std::vector<std::string>;

// A data row whose dimensions are those its designations show, as a file
// read gives them: L 200x90x9.0x12.0 and the bulb flat 200 x 10 (table row 17).
DbRow SampleRow() {
  DbRow r;
  r.proj = "Tank", r.ident = r.rowtext = "A1", r.dmethod = 1, r.ufb = 0.85f, r.cylinder = 3, r.outside = 1;
  r.hringch = 1, r.e = 210000, r.fyp = 355, r.cylr = 1500.5f, r.l = 3000, r.t = 20, r.s = 600, r.lt = 3000;
  r.dbstiffprof = "L 200x90x9.0x12.0", r.dbstifftype = 1, r.dbstiffh = 200, r.dbstiffb = 90, r.dbstifftw = 9;
  r.dbstifftf = 12, r.fys = 355, r.cyll = 6000, r.gilt = 600, r.dbgirdprof = "BF 200x10.0", r.dbgirdtype = 6;
  r.dbgirdhp = 17, r.dbgirdh = 200, r.dbgirdtw = 10, r.fyg = 315, r.ringfab = 1, r.sigx = -100, r.sigy = -10;
  r.tau = 40, r.pd = -0.3f, r.k1 = 1, r.k2 = 1.2f, r.nn = 1.5e-5f, r.m1a = 1, r.m2a = 2, r.m1b = 3;
  r.m2b = 12345680, r.dmom = 1;
  return r;
}

// n comment lines
std::string Comments(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "% row\r\n";
  return s;
}

std::vector<DbRow> Rows(const State& s) { return {s.dbtab.begin(), s.dbtab.begin() + *s.dbrows + 1}; }

const std::string kPointFile =
    "% Wall A;\r\n"
    "Tank;A1;1;0.85;3;1;0;1;210000;355;1500.5;3000;20;600;3000;L 200x90x9.0x12.0;355;6000;600;BF 200x10.0;"
    "315;1;0;-100;-10;40;-0.3;1;1.2;1.5E-05;1;2;3;1.234568E+07; 1 \r\n"
    "End;\r\n";

class DbFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Prepare(z);
    ReadText(z, kPointFile);
  }
  State z;
};

// The sample file with one text replaced.
std::string With(const std::string& from, const std::string& to, std::string s = kPointFile) {
  return s.replace(s.find(from), from.size(), to);
}

// The sample file reads as the sample row and is written back as the exact
// text on a point system, with the system's separator on a comma one (files
// written on either read on both: the property test below).
TEST_F(DbFile, ReadsAndWritesEveryFieldWithTheSystemsSeparator) {
  EXPECT_EQ(Rows(z), (std::vector<DbRow>{Comment("% Wall A"), SampleRow(), Comment("End")}));
  EXPECT_EQ(Written(z), kPointFile);
  z.decsep = ',';
  EXPECT_NE(Written(z).find(";-0,3;1;1,2;1,5E-05;1;2;3;1,234568E+07; 1 \r\n"), std::string::npos);
}

// What single lines read as, after a comment line, with each kind of line end.
TEST_F(DbFile, LinesReadAsTheirKind) {
  const std::string data = kPointFile.substr(kPointFile.find("Tank"), kPointFile.find(" 1 \r\n") - 11);
  // the sample's data line with another stiffener designation and last field
  const auto line = [&](const std::string& stiff, const std::string& last = " 1 ") {
    return With("L 200x90x9.0x12.0", stiff, data + last);
  };
  // line; kind, bulb row, H, B, a, tw, dmom (none for a comment); rowtext or project name
  const std::tuple<std::string, std::vector<float>, std::string> cases[] = {
      {line("Fb 100x10.0"), {5, 0, 100, 0, 0, 10, 1}, "Tank"},
      {line("BF 200x10.0"), {6, 17, 200, 0, 0, 10, 1}, "Tank"},
      {line("BF 200x10.05"), {6, 0, 200, 0, 0, 10.05f, 1}, "Tank"},                 // no such table row
      {line("TPZ 200x90x50x9.0 extra", "0.5"), {8, 0, 200, 90, 50, 9, 0}, "Tank"},  // half to even
      {"Tank \xE9\x80" + line("L 1x2x3x4", " 0 ").substr(4),
       {1, 0, 1, 2, 0, 3, 0},
       "Tank \xC3\xA9\xE2\x82\xAC"},
      {"% Wall A; north side", {}, "% Wall A"},
      {"END;", {}, "END"},
      {"End", {}, "End"}};
  for (const auto& [text, read, name] : cases) {
    SCOPED_TRACE(text);
    for (const char* end : {"\r\n", "\n", "\r"}) {
      State s;
      Prepare(s);
      ASSERT_NO_THROW(ReadText(s, "%c" + std::string(end) + text + end));
      const DbRow& r = s.dbtab[1];
      EXPECT_EQ(r.iscomment ? r.rowtext : r.proj, name);
      EXPECT_TRUE(IsClosingRow(s.dbtab[*s.dbrows]));
      if (read.empty()) continue;
      const auto f = [](int16 v) { return static_cast<float>(v); };
      EXPECT_EQ((std::vector<float>{f(r.dbstifftype), f(r.dbstiffhp), r.dbstiffh, r.dbstiffb, r.dbstiffa,
                                    r.dbstifftw, f(r.dmom)}),
                read);
    }
  }
}

// Lines after the closing line are rows like any other; a file that does not
// end with a closing line gets one, so the next stored case replaces no row.
TEST_F(DbFile, ClosingRowIsTheLastLineOrAddedBehindIt) {
  const std::string row = kPointFile.substr(11, kPointFile.find("End") - 11);
  ReadText(z, "%a\r\nEnd\r\n" + row + "END;");
  EXPECT_EQ(DbListTexts(z), (Texts{"%a", "End", "A1", "END"}));
  ReadText(z, "%a\r\nEnd\r\n" + row);
  z.ident = "new";
  AddToDatabase(z);
  EXPECT_EQ(DbListTexts(z), (Texts{"%a", "End", "A1", "new", "End"}));
  ReadText(z, Comments(kDbLastRow) + "End;\r\n");
  EXPECT_EQ(z.dbrows, kDbLastRow);
}

// Every failure leaves the previous table and its closing index as they were.
TEST_F(DbFile, FailuresLeaveThePreviousTable) {
  const std::string full = Comments(kDbLastRow + 1);
  const std::tuple<const char*, std::string, int16> cases[] = {
      {"34 fields", With(";1.234568E+07; 1 ", "; 1 "), 0},
      {"profile without blank", With("L 200x", "L200x"), 0},
      {"fewer dimensions", With("x9.0x12.0", "x9.0"), 0},
      {"empty line", With("End;", "\r\nEnd;"), 0},
      {"empty last line", kPointFile + "\r\n", 0},
      {"end in lower case", With("End;", "end;"), 0},
      {"whole number out of range", With(";3;1;0;1;", ";32768;1;0;1;"), 0},
      {"cylinder type unknown", With(";3;1;0;1;", ";7;1;0;1;"), 0},
      {"switch not 0 or 1", With("; 1 ", "; 2 "), 0},
      {"number beyond single precision", With("210000", "1E39"), 0},
      {"non-number on a comma system", With("210000", "abc"), -1},
      {"more than 1001 lines", full + "% row\r\n", 0},
      {"1001 lines and no closing line", full, 0},
      {"empty file", "", 0},
  };
  MakeTable(z);
  const std::vector<DbRow> tab = z.dbtab;
  for (const auto& [name, file, commadec] : cases) {
    SCOPED_TRACE(name);
    z.commadec = commadec;
    EXPECT_THROW(ReadText(z, file), DbFileError);
    EXPECT_EQ(z.dbtab, tab);
    EXPECT_EQ(z.dbrows, 3);
  }
}

// Random cases stored as rows between random comments, written and read back
// on both kinds of system: every field comes back, the profile dimensions as
// precise as their designations show them.
// Numbers are values a file can hold (a single whose seven-digit text reads
// back as itself).
TEST(DbFileProperty, StoredTablesSurviveWriteAndRead) {
  std::mt19937 rng(20261207);
  const auto pick = [&](int n) { return static_cast<int16>(rng() % static_cast<unsigned>(n)); };
  const auto number = [&] {
    std::string t = NumText(std::ldexp(pick(20000) - 1e4f, pick(40) - 25));
    return ReadNum(t, 0);
  };
  const auto text = [&](std::string s) {
    for (int i = pick(12); i > 0; --i)
      s += std::array{"a", "X", " ", "0", "%", ".", ",", "-", "\xC3\xA9", "\xE2\x82\xAC"}[pick(10)];
    return s;
  };
  State z;
  Prepare(z);
  for (int round = 0; round < 100; ++round) {
    z.decsep = round % 2 ? ',' : '.';
    z.commadec = round % 3 ? 0 : -1;
    NewDatabase(z, text(""));
    for (int i = pick(30); i > 0; --i) {
      if (pick(4) == 0) {
        InsertDbComment(z, pick(*z.dbrows), text(""));
        continue;
      }
      z.proj = text("P"), z.ident = text("");
      for (int16* v : {&z.dmethod, &z.outside, &z.ringch, &z.hringch, &z.ringfab, &z.checkih, &z.dmom})
        *v = pick(2);
      z.cylinder = pick(4), z.stifftype = pick(10), z.girdtype = pick(10);
      z.istiffl = z.igirdl = pick(z.lprof.n + 1), z.istiffhp = z.igirdhp = pick(z.bfprof.n + 1);
      for (double* v : {&z.ufb, &z.t, &z.cyll, &z.k1, &z.fyg, &z.sigx, &z.nn, &z.m1a, &z.m2a}) *v = number();
      for (float* v : {&z.cylr, &z.k2, &z.e, &z.tau, &z.pd, &z.m2b}) *v = number();
      for (Member m : {Member::Stiffener, Member::RingFrame}) {
        BuiltUpRefs b = BuiltUp(z, m);
        for (double* v : {&b.lbh, &b.lbb, &b.lbtw, &b.fbh, &b.rhsh, &b.usph, &b.uspa, &b.ibh, &b.ibtw})
          *v = pick(40000) / 100.0 + 5;
        for (float* v : {&b.lbtf, &b.fbtw, &b.rhstw, &b.usptw, &b.ibtf}) *v = pick(40000) / 100.0f + 5;
      }
      AddToDatabase(z);
    }
    const std::vector<DbRow> stored = Rows(z);
    ReadText(z, Written(z));
    const std::vector<DbRow> once = Rows(z);
    ASSERT_EQ(once.size(), stored.size());
    for (std::size_t i = 0; i < once.size(); ++i) {
      DbRow expected = stored[i];
      // dimensions as precise as their designations: tenths of thicknesses, whole millimetres
      float DbRow::*const dims[] = {&DbRow::dbstifftw, &DbRow::dbstifftf, &DbRow::dbgirdtw, &DbRow::dbgirdtf,
                                    &DbRow::dbstiffh,  &DbRow::dbstiffb,  &DbRow::dbstiffa, &DbRow::dbgirdh,
                                    &DbRow::dbgirdb,   &DbRow::dbgirda};
      for (int k = 0; k < 10; ++k) {
        EXPECT_NEAR(expected.*dims[k], once[i].*dims[k], k < 4 ? 0.0501 : 0.5001) << "row " << i;
        expected.*dims[k] = once[i].*dims[k];
      }
      EXPECT_EQ(once[i], expected) << i;
    }
  }
}

}  // namespace
}  // namespace zod
