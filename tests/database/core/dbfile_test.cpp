#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/format.h"
#include "gui/core/readnum.h"
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

// The sample's data line with another stiffener designation and last field.
std::string Line(const std::string& stiff, const std::string& last = " 1 ") {
  std::string s = kPointFile;
  s = s.substr(s.find("Tank"), s.find(" 1 \r\n") - s.find("Tank")) + last;
  return s.replace(s.find("L 200x90x9.0x12.0"), 17, stiff);
}

// What single lines read as, after a comment line, with each kind of line end.
TEST_F(DbFile, LinesReadAsTheirKind) {
  struct Case {
    std::string line;
    std::vector<float> read;  // kind, bulb row, H, B, a, tw, dmom; or empty for a comment
    std::string text;         // rowtext, or the project name of a data line
  };
  // clang-format off
  const std::vector<Case> cases = {
      {Line("Fb 100x10.0"), {5, 0, 100, 0, 0, 10, 1}, "Tank"},
      {Line("FB 100x10"), {5, 0, 100, 0, 0, 10, 1}, "Tank"},
      {Line("BF 200x10.0"), {6, 17, 200, 0, 0, 10, 1}, "Tank"},
      {Line("BF 200x10.05"), {6, 0, 200, 0, 0, 10.05f, 1}, "Tank"},   // no such table row
      {Line("fb 100x10.0"), {0, 0, 0, 0, 0, 0, 1}, "Tank"},           // the word's case counts
      {Line("TPZ 200x90x50x9.0 extra"), {8, 0, 200, 90, 50, 9, 1}, "Tank"},
      {Line("RHS 150x80x8.0x99"), {7, 0, 150, 80, 0, 8, 1}, "Tank"},
      {Line("L 1x2x3x4", "0;extra;fields"), {1, 0, 1, 2, 0, 3, 0}, "Tank"},
      {"  " + Line("L 1x2x3x4", "1  "), {1, 0, 1, 2, 0, 3, 1}, "Tank"},
      {Line("L 1x2x3x4", "0.5"), {1, 0, 1, 2, 0, 3, 0}, "Tank"},      // a half to the even neighbour
      {Line("L 1x2x3x4", "-0.5"), {1, 0, 1, 2, 0, 3, 0}, "Tank"},
      {Line("L 1x2x3x4", "1.4"), {1, 0, 1, 2, 0, 3, 1}, "Tank"},
      {"Tank \xE9\x80" + Line("L 1x2x3x4").substr(4), {1, 0, 1, 2, 0, 3, 1}, "Tank \xC3\xA9\xE2\x82\xAC"},
      {"% Wall A; north side", {}, "% Wall A"},
      {"  %x  ", {}, "%x"},
      {"END;", {}, "END"},
      {"End", {}, "End"}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    for (const char* end : {"\r\n", "\n", "\r"}) {
      State s;
      Prepare(s);
      try {
        ReadText(s, "%c" + std::string(end) + c.line + end);
      } catch (const DbFileError& e) {
        FAIL() << e.detail();
      }
      const DbRow& r = s.dbtab[1];
      EXPECT_EQ(r.iscomment ? r.rowtext : r.proj, c.text);
      EXPECT_TRUE(IsClosingRow(s.dbtab[*s.dbrows]));
      if (c.read.empty()) continue;
      const auto f = [](int16 v) { return static_cast<float>(v); };
      EXPECT_EQ((std::vector<float>{f(r.dbstifftype), f(r.dbstiffhp), r.dbstiffh, r.dbstiffb, r.dbstiffa,
                                    r.dbstifftw, f(r.dmom)}),
                c.read);
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

// Every failure leaves the previous table and its closing index as they were,
// and says what it found where that is not a line's fields.
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
  // The good file in UTF-16, little- or big-endian, as an editor saves "Unicode" text.
  const auto utf16 = [&good](const char* mark, bool big) {
    std::string s = mark;
    for (char c : good) s += big ? std::string{'\0', c} : std::string{c, '\0'};
    return s;
  };
  const std::string utf16Says = "the file is UTF-16 text; case databases are read in Windows-1252 or UTF-8";
  struct Case {
    const char* name;
    std::string file;
    int16 commadec;
    std::string says = "";  // the start of the message, where given
  };
  const std::vector<Case> cases = {
      {"34 fields", with(";1.234568E+07; 1 ", "; 1 "), 0},
      {"profile without blank", with("L 200x", "L200x"), 0},
      {"fewer dimensions", with("x9.0x12.0", "x9.0"), 0},
      {"fewer dimensions of a bulb flat", with("BF 200x10.0", "BF 200"), 0},
      {"empty line", with("End;", "\r\nEnd;"), 0,
       "line 3: the line is empty; each line of a case database holds a case, a comment beginning with \"%\" "
       "or the closing \"End\""},
      {"empty last line", good + "\r\n", 0, "line 4: the line is empty;"},
      {"blank line", with("End;", "   \r\nEnd;"), 0, "line 3: the line holds only blanks; each line"},
      {"line of tabs", with("End;", " \t\t\r\nEnd;"), 0, "line 3: the line holds only blanks;"},
      {"UTF-16 with its mark", utf16("\xFF\xFE", false), 0, utf16Says},
      {"UTF-16 big-endian with its mark", utf16("\xFE\xFF", true), 0, utf16Says},
      {"UTF-16 without a mark", utf16("", false), 0, utf16Says},
      {"UTF-16 big-endian without a mark", utf16("", true), 0, utf16Says},
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
      EXPECT_EQ(e.detail().substr(0, c.says.size()), c.says);
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

// Random cases stored as rows between random comments, written and read back
// on both kinds of system: every field comes back, the profile dimensions as
// precise as their designations show them, and a second round changes nothing.
// Numbers are values a file can hold (a single whose seven-digit text reads
// back as itself).
TEST(DbFileProperty, StoredTablesSurviveWriteAndRead) {
  std::mt19937 rng(20261207);
  const auto pick = [&](int n) { return static_cast<int16>(rng() % static_cast<unsigned>(n)); };
  const auto number = [&] {
    std::string t = NumText(std::ldexp(static_cast<float>(pick(20000)) - 1e4f, pick(40) - 25));
    return ReadNum(t, 0);
  };
  const auto dim = [&] { return static_cast<float>(pick(40000)) / 100 + 5; };
  const auto text = [&](const char* lead) {
    static const char* const chars[] = {"a", "X", " ", "0", "%", ".", ",", "-", "\xC3\xA9", "\xE2\x82\xAC"};
    std::string s = lead;
    for (int i = pick(12); i > 0; --i) s += chars[pick(10)];
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
      z.istiffl = z.igirdl = pick(z.lprof.n + 1), z.istifft = z.igirdt = pick(z.tprof.n + 1);
      z.istifff = z.igirdf = pick(z.fprof.n + 1), z.istiffhp = z.igirdhp = pick(z.bfprof.n + 1);
      for (double* v : {&z.ufb, &z.t, &z.l, &z.cyll, &z.s, &z.lt, &z.k1, &z.fyp, &z.fys, &z.fyg, &z.sigx,
                        &z.nn, &z.m1a, &z.m1b, &z.m2a})
        *v = number();
      for (float* v : {&z.cylr, &z.gilt, &z.k2, &z.e, &z.sigy, &z.tau, &z.pd, &z.m2b}) *v = number();
      for (Member m : {Member::Stiffener, Member::RingFrame}) {
        BuiltUpRefs b = BuiltUp(z, m);
        for (double* v : {&b.lbh, &b.lbb, &b.lbtw, &b.tbh, &b.tbb, &b.tbtw, &b.fbh, &b.rhsh, &b.rhsb, &b.usph,
                          &b.uspb, &b.uspa, &b.ibh, &b.ibb, &b.ibtw})
          *v = dim();
        for (float* v : {&b.lbtf, &b.tbtf, &b.fbtw, &b.rhstw, &b.usptw, &b.ibtf}) *v = dim();
      }
      AddToDatabase(z);
    }
    const std::vector<DbRow> stored(z.dbtab.begin(), z.dbtab.begin() + *z.dbrows + 1);
    ReadText(z, Written(z));
    const std::vector<DbRow> once(z.dbtab.begin(), z.dbtab.begin() + *z.dbrows + 1);
    ASSERT_EQ(once.size(), stored.size());
    for (std::size_t i = 0; i < once.size(); ++i) {
      DbRow expected = stored[i];
      const auto near = [&](std::initializer_list<float DbRow::*> fields, double within) {
        for (float DbRow::*f : fields) {
          EXPECT_NEAR(expected.*f, once[i].*f, within) << "row " << i;
          expected.*f = once[i].*f;
        }
      };
      near({&DbRow::dbstiffh, &DbRow::dbstiffb, &DbRow::dbstiffa, &DbRow::dbgirdh, &DbRow::dbgirdb,
            &DbRow::dbgirda},
           0.5001);  // whole millimetres
      near({&DbRow::dbstifftw, &DbRow::dbstifftf, &DbRow::dbgirdtw, &DbRow::dbgirdtf}, 0.0501);  // tenths
      EXPECT_EQ(once[i], expected) << i;
    }
    ReadText(z, Written(z));
    ASSERT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + *z.dbrows + 1), once);
  }
}

}  // namespace
}  // namespace zod
