#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/database/core/dbtest.h"

// The case table: storing the current case, loading a row back, finding bulb
// flats, the closing row, and every refusal leaving the table whole.
namespace zod {
namespace {

using dbtest::MakeTable;
using dbtest::Prepare;
using Texts = std::vector<std::string>;
using Floats = std::vector<float>;

class DbTable : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(z); }
  State z;
};

// Loaded into another state: an L table profile comes back as an L built-up
// (kind 1) with the table row's dimensions; a bulb flat by its table row, not
// by H and tw; kind 8 stored over kind 9 keeps tf, which a load ignores; the
// three materials as the user-defined entry.
TEST_F(DbTable, StoredProfilesAndMaterialsLoadBack) {
  z.stifftype = 0, z.istiffl = 3, z.girdtype = 9, z.gibtf = 17;
  NewDatabase(z, "c");
  z.girdtype = 8;
  StoreDbRow(z, 1);
  z.stifftype = 6, z.istiffhp = 5;
  AddToDatabase(z);
  const auto& L = z.lprof.v[3];
  DbRow &r = z.dbtab[1], &bulb = z.dbtab[2];
  EXPECT_EQ((std::vector<int16>{r.dbstifftype, bulb.dbstifftype, bulb.dbstiffhp}),
            (std::vector<int16>{1, 6, 5}));
  EXPECT_EQ((Floats{r.dbstiffh, r.dbstiffb, r.dbstifftw, r.dbstifftf, r.dbgirdtf}),
            (Floats{L[1], L[2], L[3], L[4], 17}));
  EXPECT_EQ((Floats{bulb.dbstiffh, bulb.dbstifftw}), (Floats{z.bfprof.v[5][1], z.bfprof.v[5][2]}));
  bulb.dbstiffh = bulb.dbstifftw = 0;
  r.fyp = 321, r.fys = 322, r.fyg = 323;
  State t;
  Prepare(t);
  const float tf = t.gibtf;
  t.dbtab = z.dbtab, t.dbrows = z.dbrows;
  LoadDbRow(t, 1);
  const BuiltUpRefs b = BuiltUp(t, Member::Stiffener);
  EXPECT_EQ(t.stifftype, 1);
  EXPECT_EQ((Floats{float(b.lbh), float(b.lbb), float(b.lbtw), b.lbtf, t.gibtf}),
            (Floats{L[1], L[2], L[3], L[4], tf}));
  EXPECT_EQ((std::vector<int16>{t.matp, t.mats, t.matg}), std::vector<int16>(3, t.mat.nmat));
  EXPECT_EQ((std::vector<double>{t.fyp, t.fys, t.fyg}), (std::vector<double>{321, 322, 323}));
  EXPECT_TRUE(t.calcok);
  LoadDbRow(t, 2);
  EXPECT_EQ(t.istiffhp, 5);
  EXPECT_EQ(t.stiffh, t.bfprof.v[5][1]);
  for (int16 notData : {0, 3, 900}) EXPECT_THROW(LoadDbRow(t, notData), Error) << notData;
}

TEST_F(DbTable, FindBulbRowLastMatchWinsAndNoMatchIsEmpty) {
  z.bfprof.n = 3;
  z.bfprof.v[0] = z.bfprof.v[2] = z.bfprof.v[4] = {0, 120, 6};  // 4 is beyond the rows loaded
  z.bfprof.v[1] = z.bfprof.v[3] = {0, 140, 7};
  EXPECT_EQ((std::vector{FindBulbRow(z, 120, 6), FindBulbRow(z, 140, 7), FindBulbRow(z, 140, 7.0001f)}),
            (std::vector<std::optional<int16>>{2, 3, std::nullopt}));
}

// Refusals write nothing: the table and its closing index stay as they were.
TEST_F(DbTable, RefusalsLeaveTheTableAsItWas) {
  const std::vector<std::pair<const char*, std::function<void(State&)>>> cases = {
      {"project name with ;", [](State& s) { s.proj = "Tank;A", AddToDatabase(s); }},
      {"identification with LF", [](State& s) { s.ident = "a\nb", AddToDatabase(s); }},
      {"project name beginning with %", [](State& s) { s.proj = "  %x", AddToDatabase(s); }},
      {"row past the table", [](State& s) { StoreDbRow(s, kDbLastRow); }},
      {"table row not loaded", [](State& s) { s.stifftype = 0, s.istiffl = 300, AddToDatabase(s); }},
      {"number beyond single", [](State& s) { s.t = 1e300, AddToDatabase(s); }},
      {"comment with ;", [](State& s) { InsertDbComment(s, 1, "a;b"); }},
  };
  for (const auto& [name, act] : cases) {
    SCOPED_TRACE(name);
    State s;
    Prepare(s);
    MakeTable(s);
    const std::vector<DbRow> tab = s.dbtab;
    EXPECT_THROW(act(s), DbRefused);
    EXPECT_EQ(s.dbtab, tab);
    EXPECT_EQ(s.dbrows, 3);
  }
  EXPECT_TRUE(DbTextProblem("Tank 50% End", "project name", true).empty());
  EXPECT_THROW(AddToDatabase(z), DbRefused);  // no table yet
}

// A stored case replaces the closing row and puts a new one behind, which
// stays; a full table takes its last row and then refuses.
TEST_F(DbTable, RowsKeepTheClosingRowLast) {
  z.ident = "T";
  MakeTable(z);
  const std::vector<DbRow> before(z.dbtab.begin(), z.dbtab.begin() + 3);
  AddToDatabase(z);
  EXPECT_EQ(std::vector<DbRow>(z.dbtab.begin(), z.dbtab.begin() + 3), before);
  EXPECT_EQ(DbListTexts(z), (Texts{"% Comment", "T", "T", "T", "End"}));
  z.dbrows = kDbLastRow - 1;
  AddToDatabase(z);
  EXPECT_TRUE(IsClosingRow(z.dbtab[kDbLastRow]));
  EXPECT_THROW(AddToDatabase(z), DbRefused);
  EXPECT_THROW(InsertDbComment(z, 1, "x"), DbRefused);
  EXPECT_EQ(z.dbrows, kDbLastRow);
  EXPECT_EQ(z.dbtab.size(), kDbLastRow + 1u);
}

}  // namespace
}  // namespace zod
