#include <gtest/gtest.h>

#include <functional>
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

using dbtest::Prepare;
using dbtest::ReadText;
using dbtest::Written;

// A data row whose dimensions are those its designations show, as a file
// read gives them: L 200x90x9.0x12.0 and the bulb flat 200 x 10 (table row 17).
DbRow SampleRow() {
  DbRow r;
  r.proj = "Tank", r.ident = r.rowtext = "A1";
  r.dmethod = 1, r.ufb = 0.85f, r.cylinder = 3, r.outside = 1, r.ringch = 0, r.hringch = 1;
  r.e = 210000, r.fyp = 355, r.cylr = 1500.5f, r.l = 3000, r.t = 20, r.s = 600, r.lt = 3000;
  r.dbstiffprof = "L 200x90x9.0x12.0";
  r.dbstifftype = 1, r.dbstiffh = 200, r.dbstiffb = 90, r.dbstifftw = 9, r.dbstifftf = 12;
  r.fys = 355, r.cyll = 6000, r.gilt = 600;
  r.dbgirdprof = "BF 200x10.0";
  r.dbgirdtype = 6, r.dbgirdhp = 17, r.dbgirdh = 200, r.dbgirdtw = 10;
  r.fyg = 315, r.ringfab = 1, r.checkih = 0;
  r.sigx = -100, r.sigy = -10, r.tau = 40, r.pd = -0.3f, r.k1 = 1, r.k2 = 1.2f;
  r.nn = 1.5e-5f, r.m1a = 1, r.m2a = 2, r.m1b = 3, r.m2b = 12345678, r.dmom = 1;
  return r;
}

DbRow Comment(const std::string& text) {
  DbRow r;
  r.iscomment = -1;
  r.rowtext = text;
  return r;
}

class DbFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Prepare(z);
    NewDbTable(z);
    z.dbtab[0] = Comment("% Wall A");
    z.dbtab[1] = SampleRow();
    z.dbtab[2] = Comment("End");
    z.dbrows = 2;
  }
  std::vector<DbRow> Rows(const State& s) const { return {s.dbtab.begin(), s.dbtab.begin() + *s.dbrows + 1}; }
  State z;
};

const char* const kPointFile =
    "% Wall A;\r\n"
    "Tank;A1;1;0.85;3;1;0;1;210000;355;1500.5;3000;20;600;3000;L 200x90x9.0x12.0;355;6000;600;BF 200x10.0;"
    "315;1;0;-100;-10;40;-0.3;1;1.2;1.5E-05;1;2;3;1.234568E+07; 1 \r\n"
    "End;\r\n";

TEST_F(DbFile, WritesEveryFieldInItsPlaceWithTheSystemsSeparator) {
  EXPECT_EQ(Written(z), kPointFile);
  z.decsep = ',';
  const std::string comma = Written(z);
  EXPECT_NE(comma.find(";0,85;3;1;0;1;210000;355;1500,5;"), std::string::npos) << comma;
  EXPECT_NE(comma.find(";-0,3;1;1,2;1,5E-05;1;2;3;1,234568E+07; 1 \r\n"), std::string::npos) << comma;
}

// A file written on either kind of system reads on both; the moments stay
// in the order M1a, M2a, M1b, M2b.
TEST_F(DbFile, ReadsBackOnBothKindsOfSystem) {
  for (char writer : {'.', ','}) {
    for (int16 reader : {0, -1}) {
      SCOPED_TRACE(std::string(1, writer) + " read with commadec " + std::to_string(reader));
      State s;
      Prepare(s);
      s.commadec = reader;
      z.decsep = writer;
      ReadText(s, Written(z));
      ASSERT_EQ(s.dbrows, 2);
      DbRow expected = SampleRow();
      expected.m2b = 12345680;  // seven significant digits
      EXPECT_EQ(Rows(s), (std::vector<DbRow>{Comment("% Wall A"), expected, Comment("End")}));
    }
  }
}

