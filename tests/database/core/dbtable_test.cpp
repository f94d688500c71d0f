#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/database/core/dbtest.h"

// The case table: storing the current case into a row, loading a row back,
// finding bulb flats, the row edits, and every refusal leaving the table whole.
namespace zod {
namespace {

using dbtest::MakeTable;
using dbtest::Prepare;

class DbTable : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(z); }
  State z;
};

TEST_F(DbTable, AddReplacesTheClosingRowAndPutsANewOneBehind) {
  MakeTable(z, 2);  // comment, case 1, case 2, End at 3
  ASSERT_EQ(z.dbrows, 3);
  const std::vector<DbRow> before(z.dbtab.begin(), z.dbtab.begin() + 3);
  z.ident = "Tank B";
  AddToDatabase(z);
  EXPECT_EQ(z.dbrows, 4);
  EXPECT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + 3), before);
  EXPECT_EQ(z.dbtab[3].iscomment, 0);
  EXPECT_EQ(z.dbtab[3].rowtext, "Tank B");
  EXPECT_TRUE(IsClosingRow(z.dbtab[4]));
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% Comment", "case 1", "case 2", "Tank B", "End"}));
  EXPECT_EQ(FirstDataRow(z), 1);
}

TEST_F(DbTable, NewDatabaseHoldsCommentCaseAndClosingRow) {
  z.dbfile = "old_in.csv";
  NewDatabase(z, "Comment");
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% Comment", "Test", "End"}));
  EXPECT_EQ(z.dbfile, "New Database_in.csv");
  EXPECT_EQ(CommentBoxText("%% Wall A %  "), "Wall A");
}

// The built-up memory of a kind as H, B, a, tw, tf (0 where the kind has none).
std::vector<float> Memory(State& s, Member m, int16 kind) {
  const BuiltUpRefs b = BuiltUp(s, m);
  const auto f = [](double v) { return static_cast<float>(v); };
  switch (kind) {
    case 1:
      return {f(b.lbh), f(b.lbb), 0, f(b.lbtw), b.lbtf};
    case 3:
      return {f(b.tbh), f(b.tbb), 0, f(b.tbtw), b.tbtf};
    case 5:
      return {f(b.fbh), 0, 0, b.fbtw, 0};
    case 7:
      return {f(b.rhsh), f(b.rhsb), 0, b.rhstw, 0};
    case 8:
      return {f(b.usph), f(b.uspb), f(b.uspa), b.usptw, 0};
    case 9:
      return {f(b.ibh), f(b.ibb), 0, f(b.ibtw), b.ibtf};
    default:
      return {};
  }
}

