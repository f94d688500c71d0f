#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/database/core/dbtest.h"

// The case table: storing the current case, loading a row back, finding bulb
// flats, the row edits, and every refusal leaving the table whole.
namespace zod {
namespace {

using dbtest::MakeTable;
using dbtest::Prepare;
using Texts = std::vector<std::string>;

class DbTable : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(z); }
  State z;
};

TEST_F(DbTable, AddReplacesTheClosingRowAndPutsANewOneBehind) {
  MakeTable(z, 2);  // comment, case 1, case 2, End at 3
  EXPECT_EQ(z.dbfile, "New Database_in.csv");
  const std::vector<DbRow> before(z.dbtab.begin(), z.dbtab.begin() + 3);
  z.ident = "Tank B";
  AddToDatabase(z);
  EXPECT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + 3), before);
  EXPECT_EQ(DbListTexts(z), (Texts{"% Comment", "case 1", "case 2", "Tank B", "End"}));
  EXPECT_EQ(z.dbrows, 4);
  EXPECT_EQ(z.dbtab[3].iscomment, 0);
  EXPECT_EQ(FirstDataRow(z), 1);
  EXPECT_EQ(CommentBoxText("%% Wall A %  "), "Wall A");
}

// The built-up memory of a member's kind as H, B, a, tw, tf.
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
    default:
      return {f(b.ibh), f(b.ibb), 0, f(b.ibtw), b.ibtf};
  }
}