// What single lines read as, one line after a comment line.
TEST_F(DbFile, LinesReadAsTheirKind) {
  const std::string data =
      ";A1;0;1;2;0;1;0;210000;355;1500;3000;20;600;3000;%S;355;6000;600;%G;355;0;0;-100;-10;40;-0.3;1;1;"
      "-1000;1;2;3;4;%D";
  const auto line = [&](const char* stiff, const char* gird = "T 200x90x9.0x12.0", const char* dmom = " 0 ") {
    std::string s = data;
    s.replace(s.find("%S"), 2, stiff);
    s.replace(s.find("%G"), 2, gird);
    s.replace(s.find("%D"), 2, dmom);
    return s;
  };
  struct Case {
    std::string file;
    std::function<void(const DbRow&)> check;
  };
  const std::vector<Case> cases = {
      {line("Fb 100x10.0"),
       [](const DbRow& r) {
         EXPECT_EQ(r.dbstifftype, 5);
         EXPECT_EQ(r.dbstiffh, 100);
         EXPECT_EQ(r.dbstifftw, 10);
         EXPECT_EQ(r.dbgirdtype, 3);
       }},
      {line("FB 100x10"), [](const DbRow& r) { EXPECT_EQ(r.dbstifftype, 5); }},
      {line("BF 200x10.0"), [](const DbRow& r) { EXPECT_EQ(r.dbstiffhp, 17); }},
      {line("BF 200x10.05"),
       [](const DbRow& r) {
         EXPECT_EQ(r.dbstifftype, 6);
         EXPECT_EQ(r.dbstiffhp, 0);
         EXPECT_EQ(r.dbstifftw, 10.05f);
       }},
      {line("fb 100x10.0"),
       [](const DbRow& r) {  // the word's case counts
         EXPECT_EQ(r.dbstifftype, 0);
         EXPECT_EQ(r.dbstiffh, 0);
         EXPECT_EQ(r.dbstiffprof, "fb 100x10.0");
       }},
      {line("TPZ 200x90x50x9.0 extra", "RHS 150x80x8.0x99"),
       [](const DbRow& r) {
         EXPECT_EQ((std::vector<float>{r.dbstiffh, r.dbstiffb, r.dbstiffa, r.dbstifftw}),
                   (std::vector<float>{200, 90, 50, 9}));
         EXPECT_EQ((std::vector<float>{r.dbgirdh, r.dbgirdb, r.dbgirdtw, r.dbgirdtf}),
                   (std::vector<float>{150, 80, 8, 0}));
       }},
      {line("I 200x90x9.0x12.0", "L 1x2x3x4", "0;extra;fields"),
       [](const DbRow& r) {
         EXPECT_EQ(r.dbstifftype, 9);
         EXPECT_EQ(r.dmom, 0);
       }},
      {"  " + line("L 1x2x3x4", "L 1x2x3x4", "1  "), [](const DbRow& r) { EXPECT_EQ(r.dmom, 1); }},
      {line("L 1x2x3x4", "L 1x2x3x4", "0.5"), [](const DbRow& r) { EXPECT_EQ(r.dmom, 0); }},
      {line("L 1x2x3x4", "L 1x2x3x4", "1.4"), [](const DbRow& r) { EXPECT_EQ(r.dmom, 1); }},
      {line("L 1x2x3x4", "L 1x2x3x4", "-0.5"), [](const DbRow& r) { EXPECT_EQ(r.dmom, 0); }},
      {"Tank \xE9\x80;" + line("L 1x2x3x4").substr(1),
       [](const DbRow& r) {
         EXPECT_EQ(r.proj, "Tank \xC3\xA9\xE2\x82\xAC");
         EXPECT_EQ(r.rowtext, "A1");
       }},
      {"% Wall A; north side", [](const DbRow& r) { EXPECT_EQ(r.rowtext, "% Wall A"); }},
      {"  %x  ", [](const DbRow& r) { EXPECT_EQ(r.rowtext, "%x"); }},
      {"END;", [](const DbRow& r) { EXPECT_TRUE(IsClosingRow(r)); }},
      {"End", [](const DbRow& r) { EXPECT_EQ(r.rowtext, "End"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    for (const char* end : {"\r\n", "\n", "\r"}) {
      State s;
      Prepare(s);
      try {
        ReadText(s, "%c" + std::string(end) + c.file + end);
      } catch (const DbFileError& e) {
        FAIL() << e.detail();
      }
      c.check(s.dbtab[1]);
      EXPECT_TRUE(IsClosingRow(s.dbtab[*s.dbrows]));
    }
  }
}

TEST_F(DbFile, NonNumberIsZeroOnAPointSystem) {
  std::string text = kPointFile;
  text.replace(text.find("210000"), 6, "abc");
  ReadText(z, text);
  EXPECT_EQ(z.dbtab[1].e, 0);
  z.commadec = -1;
  EXPECT_THROW(ReadText(z, text), DbFileError);
}

// Lines after the closing line are rows like any other; a file that does not
// end with a closing line gets one, so the next stored case replaces no row.
TEST_F(DbFile, ClosingRowIsTheLastLineOrAddedBehindIt) {
  const std::string data = std::string(kPointFile).substr(std::string(kPointFile).find("Tank"));
  const std::string row = data.substr(0, data.find("End"));
  ReadText(z, "%a\r\nEnd\r\n" + row + "END;");
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"%a", "End", "A1", "END"}));
  ReadText(z, "%a\r\nEnd\r\n" + row);
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"%a", "End", "A1", "End"}));
  z.ident = "new";
  AddToDatabase(z);
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"%a", "End", "A1", "new", "End"}));
}