// Every member kind, stored and loaded again. Table profiles of L, T and flat
// bar come back as their built-up kind with exactly the table row's
// dimensions; the other kinds keep their own.
TEST_F(DbTable, ProfilesStoreAsTheirBuiltUpKindAndLoadBack) {
  struct Case {
    int16 kind, stored;
    std::function<void(State&)> choose;
    std::vector<float> dims;  // stored H, B, a, tw, tf
  };
  const std::vector<Case> cases = {
      {0,
       1,
       [](State& s) { s.istiffl = s.igirdl = 3; },
       {z.lprof.v[3][1], z.lprof.v[3][2], 0, z.lprof.v[3][3], z.lprof.v[3][4]}},
      {2,
       3,
       [](State& s) { s.istifft = s.igirdt = 4; },
       {z.tprof.v[4][1], z.tprof.v[4][2], 0, z.tprof.v[4][3], z.tprof.v[4][4]}},
      {4, 5, [](State& s) { s.istifff = s.igirdf = 2; }, {z.fprof.v[2][1], 0, 0, z.fprof.v[2][2], 0}},
      {1, 1, [](State& s) { s.slbh = s.glbh = 210.5, s.slbtf = s.glbtf = 13; }, {210.5f, 90, 0, 9, 13}},
      {3, 3, [](State& s) { s.stbb = s.gtbb = 95; }, {200, 95, 0, 9, 12}},
      {5, 5, [](State& s) { s.sfbh = s.gfbh = 120, s.sfbtw = s.gfbtw = 11; }, {120, 0, 0, 11, 0}},
      {7,
       7,
       [](State& s) { s.srhsh = s.grhsh = 150, s.srhsb = s.grhsb = 80, s.srhstw = s.grhstw = 8; },
       {150, 80, 0, 8, 0}},
      {8, 8, [](State& s) { s.suspa = s.guspa = 45.5; }, {200, 90, 45.5f, 9, 0}},
      {9, 9, [](State& s) { s.sibtf = s.gibtf = 14.5f; }, {200, 90, 0, 9, 14.5f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    State s;
    Prepare(s);
    c.choose(s);
    s.stifftype = s.girdtype = c.kind;
    Calculate(s);
    NewDatabase(s, "c");
    const DbRow& r = s.dbtab[1];
    EXPECT_EQ(r.dbstifftype, c.stored);
    EXPECT_EQ(r.dbgirdtype, c.stored);
    EXPECT_EQ((std::vector<float>{r.dbstiffh, r.dbstiffb, r.dbstiffa, r.dbstifftw, r.dbstifftf}), c.dims);
    EXPECT_EQ((std::vector<float>{r.dbgirdh, r.dbgirdb, r.dbgirda, r.dbgirdtw, r.dbgirdtf}), c.dims);
    EXPECT_EQ(r.dbstiffprof, s.stiffsec.name);
    EXPECT_EQ(r.dbgirdprof, s.girdsec.name);

    State t;
    Prepare(t);
    t.dbtab = s.dbtab, t.dbrows = s.dbrows;
    LoadDbRow(t, 1);
    EXPECT_EQ(t.stifftype, c.stored);
    EXPECT_EQ(t.girdtype, c.stored);
    EXPECT_EQ(Memory(t, Member::Stiffener, c.stored), c.dims);
    EXPECT_EQ(Memory(t, Member::RingFrame, c.stored), c.dims);
    EXPECT_EQ(t.stiffsec.name, s.stiffsec.name);
    EXPECT_TRUE(t.calcok);
  }
}

// A stored row's designation describes the profile it stores, also when the
// case's type has not calculated that member since its kind changed; written
// and read back, the row keeps its kinds, with the dimensions as precise as
// the designation shows them.
TEST_F(DbTable, StoredRowsReadBackWithTheirProfiles) {
  z.cylinder = 0, z.ringch = 0;
  Calculate(z);
  z.stifftype = 7, z.srhsh = 150.4, z.srhstw = 8.04f;
  z.girdtype = 9, z.gibtf = 12.96f;
  NewDatabase(z, "c");
  EXPECT_EQ(z.dbtab[1].dbstiffprof, "RHS 150x90x8.0");
  EXPECT_EQ(z.dbtab[1].dbgirdprof, "I 200x90x9.0x13.0");
  DbRow expected = z.dbtab[1];
  dbtest::ReadText(z, dbtest::Written(z));
  expected.dbstiffh = 150, expected.dbstifftw = 8, expected.dbgirdtf = 13;
  EXPECT_EQ(z.dbtab[1], expected);
}

TEST_F(DbTable, BulbFlatIsStoredWithItsTableRow) {
  z.stifftype = 6, z.istiffhp = 5;
  Calculate(z);
  NewDatabase(z, "c");
  DbRow& r = z.dbtab[1];
  EXPECT_EQ(r.dbstifftype, 6);
  EXPECT_EQ(r.dbstiffhp, 5);
  EXPECT_EQ(r.dbstiffh, z.bfprof.v[5][1]);
  EXPECT_EQ(r.dbstifftw, z.bfprof.v[5][2]);
  r.dbstiffh = r.dbstifftw = 0;  // a load takes the row, not H and tw
  z.istiffhp = 0;
  LoadDbRow(z, 1);
  EXPECT_EQ(z.istiffhp, 5);
  EXPECT_EQ(z.stiffh, z.bfprof.v[5][1]);
}

TEST_F(DbTable, KindEightStoredOverKindNineKeepsTfAndLoadIgnoresIt) {
  z.stifftype = 9, z.sibtf = 17;
  NewDatabase(z, "c");
  z.stifftype = 8;
  StoreDbRow(z, 1);
  EXPECT_EQ(z.dbtab[1].dbstifftype, 8);
  EXPECT_EQ(z.dbtab[1].dbstifftf, 17);
  z.sibtf = 12;
  LoadDbRow(z, 1);
  EXPECT_EQ(z.sibtf, 12);
}

TEST_F(DbTable, LoadTakesTheRowWithTheUserDefinedMaterial) {
  NewDatabase(z, "c");
  DbRow& r = z.dbtab[1];
  r.fyp = 321, r.fys = 322, r.fyg = 323, r.proj = "P", r.ident = "I", r.m1a = 1, r.m2a = 2, r.m1b = 3;
  r.m2b = 4, r.gilt = 500, r.k1 = 1.5f, r.sigx = -90;
  z.matp = z.mats = z.matg = 0;
  LoadDbRow(z, 1);
  EXPECT_EQ(z.matp, z.mat.nmat);
  EXPECT_EQ(z.mats, z.mat.nmat);
  EXPECT_EQ(z.matg, z.mat.nmat);
  EXPECT_EQ((std::vector<double>{z.fyp, z.fys, z.fyg, z.m1a, z.m2a, z.m1b, z.m2b, z.gilt, z.k1, z.sigx}),
            (std::vector<double>{321, 322, 323, 1, 2, 3, 4, 500, 1.5, -90}));
  EXPECT_EQ(z.proj + z.ident, "PI");
  EXPECT_TRUE(z.calcok);
  EXPECT_THROW(LoadDbRow(z, 0), Error);  // a comment row
  EXPECT_THROW(LoadDbRow(z, 2), Error);  // the closing row
  EXPECT_THROW(LoadDbRow(z, 900), Error);
}

TEST_F(DbTable, FindBulbRowLastMatchWinsAndNoMatchIsEmpty) {
  z.bfprof.n = 3;
  z.bfprof.v[0] = {0, 120, 6};
  z.bfprof.v[1] = {0, 140, 7};
  z.bfprof.v[2] = {0, 120, 6};
  z.bfprof.v[3] = {0, 160, 7};
  z.bfprof.v[4] = {0, 120, 6};  // beyond the rows loaded
  EXPECT_EQ(FindBulbRow(z, 120, 6), 2);
  EXPECT_EQ(FindBulbRow(z, 160, 7), 3);
  EXPECT_EQ(FindBulbRow(z, 140, 7.0001f), std::nullopt);
}

// Refusals write nothing: the table and its closing index stay as they were.
TEST_F(DbTable, RefusalsLeaveTheTableAsItWas) {
  struct Case {
    const char* name;
    std::function<void(State&)> act;
  };
  const std::vector<Case> cases = {
      {"project name with ;", [](State& s) { s.proj = "Tank;A", AddToDatabase(s); }},
      {"identification with line break", [](State& s) { s.ident = "a\nb", AddToDatabase(s); }},
      {"identification with CR", [](State& s) { s.ident = "a\rb", AddToDatabase(s); }},
      {"project name beginning with %", [](State& s) { s.proj = "  %x", AddToDatabase(s); }},
      {"project name End", [](State& s) { s.proj = "End", AddToDatabase(s); }},
      {"project name END", [](State& s) { s.proj = " END", AddToDatabase(s); }},
      {"row past the table", [](State& s) { StoreDbRow(s, kDbLastRow); }},
      {"negative row", [](State& s) { StoreDbRow(s, -1); }},
      {"table row not loaded", [](State& s) { s.stifftype = 0, s.istiffl = 300, AddToDatabase(s); }},
      {"number beyond single", [](State& s) { s.t = 1e300, AddToDatabase(s); }},
      {"comment with ;", [](State& s) { InsertDbComment(s, 1, "a;b"); }},
      {"comment at the closing row", [](State& s) { InsertDbComment(s, 3, "a"); }},
      {"new database with comment ;", [](State& s) { NewDatabase(s, "x;y"); }},
      {"new database with bad case", [](State& s) { s.proj = "%", NewDatabase(s, "x"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    State s;
    Prepare(s);
    MakeTable(s, 2);
    const std::vector<DbRow> tab = s.dbtab;
    EXPECT_THROW(c.act(s), DbRefused);
    EXPECT_EQ(s.dbtab, tab);
    EXPECT_EQ(s.dbrows, 3);
  }
  EXPECT_FALSE(DbTextProblem("Tank;A", "project name", true).empty());
  EXPECT_TRUE(DbTextProblem("Tank 50% End", "project name", true).empty());
  EXPECT_TRUE(DbTextProblem("%End", "identification", false).empty());
}

TEST_F(DbTable, NothingIsStoredBeforeATableExists) {
  EXPECT_THROW(AddToDatabase(z), DbRefused);
  EXPECT_FALSE(HasDbTable(z));
  EXPECT_TRUE(DbListTexts(z).empty());
  EXPECT_EQ(FirstDataRow(z), std::nullopt);
}

TEST_F(DbTable, FullTableTakesItsLastRowAndThenRefuses) {
  MakeTable(z, 1);
  z.dbrows = kDbLastRow - 1;
  AddToDatabase(z);  // row 999, closing row at 1000
  EXPECT_EQ(z.dbrows, kDbLastRow);
  EXPECT_TRUE(IsClosingRow(z.dbtab[kDbLastRow]));
  EXPECT_THROW(AddToDatabase(z), DbRefused);
  EXPECT_THROW(InsertDbComment(z, 1, "x"), DbRefused);
  EXPECT_EQ(z.dbrows, kDbLastRow);
  EXPECT_EQ(z.dbtab.size(), kDbLastRow + 1u);
}

TEST_F(DbTable, RowEditsKeepTheClosingRowLast) {
  MakeTable(z, 2);
  InsertDbComment(z, 1, "Wall A");
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% Comment", "% Wall A", "case 1", "case 2", "End"}));
  SwapDbRows(z, 2, 3);
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% Comment", "% Wall A", "case 2", "case 1", "End"}));
  RemoveDbRow(z, 1);
  EXPECT_EQ(DbListTexts(z), (std::vector<std::string>{"% Comment", "case 2", "case 1", "End"}));
  EXPECT_EQ(z.dbrows, 3);
  EXPECT_THROW(SwapDbRows(z, 2, 3), Error);  // the closing row stays
  EXPECT_THROW(RemoveDbRow(z, 3), Error);
}

}  // namespace
}  // namespace zod