// Both members of every kind, stored and loaded into another state: table
// profiles of L, T and flat bar come back as their built-up kind with exactly
// the table row's dimensions.
TEST_F(DbTable, ProfilesStoreAsTheirBuiltUpKindAndLoadBack) {
  struct Case {
    int16 kind, stored;
    std::function<void(State&)> choose;
    std::vector<float> dims;  // H, B, a, tw, tf
  };
  const auto& L = z.lprof.v[3];
  const auto& T = z.tprof.v[4];
  const auto& F = z.fprof.v[2];
  // clang-format off
  const std::vector<Case> cases = {
      {0, 1, [](State& s) { s.istiffl = s.igirdl = 3; }, {L[1], L[2], 0, L[3], L[4]}},
      {2, 3, [](State& s) { s.istifft = s.igirdt = 4; }, {T[1], T[2], 0, T[3], T[4]}},
      {4, 5, [](State& s) { s.istifff = s.igirdf = 2; }, {F[1], 0, 0, F[2], 0}},
      {1, 1, [](State& s) { s.slbh = s.glbh = 210.5, s.slbtf = s.glbtf = 13; }, {210.5f, 90, 0, 9, 13}},
      {3, 3, [](State& s) { s.stbb = s.gtbb = 95; }, {200, 95, 0, 9, 12}},
      {5, 5, [](State& s) { s.sfbh = s.gfbh = 120, s.sfbtw = s.gfbtw = 11; }, {120, 0, 0, 11, 0}},
      {7, 7, [](State& s) { s.srhsh = s.grhsh = 150, s.srhstw = s.grhstw = 8; }, {150, 90, 0, 8, 0}},
      {8, 8, [](State& s) { s.suspa = s.guspa = 45.5; }, {200, 90, 45.5f, 9, 0}},
      {9, 9, [](State& s) { s.sibtf = s.gibtf = 14.5f; }, {200, 90, 0, 9, 14.5f}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    State s, t;
    Prepare(s), Prepare(t);
    c.choose(s);
    s.stifftype = s.girdtype = c.kind;
    Calculate(s);
    NewDatabase(s, "c");
    const DbRow& r = s.dbtab[1];
    EXPECT_EQ((std::vector<int16>{r.dbstifftype, r.dbgirdtype}), (std::vector<int16>{c.stored, c.stored}));
    EXPECT_EQ((std::vector<float>{r.dbstiffh, r.dbstiffb, r.dbstiffa, r.dbstifftw, r.dbstifftf}), c.dims);
    EXPECT_EQ((std::vector<float>{r.dbgirdh, r.dbgirdb, r.dbgirda, r.dbgirdtw, r.dbgirdtf}), c.dims);
    EXPECT_EQ(r.dbstiffprof + r.dbgirdprof, s.stiffsec.name + s.girdsec.name);
    t.dbtab = s.dbtab, t.dbrows = s.dbrows;
    LoadDbRow(t, 1);
    EXPECT_EQ((std::vector<int16>{t.stifftype, t.girdtype}), (std::vector<int16>{c.stored, c.stored}));
    EXPECT_EQ(Memory(t, Member::Stiffener, c.stored), c.dims);
    EXPECT_EQ(Memory(t, Member::RingFrame, c.stored), c.dims);
    EXPECT_EQ(t.stiffsec.name, s.stiffsec.name);
  }
}

TEST_F(DbTable, BulbFlatIsStoredAndLoadedByItsTableRow) {
  z.stifftype = 6, z.istiffhp = 5;
  NewDatabase(z, "c");
  DbRow& r = z.dbtab[1];
  EXPECT_EQ((std::vector<int16>{r.dbstifftype, r.dbstiffhp}), (std::vector<int16>{6, 5}));
  EXPECT_EQ((std::vector<float>{r.dbstiffh, r.dbstifftw}),
            (std::vector<float>{z.bfprof.v[5][1], z.bfprof.v[5][2]}));
  r.dbstiffh = r.dbstifftw = 0;  // a load takes the row, not H and tw
  z.istiffhp = 0;
  LoadDbRow(z, 1);
  EXPECT_EQ(z.istiffhp, 5);
  EXPECT_EQ(z.stiffh, z.bfprof.v[5][1]);
}

// A profile stored as kind 8 over kind 9 leaves tf, which a load ignores.
TEST_F(DbTable, KindEightOverKindNineKeepsTf) {
  z.stifftype = z.girdtype = 9, z.sibtf = 17, z.gibtf = 16;
  NewDatabase(z, "c");
  z.stifftype = z.girdtype = 8;
  StoreDbRow(z, 1);
  EXPECT_EQ(z.dbtab[1].dbstifftf, 17);
  EXPECT_EQ(z.dbtab[1].dbgirdtf, 16);
  z.sibtf = 12, z.gibtf = 11;
  LoadDbRow(z, 1);
  EXPECT_EQ(z.sibtf, 12);
  EXPECT_EQ(z.gibtf, 11);
}

TEST_F(DbTable, LoadTakesTheRowWithTheUserDefinedMaterial) {
  NewDatabase(z, "c");
  DbRow& r = z.dbtab[1];
  r.fyp = 321, r.fys = 322, r.fyg = 323, r.gilt = 500, r.k1 = 1.5f, r.ident = "I";
  z.matp = z.mats = z.matg = 0;
  LoadDbRow(z, 1);
  EXPECT_EQ((std::vector<int16>{z.matp, z.mats, z.matg}), std::vector<int16>(3, z.mat.nmat));
  EXPECT_EQ((std::vector<double>{z.fyp, z.fys, z.fyg, z.gilt, z.k1}),
            (std::vector<double>{321, 322, 323, 500, 1.5}));
  EXPECT_EQ(z.ident, "I");
  EXPECT_TRUE(z.calcok);
  for (int16 notData : {0, 2, 900}) EXPECT_THROW(LoadDbRow(z, notData), Error) << notData;
}

TEST_F(DbTable, FindBulbRowLastMatchWinsAndNoMatchIsEmpty) {
  z.bfprof.n = 3;
  z.bfprof.v[0] = z.bfprof.v[2] = {0, 120, 6};
  z.bfprof.v[1] = z.bfprof.v[3] = {0, 140, 7};
  z.bfprof.v[4] = {0, 120, 6};  // beyond the rows loaded
  EXPECT_EQ(FindBulbRow(z, 120, 6), 2);
  EXPECT_EQ(FindBulbRow(z, 140, 7), 3);
  EXPECT_EQ(FindBulbRow(z, 140, 7.0001f), std::nullopt);
}

// Refusals write nothing: the table and its closing index stay as they were.
TEST_F(DbTable, RefusalsLeaveTheTableAsItWas) {
  const std::vector<std::pair<const char*, std::function<void(State&)>>> cases = {
      {"project name with ;", [](State& s) { s.proj = "Tank;A", AddToDatabase(s); }},
      {"identification with LF", [](State& s) { s.ident = "a\nb", AddToDatabase(s); }},
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
      {"new database, comment with ;", [](State& s) { NewDatabase(s, "x;y"); }},
      {"new database, project %", [](State& s) { s.proj = "%", NewDatabase(s, "x"); }},
  };
  for (const auto& [name, act] : cases) {
    SCOPED_TRACE(name);
    State s;
    Prepare(s);
    MakeTable(s, 2);
    const std::vector<DbRow> tab = s.dbtab;
    EXPECT_THROW(act(s), DbRefused);
    EXPECT_EQ(s.dbtab, tab);
    EXPECT_EQ(s.dbrows, 3);
  }
  EXPECT_TRUE(DbTextProblem("Tank 50% End", "project name", true).empty());
  EXPECT_TRUE(DbTextProblem("%End", "identification", false).empty());
  EXPECT_THROW(AddToDatabase(z), DbRefused);  // no table yet
  EXPECT_FALSE(HasDbTable(z));
}

TEST_F(DbTable, FullTableTakesItsLastRowAndThenRefuses) {
  MakeTable(z, 1);
  z.dbrows = kDbLastRow - 1;
  AddToDatabase(z);
  EXPECT_TRUE(IsClosingRow(z.dbtab[kDbLastRow]));
  EXPECT_THROW(AddToDatabase(z), DbRefused);
  EXPECT_THROW(InsertDbComment(z, 1, "x"), DbRefused);
  EXPECT_EQ(z.dbrows, kDbLastRow);
  EXPECT_EQ(z.dbtab.size(), kDbLastRow + 1u);
}

TEST_F(DbTable, RowEditsKeepTheClosingRowLast) {
  MakeTable(z, 2);
  InsertDbComment(z, 1, "Wall A");
  SwapDbRows(z, 2, 3);
  EXPECT_EQ(DbListTexts(z), (Texts{"% Comment", "% Wall A", "case 2", "case 1", "End"}));
  RemoveDbRow(z, 1);
  EXPECT_EQ(DbListTexts(z), (Texts{"% Comment", "case 2", "case 1", "End"}));
  EXPECT_THROW(SwapDbRows(z, 2, 3), Error);
  EXPECT_THROW(RemoveDbRow(z, 3), Error);
}

// A row chosen in the database window is found again after the table changed
// around it: by its content, the n-th of equal rows as the n-th; the closing
// row at the table's end; a row gone, nowhere.
TEST_F(DbTable, AChosenRowIsFoundWhereverItWent) {
  MakeTable(z, 2);
  z.ident = "case 2";
  AddToDatabase(z);
  const std::vector<DbRow> before = DbTableRows(z);
  ASSERT_EQ(DbListTexts(z), (Texts{"% Comment", "case 1", "case 2", "case 2", "End"}));
  ASSERT_EQ(before.size(), 5u);
  const auto follow = [&](int line) { return FollowRow(before, line, DbTableRows(z)); };
  AddToDatabase(z);
  EXPECT_EQ(follow(4), 5);
  EXPECT_EQ(follow(3), 3);
  InsertDbComment(z, 0, "top");
  SwapDbRows(z, 2, 3);
  ASSERT_EQ(DbListTexts(z), (Texts{"% top", "% Comment", "case 2", "case 1", "case 2", "case 2", "End"}));
  EXPECT_EQ(follow(0), 1);
  EXPECT_EQ(follow(1), 3);
  EXPECT_EQ(follow(2), 2);
  EXPECT_EQ(follow(3), 4);
  EXPECT_EQ(follow(4), 6);
  RemoveDbRow(z, 3);
  EXPECT_EQ(follow(1), -1);
  EXPECT_EQ(follow(-1), -1);
  EXPECT_EQ(FollowRow({}, 0, DbTableRows(z)), -1);
}

// A stored row's designation describes the profile it stores, also when the
// case's type has not calculated that member since its kind changed; read
// back, the dimensions are as precise as the designation shows them.
TEST_F(DbTable, StoredRowsReadBackWithTheirProfiles) {
  z.cylinder = 0, z.ringch = 0;
  Calculate(z);
  z.stifftype = 7, z.srhsh = 150.4, z.srhstw = 8.04f;
  z.girdtype = 9, z.gibtf = 12.96f;
  NewDatabase(z, "c");
  EXPECT_EQ(z.dbtab[1].dbstiffprof + ", " + z.dbtab[1].dbgirdprof, "RHS 150x90x8.0, I 200x90x9.0x13.0");
  DbRow expected = z.dbtab[1];
  dbtest::ReadText(z, dbtest::Written(z));
  expected.dbstiffh = 150, expected.dbstifftw = 8, expected.dbgirdtf = 13;
  EXPECT_EQ(z.dbtab[1], expected);
}

}  // namespace
}  // namespace zod