TEST_F(DbFile, FileOfTheLargestTableReads) {
  std::string text;
  for (int i = 0; i < kDbLastRow; ++i) text += "% row\r\n";
  ReadText(z, text + "End;\r\n");
  EXPECT_EQ(z.dbrows, kDbLastRow);
}

// Every failure leaves the previous table and its closing index as they were.
TEST_F(DbFile, FailuresLeaveThePreviousTable) {
  const std::string good = kPointFile;
  const auto with = [&](const char* from, const char* to) {
    std::string s = good;
    s.replace(s.find(from), std::string(from).size(), to);
    return s;
  };
  std::string many, full;
  for (int i = 0; i <= kDbLastRow + 1; ++i) many += "% row\r\n";
  for (int i = 0; i <= kDbLastRow; ++i) full += "% row\r\n";
  struct Case {
    const char* name;
    std::string file;
    int16 commadec;
  };
  const std::vector<Case> cases = {
      {"34 fields", with(";1.234568E+07; 1 ", "; 1 "), 0},
      {"profile without blank", with("L 200x", "L200x"), 0},
      {"fewer dimensions", with("x9.0x12.0", "x9.0"), 0},
      {"fewer dimensions of a bulb flat", with("BF 200x10.0", "BF 200"), 0},
      {"empty line", with("End;", "\r\nEnd;"), 0},
      {"empty last line", good + "\r\n", 0},
      {"blank line", with("End;", "   \r\nEnd;"), 0},
      {"end in lower case", with("End;", "end;"), 0},
      {"whole number out of range", with(";3;1;0;1;", ";32768;1;0;1;"), 0},
      {"cylinder type unknown", with(";3;1;0;1;", ";7;1;0;1;"), 0},
      {"switch not 0 or 1", with("; 1 ", "; 2 "), 0},
      {"number beyond single precision", with("210000", "1E39"), 0},
      {"non-number on a comma system", with("210000", "abc"), -1},
      {"non-number dimension on a comma system", with("x9.0x", "x9a0x"), -1},
      {"more than 1001 lines", many, 0},
      {"1001 lines and no closing line", full, 0},
      {"empty file", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    State s;
    Prepare(s);
    s.commadec = c.commadec;
    dbtest::MakeTable(s, 2);
    const std::vector<DbRow> tab = s.dbtab;
    try {
      ReadText(s, c.file);
      ADD_FAILURE() << "read";
    } catch (const DbFileError& e) {
      EXPECT_STREQ(e.what(), "Error in Database File");
      EXPECT_FALSE(e.detail().empty());
    }
    EXPECT_EQ(s.dbtab, tab);
    EXPECT_EQ(s.dbrows, 3);
  }
}

TEST_F(DbFile, FileWrappersReportMissingFileAndRefuseToWriteNoTable) {
  EXPECT_THROW(ReadDbFile(z, std::string("/nonexistent/x_in.csv")), DbFileMissing);
  State empty;
  EXPECT_THROW(WriteDbFile(empty, std::string("/nonexistent/x_in.csv")), DbRefused);
}

// Random tables of comment and data rows: written and read back on both kinds
// of system they give the same rows. Numbers are values that a file can hold
// (a single whose seven-digit text reads back as itself); designations carry
// the dimensions, as the program writes them.
TEST(DbFileProperty, RandomTablesSurviveWriteAndRead) {
  std::mt19937 rng(20261207);
  const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto number = [&] {
    const float raw = std::ldexp(static_cast<float>(rng() % 2000000) - 1e6f, pick(40) - 25);
    std::string t = NumText(raw);
    return ReadNum(t, 0);
  };
  const auto text = [&](bool first) {
    static const std::vector<std::string> chars = {"a", "X", " ", "0",        "9",           "%",
                                                   ".", ",", "-", "\xC3\xA9", "\xE2\x82\xAC"};
    std::string s = first ? "P" : "";
    for (int i = pick(12); i > 0; --i)
      s += chars[static_cast<std::size_t>(pick(static_cast<int>(chars.size())))];
    return s;
  };
  State z;
  Prepare(z);
  for (int round = 0; round < 200; ++round) {
    z.decsep = round % 2 ? ',' : '.';
    z.commadec = round % 3 ? 0 : -1;
    NewDbTable(z);
    const int rows = pick(30);
    for (int i = 0; i < rows; ++i) {
      DbRow& r = z.dbtab[static_cast<std::size_t>(i)];
      if (pick(4) == 0) {
        r = Comment("%" + text(false));
        continue;
      }
      r.proj = text(true), r.ident = r.rowtext = text(false);
      r.dmethod = static_cast<int16>(pick(2)), r.cylinder = static_cast<int16>(pick(4));
      r.outside = static_cast<int16>(pick(2)), r.ringch = static_cast<int16>(pick(2));
      r.hringch = static_cast<int16>(pick(2)), r.ringfab = static_cast<int16>(pick(2));
      r.checkih = static_cast<int16>(pick(2)), r.dmom = static_cast<int16>(pick(2));
      for (float* f :
           {&r.ufb,  &r.e,    &r.fyp, &r.cylr, &r.l,  &r.t,  &r.s,  &r.lt,  &r.fys, &r.cyll, &r.gilt, &r.fyg,
            &r.sigx, &r.sigy, &r.tau, &r.pd,   &r.k1, &r.k2, &r.nn, &r.m1a, &r.m2a, &r.m1b,  &r.m2b})
        *f = number();
      // profiles: whole millimetres and tenths, as the designations show them
      const float h = static_cast<float>(50 + pick(400)), b = static_cast<float>(20 + pick(200));
      const float tw = static_cast<float>(50 + pick(200)) / 10, tf = static_cast<float>(50 + pick(200)) / 10;
      const std::string H = Format(h, "00", z.decsep), B = Format(b, "00", z.decsep);
      const std::string TW = Format(tw, "0.0", z.decsep), TF = Format(tf, "#0.0", z.decsep);
      switch (pick(4)) {
        case 0:
          r.dbstiffprof = "T " + H + "x" + B + "x" + TW + "x" + TF;
          r.dbstifftype = 3, r.dbstiffh = h, r.dbstiffb = b, r.dbstifftw = tw, r.dbstifftf = tf;
          break;
        case 1:
          r.dbstiffprof = "TPZ " + H + "x" + B + "x" + H + "x" + TW;
          r.dbstifftype = 8, r.dbstiffh = h, r.dbstiffb = b, r.dbstiffa = h, r.dbstifftw = tw;
          break;
        case 2:
          r.dbstiffprof = "BF 200x10" + std::string(1, z.decsep) + "0";
          r.dbstifftype = 6, r.dbstiffhp = 17, r.dbstiffh = 200, r.dbstifftw = 10;
          break;
        default:
          r.dbstiffprof = "Fb " + H + "x" + TW;
          r.dbstifftype = 5, r.dbstiffh = h, r.dbstifftw = tw;
      }
      r.dbgirdprof = "RHS " + H + "x" + B + "x" + TW;
      r.dbgirdtype = 7, r.dbgirdh = h, r.dbgirdb = b, r.dbgirdtw = tw;
    }
    z.dbtab[static_cast<std::size_t>(rows)] = Comment("End");
    z.dbrows = static_cast<int16>(rows);
    const std::vector<DbRow> before(z.dbtab.begin(), z.dbtab.begin() + rows + 1);
    const std::string file = Written(z);
    ReadText(z, file);
    ASSERT_EQ(z.dbrows, rows) << file;
    ASSERT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + rows + 1), before) << file;
  }
}

}  // namespace
}  // namespace zod
